#include "run/ProgramFileCheck.h"

#include <array>
#include <cstring>

#include "nc/BlockText.h"

namespace draivo {
namespace {

constexpr unsigned char Delete = 0x7F;

constexpr bool carriedByPrograms(unsigned char c) {
  return c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == 0x1B || c == 0x12 || c == 0x14;
}

// 1 for every byte that counts against a program file, 0 for the others.
constexpr std::array<std::uint8_t, 256> ForeignBytes = [] {
  std::array<std::uint8_t, 256> table{};
  for (unsigned c = 0; c < 0x20; ++c) {
    table[c] = carriedByPrograms(static_cast<unsigned char>(c)) ? 0 : 1;
  }
  table[Delete] = 1;
  return table;
}();

}  // namespace

void ProgramTextCheck::add(std::string_view piece) {
  bytes_ += piece.size();
  if (piece.empty()) return;
  if (!nul_ && std::memchr(piece.data(), 0, piece.size()) != nullptr) nul_ = true;
  std::uint64_t foreign = 0;
  for (const char c : piece) foreign += ForeignBytes[static_cast<unsigned char>(c)];
  foreign_ += foreign;
}

bool ProgramTextCheck::passed() const {
  return !nul_ && foreign_ * ForeignControlShare <= bytes_;
}

bool IsProgramText(std::string_view bytes) {
  ProgramTextCheck check;
  check.add(bytes);
  return check.passed();
}

std::string NotAProgramMessage(const std::string& fileName) {
  return "Het bestand \"" + ReplaceControlCharacters(fileName, "?") +
         "\" is geen NC-programma: het bevat binaire gegevens in plaats van tekst.";
}

}  // namespace draivo
