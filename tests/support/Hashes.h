#pragma once

#include <cstddef>
#include <cstdint>

#include "render/Surface.h"

namespace draivo::test {

constexpr std::uint64_t FnvStart = 0xcbf29ce484222325;

// FNV-1a (64 bits) of the bytes, going on from `hash`.
inline std::uint64_t Fnv1a(const void* data, std::size_t size, std::uint64_t hash = FnvStart) {
  constexpr std::uint64_t prime = 0x100000001b3;
  for (std::size_t i = 0; i < size; ++i)
    hash = (hash ^ static_cast<const unsigned char*>(data)[i]) * prime;
  return hash;
}

// Of the picture's pixel values row by row, as the golden folders' expected.hash holds it.
inline std::uint64_t PictureHash(const Surface& picture) {
  return Fnv1a(picture.pixels().data(), picture.pixels().size() * sizeof(Colour));
}

}  // namespace draivo::test
