#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace draivo::fuzz {

// The fuzzer's bytes as text.
inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Splits the text at every occurrence of `separator`; at most `most` parts, the last one
// keeping the rest.
inline std::vector<std::string> splitParts(std::string_view text, std::string_view separator,
                                           std::size_t most) {
  std::vector<std::string> parts;
  while (parts.size() + 1 < most) {
    const std::size_t at = text.find(separator);
    if (at == std::string_view::npos) break;
    parts.emplace_back(text.substr(0, at));
    text.remove_prefix(at + separator.size());
  }
  parts.emplace_back(text);
  return parts;
}

// Stops the fuzzer with a message when a property of the code under test does not hold.
#define DRAIVO_FUZZ_CHECK(condition)                                                        \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                         \
    }                                                                                       \
  } while (false)

}  // namespace draivo::fuzz
