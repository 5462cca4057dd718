#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace draivo {

class SequenceIndex;

// The texts of a list of blocks, one after the other in one buffer, with the end offset of
// each: a program costs its text and four bytes per entry. Entries are read as views, which
// stay valid until the texts change.
class BlockTexts {
 public:
  BlockTexts();
  BlockTexts(const BlockTexts& other);  // copies the texts; the index is built again
  BlockTexts& operator=(const BlockTexts&) = delete;
  ~BlockTexts();

  std::size_t size() const { return ends_.size(); }
  std::string_view operator[](std::size_t index) const {
    const std::uint32_t begin = index == 0 ? 0 : ends_[index - 1];
    return {text_.data() + begin, ends_[index] - begin};
  }

  // Appends an entry. Throws std::length_error past 4 GiB of text (a program file is at most
  // 64 MiB, and normalising at most doubles a line).
  void add(std::string_view text);
  // A line of the file was passed over before the next entry (the start line that design
  // mode writes), so that the entries after it keep the line numbers of their file.
  void skipLine() { skips_.push_back(static_cast<std::uint32_t>(size())); }
  // The 1-based line of the entry in the file it was loaded from: its position, plus the
  // lines passed over before it. Only the skipped lines are recorded.
  std::size_t lineOf(std::size_t index) const;
  void clear();
  // Room for this many entries and bytes, so that loading a program copies nothing.
  void reserve(std::size_t entries, std::size_t bytes);
  // Gives back room reserved beyond the texts.
  void shrinkToFit();

  // The first entry that contains `text`; size() when none does. Sequence keys ("N" and a
  // number) are found through an index built at the first such search.
  std::size_t firstContaining(std::string_view text) const;

 private:
  std::string text_;
  std::vector<std::uint32_t> ends_;
  std::vector<std::uint32_t> skips_;  // per skipped line, the index of the entry after it
  mutable std::unique_ptr<const SequenceIndex> index_;
  mutable bool indexTried_{};
};

}  // namespace draivo
