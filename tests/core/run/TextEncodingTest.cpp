#include <gtest/gtest.h>

#include <string>

#include "RunFixture.h"
#include "run/ProgramLoader.h"
#include "run/TextEncoding.h"

namespace draivo {
namespace {

struct DecodeCase {
  const char* label;
  std::string bytes;
  std::string text;  // UTF-8
  FileEncoding encoding;
};

void PrintTo(const DecodeCase& c, std::ostream* os) {
  *os << c.label;
}

class DecodeTextTest : public ::testing::TestWithParam<DecodeCase> {};

// Each file reads as the expected text and is written back byte for byte.
TEST_P(DecodeTextTest, ReadsTheTextAndWritesTheSameBytes) {
  const DecodeCase& c = GetParam();
  const DecodedText decoded = DecodeText(c.bytes);
  EXPECT_EQ(decoded.text, c.text);
  EXPECT_EQ(decoded.encoding, c.encoding);
  const EncodedText encoded = EncodeText(decoded.text, decoded.encoding);
  EXPECT_EQ(encoded.bytes, c.bytes);
  EXPECT_EQ(encoded.unencodable, "");
  // A file read in chunks is judged as a whole, wherever the chunks split a character.
  for (std::size_t piece : {1, 2, 3, 5}) {
    EncodingDetector detector;
    for (std::size_t at = 0; at < c.bytes.size(); at += piece) {
      detector.add(std::string_view(c.bytes).substr(at, piece));
    }
    EXPECT_EQ(detector.encoding(), c.encoding) << "pieces of " << piece;
  }
}

constexpr auto Utf8 = FileEncoding::Utf8;
constexpr auto Bom = FileEncoding::Utf8WithBom;
constexpr auto Cp1252 = FileEncoding::Windows1252;

INSTANTIATE_TEST_SUITE_P(
    Files, DecodeTextTest,
    ::testing::Values(
        DecodeCase{"ascii", "G00 X1 ;\r\n", "G00 X1 ;\r\n", Utf8},
        DecodeCase{"empty", "", "", Utf8},
        DecodeCase{"utf8", "(\xC3\xA9 \xC2\xB0 \xC2\xB5) \xC3\x98" "30", "(é ° µ) Ø30", Utf8},
        DecodeCase{"utf8 four bytes", "(\xE4\xB8\xAD \xF0\x9F\x94\xA7)", "(中 🔧)", Utf8},
        DecodeCase{"latin1", "(\xE9 \xB0 \xB5) \xD8" "30", "(é ° µ) Ø30", Cp1252},
        DecodeCase{"cp1252 signs", "\x80 \x9C \x85 \x99", "€ œ … ™", Cp1252},
        DecodeCase{"bytes cp1252 leaves undefined", "\x81\x8D\x8F\x90\x9D",
                   "\u0081\u008D\u008F\u0090\u009D", Cp1252},
        DecodeCase{"bom", "\xEF\xBB\xBFG00 \xC3\xA9", "G00 é", Bom},
        DecodeCase{"bom only", "\xEF\xBB\xBF", "", Bom},
        DecodeCase{"utf8 with one latin1 byte", "\xC3\xB8" "30 \xB0", "Ã¸30 °", Cp1252},
        DecodeCase{"bom then a bad byte", "\xEF\xBB\xBF\xFF", "ï»¿ÿ", Cp1252},
        DecodeCase{"cut off sequence", "X1 \xE4\xB8", "X1 ä¸", Cp1252},
        DecodeCase{"overlong", "\xC0\xAF", "À¯", Cp1252},
        DecodeCase{"surrogate", "\xED\xA0\x80", "í\u00A0€", Cp1252},
        DecodeCase{"above U+10FFFF", "\xF4\x90\x80\x80", "ô\u0090€€", Cp1252}));

TEST(DecodeText, EveryByteReadAsCp1252ComesBack) {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  const DecodedText decoded = DecodeText(bytes);
  ASSERT_EQ(decoded.encoding, Cp1252);
  EXPECT_TRUE(IsValidUtf8(decoded.text));
  EXPECT_EQ(EncodeText(decoded.text, Cp1252).bytes, bytes);
}

TEST(EncodeText, CharactersCp1252CannotHoldAreNamedNotReplaced) {
  const EncodedText latin = EncodeText("€ Ω 中 Ω é \u0080", Cp1252);
  EXPECT_EQ(latin.unencodable, "Ω 中 \u0080");
  EXPECT_EQ(EncodeText("€ Ω 中", Utf8).unencodable, "");
  EXPECT_EQ(EncodeText("€ Ω 中", Utf8).bytes, "€ Ω 中");
}

// The list shows the same blocks for the same program, whatever its file's encoding; a
// character of several bytes is never split by the normaliser.
TEST(DecodeText, ListShowsTheSameBlocksForEveryEncoding) {
  const std::vector<std::string> blocks = {"(é ° µ) ;", "G01 X5 Ø °2 ;", "%"};
  test::RunFixture f;
  for (const std::string& file : {std::string("(\xE9 \xB0 \xB5)\r\ng01x5\xD8\xB0" "2\r\n%\r\n"),
                                  std::string("(é ° µ)\r\ng01x5Ø°2\r\n%\r\n"),
                                  std::string("\xEF\xBB\xBF(é ° µ)\ng01 x5 Ø °2\n%\n")}) {
    f.host.dialogAnswer = f.folder.write("program.nc", file);
    f.sim.Open();
    ASSERT_EQ(f.sim.lstCommands.ListCount(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(f.sim.lstCommands.List(i), blocks[i]);
  }
}

}  // namespace
}  // namespace draivo
