#pragma once

#include <string_view>

namespace draivo {

// First line of every program that the design mode or the editor writes: ESC "&HE:" DC2 "%".
// The loader skips it.
inline constexpr std::string_view ProgramStartLine = "\x1B&HE:\x12%";

// Last line of such a program: "%" DC4, with no line end after it. The loader stops there.
inline constexpr std::string_view ProgramEndMarker = "%\x14";

// Line end of generated program text.
inline constexpr std::string_view LineEnd = "\r\n";

// Rapid to the tool-change position with the tool offset cancelled.
inline constexpr std::string_view ToolChangeBlock = "G00 X250 Z250 T0 ;";

// The same retreat with the coolant switched off, before a tool change or the program end.
inline constexpr std::string_view RetreatBlock = "G00 X250 Z250 T0 M09 ;";

}  // namespace draivo
