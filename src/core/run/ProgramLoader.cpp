#include "run/ProgramLoader.h"

#include <algorithm>
#include <fstream>

#include "design/ProgramMarkers.h"
#include "nc/BlockText.h"
#include "run/FileHelpers.h"
#include "run/ProgramFileCheck.h"

namespace draivo {
namespace {

bool isCapital(char c) {
  return c >= 'A' && c <= 'Z';
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool isAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Reads the rest of the stream in chunks and hands each over; false when the stream fails or
// grows past the file limit while it is read.
template <typename UseChunk>
bool readChunks(std::ifstream& in, std::string& chunk, UseChunk useChunk) {
  std::uintmax_t total = 0;
  while (in) {
    in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    const auto got = static_cast<std::size_t>(in.gcount());
    total += got;
    if (total > MaxProgramFileBytes) return false;
    if (!useChunk(std::string_view(chunk.data(), got))) break;
  }
  return !in.bad();
}

// A "G" or "M" followed by one digit and a blank: normalising writes the digit with a "0".
bool singleDigitCode(std::string_view line, char letter) {
  const auto at = line.find(letter);
  return at != std::string_view::npos && at + 2 < line.size() && isDigit(line[at + 1]) &&
         line[at + 2] == ' ';
}

}  // namespace

bool IsNormalBlock(std::string_view line) {
  if (line.size() < 3 || !isCapital(line[0]) || !line.ends_with(" ;")) return false;
  for (std::size_t i = 1; i + 2 < line.size(); ++i) {
    const char c = line[i];
    const char next = line[i + 1];
    if (isCapital(c)) {
      if (line[i - 1] != ' ') return false;
    } else if (c == ' ') {
      if (!isCapital(next)) return false;
    } else if (c == '.') {
      if (!isDigit(next)) return false;
    } else if (!isDigit(c) && c != '-') {
      return false;
    }
  }
  if (singleDigitCode(line, 'G')) return false;
  if (line.find('M') == std::string_view::npos) return true;
  if (line.find("M98") != std::string_view::npos) return false;
  if (line.find("M99") != std::string_view::npos || line.find("M30") != std::string_view::npos) {
    return true;
  }
  return !singleDigitCode(line, 'M');
}

ProgramBuilder::ProgramBuilder(std::size_t expectedBytes, FileEncoding encoding)
    : blocks_(std::make_shared<BlockTexts>()), encoding_(encoding) {
  // Normal blocks are their lines without the line break; room that stays unused is never
  // touched. Lines of CAM programs are rarely shorter than ExpectedLineBytes.
  constexpr std::size_t ExpectedLineBytes = 8;
  blocks_->reserve(expectedBytes / ExpectedLineBytes, expectedBytes);
}

bool ProgramBuilder::addLine(std::string_view line) {
  if (ended_) return false;
  if (firstLine_ && encoding_ == FileEncoding::Utf8WithBom) line.remove_prefix(Utf8ByteOrderMark.size());
  firstLine_ = false;
  if (encoding_ == FileEncoding::Windows1252 && !isAscii(line)) {
    return addText(DecodeWindows1252(line));
  }
  return addText(line);
}

bool ProgramBuilder::addText(std::string_view line) {
  if (line == ProgramStartLine) {
    blocks_->skipLine();
    return true;
  }
  if (line.empty() || line == ProgramEndMarker) {
    ended_ = true;
    return false;
  }
  if (IsNormalBlock(line)) {
    blocks_->add(line);
    return true;
  }
  const std::string block = NormaliseBlock(line);
  if (contains(block, ":")) caption_ = CaptionOf(block);
  blocks_->add(block);
  return true;
}

LoadedProgram ProgramBuilder::finish() && { return {std::move(blocks_), std::move(caption_)}; }

LoadedProgram LoadProgramText(std::string_view text) {
  ProgramBuilder builder(text.size());
  // A final line break ends the last line and adds no empty line after it.
  for (std::size_t at = 0; at < text.size();) {
    if (!builder.addLine(NextLine(text, at))) break;
  }
  return std::move(builder).finish();
}

LoadFailure CheckProgramFile(const std::string& fileName, std::size_t chunkBytes) {
  std::optional<OpenedFile> file = OpenProgramFile(fileName);
  if (!file) return LoadFailure::Unreadable;
  std::string chunk(std::max<std::size_t>(chunkBytes, 1), '\0');
  ProgramTextCheck check;
  const bool read = readChunks(file->in, chunk, [&](std::string_view piece) {
    check.add(piece);
    return !check.failed();
  });
  if (!read) return LoadFailure::Unreadable;
  return check.passed() ? LoadFailure::None : LoadFailure::NotAProgram;
}

ProgramFileLoad LoadProgramFile(const std::string& fileName, std::size_t chunkBytes) {
  const ProgramFileLoad unreadable{std::nullopt, LoadFailure::Unreadable};
  std::optional<OpenedFile> file = OpenProgramFile(fileName);
  if (!file) return unreadable;
  std::ifstream& in = file->in;
  const std::uintmax_t size = file->size;

  std::string chunk(std::max<std::size_t>(chunkBytes, 1), '\0');
  EncodingDetector detector;
  ProgramTextCheck check;
  const bool read = readChunks(in, chunk, [&](std::string_view piece) {
    detector.add(piece);
    check.add(piece);
    return !check.failed();
  });
  if (!read) return unreadable;
  if (!check.passed()) return {std::nullopt, LoadFailure::NotAProgram};
  in.clear();
  in.seekg(0);

  ProgramBuilder builder(static_cast<std::size_t>(size), detector.encoding());
  std::string partial;   // the start of a line that goes on in the next chunk
  bool afterCr = false;  // the last chunk ended with a CR: a LF first in this one belongs to it
  bool going = true;
  const bool complete = readChunks(in, chunk, [&](std::string_view rest) {
    if (afterCr && !rest.empty() && rest.front() == '\n') rest.remove_prefix(1);
    afterCr = false;
    while (going) {
      std::size_t end = 0;
      while (end < rest.size() && rest[end] != '\n' && rest[end] != '\r') ++end;
      if (end == rest.size()) {
        partial.append(rest);
        break;
      }
      std::string_view line = rest.substr(0, end);
      if (!partial.empty()) line = partial.append(line);
      going = builder.addLine(line);
      partial.clear();
      if (rest[end] == '\r' && end + 1 == rest.size()) {
        afterCr = true;
      } else if (rest[end] == '\r' && rest[end + 1] == '\n') {
        ++end;  // CR LF is one line break
      }
      rest.remove_prefix(end + 1);
    }
    return going;
  });
  if (!complete) return unreadable;
  if (going && !partial.empty()) builder.addLine(partial);
  return {std::move(builder).finish(), LoadFailure::None};
}

}  // namespace draivo
