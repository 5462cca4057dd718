#include "run/TextEncoding.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace draivo {
namespace {

constexpr std::string_view ByteOrderMark = Utf8ByteOrderMark;
constexpr char32_t Unreadable = 0xFFFD;

// The characters of the Windows-1252 bytes 0x80 to 0x9F. The five bytes the code page leaves
// undefined keep their Latin-1 meaning (the control character of the same number), so every
// byte has exactly one character and every such character one byte.
constexpr std::array<char32_t, 32> Windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98
};

bool isContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence at `at`, or 0 when none starts there.
std::size_t sequenceLength(std::string_view bytes, std::size_t at) {
  const auto lead = static_cast<unsigned char>(bytes[at]);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // overlong
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // overlong
    if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
  } else {
    return 0;
  }
  if (bytes.size() - at < length) return 0;
  const auto second = static_cast<unsigned char>(bytes[at + 1]);
  if (second < low || second > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (!isContinuation(static_cast<unsigned char>(bytes[at + i]))) return 0;
  }
  return length;
}

// Every Windows-1252 character lies below U+10000: one to three bytes.
void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

char32_t windows1252Char(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) return Windows1252High[byte - 0x80];
  return byte;
}

// The Windows-1252 byte of a character; -1 when the code page has none for it.
int windows1252Byte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  const auto* found = std::find(Windows1252High.begin(), Windows1252High.end(), c);
  if (found == Windows1252High.end()) return -1;
  return 0x80 + static_cast<int>(found - Windows1252High.begin());
}

}  // namespace

std::string DecodeWindows1252(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 2);
  for (const char byte : bytes) appendUtf8(text, windows1252Char(static_cast<unsigned char>(byte)));
  return text;
}

namespace {

// The character of the UTF-8 sequence at `at`, and its length (an invalid byte counts as one
// unreadable character).
char32_t codePointAt(std::string_view text, std::size_t at, std::size_t& length) {
  length = sequenceLength(text, at);
  const auto lead = static_cast<unsigned char>(text[at]);
  if (length == 0) {
    length = 1;
    return Unreadable;
  }
  if (length == 1) return lead;
  char32_t c = lead & (0xFF >> (length + 1));
  for (std::size_t i = 1; i < length; ++i) c = (c << 6) | (text[at + i] & 0x3F);
  return c;
}

void noteUnencodable(std::string& list, std::string_view character) {
  // Each character once: the list names what is missing, it is no copy of the text.
  for (std::size_t at = 0; at < list.size();) {
    const std::size_t end = std::min(list.find(' ', at), list.size());
    if (std::string_view(list).substr(at, end - at) == character) return;
    at = end + 1;
  }
  if (!list.empty()) list += ' ';
  list += character;
}

std::string encodeWindows1252(std::string_view text, std::string& unencodable) {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t at = 0, length = 0; at < text.size(); at += length) {
    const int byte = windows1252Byte(codePointAt(text, at, length));
    if (byte < 0) {
      noteUnencodable(unencodable, text.substr(at, length));
    } else {
      bytes += static_cast<char>(byte);
    }
  }
  return bytes;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t at = 0; at < bytes.size();) {
    // Runs of ASCII, the bulk of every program, are passed over a byte at a time.
    if (static_cast<unsigned char>(bytes[at]) < 0x80) {
      ++at;
      continue;
    }
    const std::size_t length = sequenceLength(bytes, at);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

DecodedText DecodeText(std::string bytes) {
  DecodedText decoded;
  if (!IsValidUtf8(bytes)) {
    decoded.text = DecodeWindows1252(bytes);
    decoded.encoding = FileEncoding::Windows1252;
    return decoded;
  }
  if (bytes.starts_with(ByteOrderMark)) {
    bytes.erase(0, ByteOrderMark.size());
    decoded.encoding = FileEncoding::Utf8WithBom;
  }
  decoded.text = std::move(bytes);
  return decoded;
}

EncodedText EncodeText(std::string_view text, FileEncoding encoding) {
  EncodedText encoded;
  switch (encoding) {
    case FileEncoding::Utf8:
      encoded.bytes = text;
      break;
    case FileEncoding::Utf8WithBom:
      encoded.bytes.reserve(ByteOrderMark.size() + text.size());
      encoded.bytes.append(ByteOrderMark).append(text);
      break;
    case FileEncoding::Windows1252:
      encoded.bytes = encodeWindows1252(text, encoded.unencodable);
      break;
  }
  return encoded;
}

namespace {

// The length a UTF-8 sequence with this lead byte claims; 1 for any other byte.
std::size_t claimedLength(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 1;
}

// Where the last whole character of the bytes ends: before a lead byte whose sequence runs
// past the end.
std::size_t wholeCharactersEnd(std::string_view bytes) {
  std::size_t at = bytes.size();
  for (int back = 0; back < 3 && at > 0 && isContinuation(static_cast<unsigned char>(bytes[at - 1]));
       ++back) {
    --at;
  }
  if (at == 0) return bytes.size();
  const std::size_t lead = at - 1;
  return claimedLength(static_cast<unsigned char>(bytes[lead])) > bytes.size() - lead
             ? lead
             : bytes.size();
}

}  // namespace

void EncodingDetector::add(std::string_view piece) {
  if (head_.size() < ByteOrderMark.size()) {
    head_.append(piece.substr(0, ByteOrderMark.size() - head_.size()));
  }
  if (!valid_) return;
  if (!pending_.empty()) {
    const std::size_t length = claimedLength(static_cast<unsigned char>(pending_.front()));
    const std::size_t take = std::min(length - pending_.size(), piece.size());
    pending_.append(piece.substr(0, take));
    piece.remove_prefix(take);
    if (pending_.size() < length) return;
    valid_ = IsValidUtf8(pending_);
    pending_.clear();
    if (!valid_) return;
  }
  const std::size_t end = wholeCharactersEnd(piece);
  valid_ = IsValidUtf8(piece.substr(0, end));
  pending_.assign(piece.substr(end));
}

FileEncoding EncodingDetector::encoding() const {
  if (!valid_ || !pending_.empty()) return FileEncoding::Windows1252;
  return head_.starts_with(ByteOrderMark) ? FileEncoding::Utf8WithBom : FileEncoding::Utf8;
}

std::string_view EncodingName(FileEncoding encoding) {
  return encoding == FileEncoding::Windows1252 ? "Windows-1252 (Latin-1)" : "UTF-8";
}

}  // namespace draivo
