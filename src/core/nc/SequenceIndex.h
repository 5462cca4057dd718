#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace draivo {

class BlockTexts;

// Finds the first program entry that contains a sequence key ("N" and a number text) without
// reading every entry: the texts that start at an "N" and run to the next blank, sorted. A key
// without blanks that starts with "N" lies inside an entry exactly when one of these texts of
// the entry starts with it.
class SequenceIndex {
 public:
  // More texts than this are not indexed: the searches then read the entries one by one.
  static constexpr std::size_t MaxRuns = 1'000'000;
  // Texts are kept to this length, which bounds the work of sorting them; longer keys (no
  // sequence number is that long) are searched entry by entry.
  static constexpr std::size_t MaxKeyLength = 32;

  // Nothing when the entries hold more than MaxRuns texts starting at an "N".
  static std::optional<SequenceIndex> build(const BlockTexts& entries);

  // Whether `key` can be looked up here (it starts with "N", holds no blank and is at most
  // MaxKeyLength long).
  static bool indexable(std::string_view key);

  // The first entry that contains `key` (an indexable key); entries.size() when none does.
  // `entries` must be the entries the index was built from.
  std::size_t firstContaining(const BlockTexts& entries, std::string_view key) const;

 private:
  struct Run {
    std::uint32_t entry;
    std::uint32_t offset;
    std::uint32_t length;
  };
  std::vector<Run> runs_;
};

}  // namespace draivo
