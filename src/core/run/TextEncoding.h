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

// The bytes that open a UTF-8 file written with a byte order mark.
inline constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

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

// The characters of Windows-1252 bytes, as UTF-8 (the bytes the code page leaves undefined
// read as Latin-1).
std::string DecodeWindows1252(std::string_view bytes);

// Tells the encoding of a file from its bytes handed over in pieces, so that a file read in
// chunks is judged as a whole: UTF-8 when all of it is valid UTF-8, otherwise Windows-1252.
class EncodingDetector {
 public:
  void add(std::string_view piece);
  // The encoding once every piece has been added.
  FileEncoding encoding() const;

 private:
  std::string pending_;  // the start of a character that goes on in the next piece
  bool valid_ = true;
  std::string head_;  // the first bytes, as many as a byte order mark has
};

// The name of the encoding as the user reads it in messages.
std::string_view EncodingName(FileEncoding encoding);

}  // namespace draivo
