#include "editor/TextFiles.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "design/ProgramMarkers.h"
#include "run/ProgramFileCheck.h"

namespace draivo {
namespace {

namespace fs = std::filesystem;

std::string quoted(const std::string& fileName) {
  return "\"" + fileName + "\"";
}

FileResult failure(std::string message) {
  FileResult result;
  result.message = std::move(message);
  return result;
}

FileResult success() {
  FileResult result;
  result.ok = true;
  return result;
}

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::string result;
  result.reserve(text.size());
  std::size_t start = 0;
  for (auto hit = text.find(from); hit != std::string_view::npos; hit = text.find(from, start)) {
    result.append(text.substr(start, hit - start)).append(to);
    start = hit + from.size();
  }
  result.append(text.substr(start));
  return result;
}

// A file nobody may write to is read-only: saving must not replace it.
bool isWritable(fs::perms permissions) {
  constexpr auto anyWrite =
      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  return (permissions & anyWrite) != fs::perms::none;
}

// Removes what a failed save left at the temporary name, but never a folder found there.
void removeLeftover(const std::string& temporary) {
  std::error_code ignored;
  if (fs::is_regular_file(temporary, ignored)) fs::remove(temporary, ignored);
}

}  // namespace

std::string ToFileText(std::string_view editorText) {
  return replaceAll(editorText, "\n", LineEnd);
}

std::string FromFileText(std::string_view fileText) {
  return replaceAll(fileText, LineEnd, "\n");
}

std::optional<std::string> ReadFileBytes(const std::string& fileName) {
  std::error_code error;
  if (!fs::is_regular_file(fileName, error)) return {};
  std::ifstream in(fileName, std::ios::binary);
  if (!in) return {};
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) return {};
  return std::move(content).str();
}

bool WriteFileBytes(const std::string& fileName, std::string_view content) {
  std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  out.close();
  return !out.fail();
}

FileResult ReadTextFile(const std::string& fileName) {
  std::error_code error;
  if (!fs::exists(fileName, error))
    return failure("Het bestand " + quoted(fileName) + " bestaat niet.");
  auto content = ReadFileBytes(fileName);
  if (!content) return failure("Het bestand " + quoted(fileName) + " kan niet gelezen worden.");
  if (!IsProgramText(*content)) return failure(NotAProgramMessage(fileName));
  DecodedText decoded = DecodeText(std::move(*content));
  FileResult result = success();
  result.content = std::move(decoded.text);
  result.encoding = decoded.encoding;
  return result;
}

FileResult SaveTextFile(const std::string& fileName, std::string_view text, FileEncoding encoding) {
  EncodedText encoded = EncodeText(text, encoding);
  if (!encoded.unencodable.empty()) {
    FileResult refused;
    refused.unencodable = std::move(encoded.unencodable);
    return refused;
  }
  FileResult saved = SaveFileAtomically(fileName, encoded.bytes);
  saved.encoding = encoding;
  return saved;
}

std::string AtomicSaveTempPath(const std::string& fileName) {
  return fileName + ".~tmp";
}

FileResult SaveFileAtomically(const std::string& fileName, std::string_view content) {
  const auto message = "Het bestand " + quoted(fileName) +
                       " kan niet opgeslagen worden. Een bestaand bestand is niet gewijzigd.";
  const auto temporary = AtomicSaveTempPath(fileName);
  std::error_code error;
  const auto existing = fs::status(fileName, error);
  if (fs::is_directory(existing)) return failure(message);
  if (fs::exists(existing) && !isWritable(existing.permissions())) {
    return failure("Het bestand " + quoted(fileName) + " is alleen-lezen en is niet gewijzigd.");
  }
  if (!WriteFileBytes(temporary, content)) {
    removeLeftover(temporary);
    return failure(message);
  }
  // The new file takes the place of the old one with the old one's permissions.
  if (fs::exists(existing)) fs::permissions(temporary, existing.permissions(), error);
  error.clear();
  fs::rename(temporary, fileName, error);
  if (error) {
    removeLeftover(temporary);
    return failure(message);
  }
  return success();
}

FileResult RemoveFile(const std::string& fileName) {
  std::error_code error;
  if (!fs::exists(fileName, error))
    return failure("Het bestand " + quoted(fileName) + " bestaat niet.");
  const auto message = "Het bestand " + quoted(fileName) + " kan niet verwijderd worden.";
  if (fs::is_directory(fileName, error)) return failure(message);
  if (!fs::remove(fileName, error) || error) return failure(message);
  return success();
}

}  // namespace draivo
