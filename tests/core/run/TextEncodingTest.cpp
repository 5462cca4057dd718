#include <gtest/gtest.h>

#include <string>

#include "run/TextEncoding.h"

namespace draivo {
namespace {

constexpr auto Utf8 = FileEncoding::Utf8;
constexpr auto Bom = FileEncoding::Utf8WithBom;
constexpr auto Cp1252 = FileEncoding::Windows1252;

// Each file reads as the expected text, is written back byte for byte, and is judged as a
// whole when it is read in chunks, wherever the chunks split a character.
TEST(TextEncoding, ReadsTheTextAndWritesTheSameBytes) {
  const struct {
    std::string bytes;
    std::string text;  // UTF-8
    FileEncoding encoding;
  } cases[] = {
      {"G00 X1 ;\r\n", "G00 X1 ;\r\n", Utf8},
      {"", "", Utf8},
      {"(\xC3\xA9 \xC2\xB0 \xC2\xB5) \xC3\x98"
       "30",
       "(é ° µ) Ø30", Utf8},
      {"(\xE4\xB8\xAD \xF0\x9F\x94\xA7)", "(中 🔧)", Utf8},
      {"(\xE9 \xB0 \xB5) \xD8"
       "30",
       "(é ° µ) Ø30", Cp1252},
      {"\x80 \x9C \x85 \x99", "€ œ … ™", Cp1252},
      {"\x81\x8D\x8F\x90\x9D", "\u0081\u008D\u008F\u0090\u009D", Cp1252},  // undefined in 1252
      {"\xEF\xBB\xBFG00 \xC3\xA9", "G00 é", Bom},
      {"\xEF\xBB\xBF", "", Bom},
      {"\xC3\xB8"
       "30 \xB0",
       "Ã¸30 °", Cp1252},  // UTF-8 with one Latin-1 byte
      {"\xEF\xBB\xBF\xFF", "ï»¿ÿ", Cp1252},
      {"X1 \xE4\xB8", "X1 ä¸", Cp1252},           // a sequence cut off
      {"\xC0\xAF", "À¯", Cp1252},                 // overlong
      {"\xED\xA0\x80", "í\u00A0€", Cp1252},       // a surrogate
      {"\xF4\x90\x80\x80", "ô\u0090€€", Cp1252},  // above U+10FFFF
  };
  for (const auto& c : cases) {
    const DecodedText decoded = DecodeText(c.bytes);
    EXPECT_EQ(decoded.text, c.text);
    EXPECT_EQ(decoded.encoding, c.encoding) << c.text;
    const EncodedText encoded = EncodeText(decoded.text, decoded.encoding);
    EXPECT_EQ(encoded.bytes, c.bytes);
    EXPECT_EQ(encoded.unencodable, "");
    for (std::size_t piece : {1, 2, 3, 5}) {
      EncodingDetector detector;
      for (std::size_t at = 0; at < c.bytes.size(); at += piece) {
        detector.add(std::string_view(c.bytes).substr(at, piece));
      }
      EXPECT_EQ(detector.encoding(), c.encoding) << c.text << ", pieces of " << piece;
    }
  }
}

TEST(TextEncoding, EveryByteReadAsCp1252ComesBack) {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  const DecodedText decoded = DecodeText(bytes);
  ASSERT_EQ(decoded.encoding, Cp1252);
  EXPECT_TRUE(IsValidUtf8(decoded.text));
  EXPECT_EQ(EncodeText(decoded.text, Cp1252).bytes, bytes);
}

TEST(TextEncoding, CharactersCp1252CannotHoldAreNamedNotReplaced) {
  EXPECT_EQ(EncodeText("€ Ω 中 Ω é \u0080", Cp1252).unencodable, "Ω 中 \u0080");
  EXPECT_EQ(EncodeText("€ Ω 中", Utf8).unencodable, "");
  EXPECT_EQ(EncodeText("€ Ω 中", Utf8).bytes, "€ Ω 中");
}

}  // namespace
}  // namespace draivo
