#include <gtest/gtest.h>

#include <map>
#include <string>

#include "run/TextEncoding.h"
#include "support/DataTable.h"

namespace draivo {
namespace {

constexpr auto Utf8 = FileEncoding::Utf8;
constexpr auto Bom = FileEncoding::Utf8WithBom;
constexpr auto Cp1252 = FileEncoding::Windows1252;

// Each file reads as the expected text, is written back byte for byte, and is judged as a
// whole when it is read in chunks, wherever the chunks split a character.
TEST(TextEncoding, ReadsTheTextAndWritesTheSameBytes) {
  const std::map<std::string, FileEncoding> encodings = {
      {"utf8", Utf8}, {"bom", Bom}, {"cp1252", Cp1252}};
  for (const auto& row : test::ReadTable("tables/text_encoding.rows")) {
    const std::string &bytes = row.at(0), &text = row.at(1);
    const FileEncoding encoding = encodings.at(row.at(2));
    const DecodedText decoded = DecodeText(bytes);
    EXPECT_EQ(decoded.text, text);
    EXPECT_EQ(decoded.encoding, encoding) << text;
    const EncodedText encoded = EncodeText(decoded.text, decoded.encoding);
    EXPECT_EQ(encoded.bytes, bytes);
    EXPECT_EQ(encoded.unencodable, "");
    for (std::size_t piece : {1, 2, 3, 5}) {
      EncodingDetector detector;
      for (std::size_t at = 0; at < bytes.size(); at += piece) {
        detector.add(std::string_view(bytes).substr(at, piece));
      }
      EXPECT_EQ(detector.encoding(), encoding) << text << ", pieces of " << piece;
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
