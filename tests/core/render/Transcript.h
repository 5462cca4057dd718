#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace draivo::test {

// A transcript is a text file of commands, each on a line starting with "> ", every one
// followed by the lines it prints. Empty lines and lines starting with "#" are comments.
// A run replays the commands in one fresh session and compares what each prints. With
// DRAIVO_UPDATE_TRANSCRIPTS set, the file is written back with what was printed instead:
// read the difference before keeping it.
using Words = std::vector<std::string>;

// Splits a command at blanks. A word in double quotes may hold blanks and the escapes
// \r \n \t \" \\ and \xHH.
inline Words splitWords(const std::string& line) {
  Words words;
  for (std::size_t i = 0; i < line.size();) {
    if (line[i] == ' ') {
      ++i;
    } else if (line[i] != '"') {
      const std::size_t end = std::min(line.find(' ', i), line.size());
      words.push_back(line.substr(i, end - i));
      i = end;
    } else {
      std::string word;
      for (++i; i < line.size() && line[i] != '"'; ++i) {
        if (line[i] != '\\') {
          word += line[i];
          continue;
        }
        const char e = line[++i];
        if (e == 'x') {
          word += static_cast<char>(std::stoi(line.substr(i + 1, 2), nullptr, 16));
          i += 2;
        } else {
          word += e == 'r' ? '\r' : e == 'n' ? '\n' : e == 't' ? '\t' : e;
        }
      }
      words.push_back(word);
      ++i;
    }
  }
  return words;
}

// The text in double quotes, written so that splitWords reads it back; with `bytes`, every
// byte outside ASCII is written as an escape too.
inline std::string quoted(std::string_view text, bool bytes = false) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += std::string("\\") + c;
    } else if (c == '\r' || c == '\n') {
      out += c == '\r' ? "\\r" : "\\n";
    } else if (byte < 0x20 || (bytes && byte >= 0x80)) {
      const char* digits = "0123456789ABCDEF";
      out += std::string("\\x") + digits[byte >> 4] + digits[byte & 15];
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// The transcripts of a folder, by name.
inline std::vector<std::filesystem::path> transcriptFiles(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() == ".session") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

inline std::string transcriptName(const ::testing::TestParamInfo<std::filesystem::path>& info) {
  std::string name = info.param.stem().string();
  for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

// Replays the transcript with a fresh Session, whose run(words) returns the printed lines.
template <typename Session>
void runTranscript(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  Session session;
  std::string written;
  for (std::size_t i = 0; i < lines.size();) {
    const std::string& command = lines[i++];
    const std::size_t lineNumber = i;
    written += command + "\n";
    if (command.rfind("> ", 0) != 0) continue;
    std::string expected;
    for (; i < lines.size() && !lines[i].empty() && lines[i][0] != '>' && lines[i][0] != '#'; ++i)
      expected += lines[i] + "\n";
    std::string printed;
    try {
      printed = session.run(splitWords(command.substr(2)));
    } catch (const std::exception& fault) {
      printed = std::string("fault: ") + fault.what() + "\n";
    }
    written += printed;
    EXPECT_EQ(printed, expected) << file.filename().string() << ":" << lineNumber << " " << command;
  }
  if (std::getenv("DRAIVO_UPDATE_TRANSCRIPTS")) std::ofstream(file) << written;
}

}  // namespace draivo::test

// The parameterised test that replays every transcript of the data folder beside FILE.
#define DRAIVO_TRANSCRIPT_TEST(Suite, Session)                                              \
  class Suite : public ::testing::TestWithParam<std::filesystem::path> {};                  \
  TEST_P(Suite, PrintsWhatItSays) { ::draivo::test::runTranscript<Session>(GetParam()); }   \
  INSTANTIATE_TEST_SUITE_P(Data, Suite,                                                     \
                           ::testing::ValuesIn(::draivo::test::transcriptFiles(             \
                               std::filesystem::path(__FILE__).parent_path() / "data")),    \
                           ::draivo::test::transcriptName)
