#pragma once

#include <string>
#include <string_view>

namespace draivo {

// How the bytes of a text file stand for its characters. Inside the program every text is
// UTF-8; a file keeps the encoding it was read in, and a new file is written as UTF-8.
enum class FileEncoding {
  Utf8,         // valid UTF-8 (plain ASCII too)
  Utf8WithBom,  // valid UTF-8 after the byte order mark EF BB BF
  Windows1252,  // any other bytes; the five bytes Windows-1252 leaves undefined read as Latin-1
};

struct DecodedText {
  std::string text;  // UTF-8, without the byte order mark
  FileEncoding encoding = FileEncoding::Utf8;
};

// Reads the bytes of a file as UTF-8 when they are valid UTF-8, otherwise as Windows-1252.
// Every byte sequence gives a text that EncodeText turns back into the same bytes.
DecodedText DecodeText(std::string bytes);

struct EncodedText {
  std::string bytes;
  // The characters the encoding cannot hold, each once, separated by blanks; empty when every
  // character fits. Nothing is replaced: `bytes` is only meant to be written when this is empty.
  std::string unencodable;
};

// The bytes of a UTF-8 text in the encoding.
EncodedText EncodeText(std::string_view text, FileEncoding encoding);

// Whether the bytes are valid UTF-8: no stray or missing continuation bytes, no overlong
// forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// The name of the encoding as the user reads it in messages.
std::string_view EncodingName(FileEncoding encoding);

}  // namespace draivo
