#pragma once

#include <cstddef>
#include <string>

namespace draivo {

// Where a block stands: its program file, its 1-based line in that file (0 when the list
// shows no block) and its text as the program list holds it.
struct SourceLocation {
  std::string file;
  std::size_t line{};
  std::string block;
};

}  // namespace draivo
