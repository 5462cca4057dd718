// NormaliseBlock, CleanBlock and the word readers on arbitrary lines: they must neither fail
// nor read outside the text, and must give lengths and values that make sense. The same bytes
// read as a file must give UTF-8 text that is written back as the same bytes.
#include <cmath>

#include "FuzzSupport.h"
#include "nc/BlockText.h"
#include "run/TextEncoding.h"

namespace {

using draivo::fuzz::asText;

constexpr double StartZoom = 3.4;

bool isLetter(char c) {
  return c >= 'A' && c <= 'Z';
}

// Reads the word at every position that follows a letter, and at the edges.
void readEveryWord(std::string_view text) {
  for (std::size_t p = 0; p <= text.size(); ++p) {
    if (p != 0 && p != text.size() && !isLetter(text[p - 1])) continue;
    const draivo::WordRead word = draivo::readWord(text, p);
    DRAIVO_FUZZ_CHECK(word.text.size() <= text.size());
    DRAIVO_FUZZ_CHECK(!word.valid || std::isfinite(word.value));
    DRAIVO_FUZZ_CHECK(word.valid || word.value == 0.0);

    const double plain = draivo::ReadWordValue(text, p);
    DRAIVO_FUZZ_CHECK(std::isfinite(plain));
    DRAIVO_FUZZ_CHECK(plain == word.value);
    (void)draivo::ReadWordValue(text, p, StartZoom);

    const int length = draivo::WordTextLength(text, p);
    DRAIVO_FUZZ_CHECK(length >= 0 && static_cast<std::size_t>(length) <= text.size());
    DRAIVO_FUZZ_CHECK(draivo::WordTextLength(text, p, StartZoom) >= 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line = asText(data, size);
  const std::string block = draivo::NormaliseBlock(line);
  const std::string clean = draivo::CleanBlock(line);
  // Upper case throughout: the lookups search capital letters only.
  for (const char c : block) DRAIVO_FUZZ_CHECK(!(c >= 'a' && c <= 'z'));
  for (const char c : clean) DRAIVO_FUZZ_CHECK(!(c >= 'a' && c <= 'z'));

  readEveryWord(line);
  readEveryWord(block);
  readEveryWord(clean);

  const draivo::DecodedText decoded = draivo::DecodeText(std::string(line));
  DRAIVO_FUZZ_CHECK(draivo::IsValidUtf8(decoded.text));
  const draivo::EncodedText encoded = draivo::EncodeText(decoded.text, decoded.encoding);
  DRAIVO_FUZZ_CHECK(encoded.unencodable.empty() && encoded.bytes == line);

  const draivo::WordRead number = draivo::parseNumber(line);
  DRAIVO_FUZZ_CHECK(!number.valid || std::isfinite(number.value));
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    DRAIVO_FUZZ_CHECK(std::isfinite(draivo::wordValue(block, letter)));
  }
  return 0;
}
