#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/Surface.h"

namespace draivo::test {

constexpr std::uint64_t FnvStart = 0xcbf29ce484222325;
constexpr std::uint64_t FnvPrime = 0x100000001b3;

// FNV-1a (64 bits) of the bytes, going on from `hash`.
inline std::uint64_t Fnv1a(const void* data, std::size_t size, std::uint64_t hash = FnvStart) {
  for (std::size_t i = 0; i < size; ++i)
    hash = (hash ^ static_cast<const unsigned char*>(data)[i]) * FnvPrime;
  return hash;
}

// Of the picture's pixel values row by row, as the golden folders' expected.hash holds it.
inline std::uint64_t PictureHash(const Surface& picture) {
  return Fnv1a(picture.pixels().data(), picture.pixels().size() * sizeof(Colour));
}

// Of the picture's pixels two at a time: quicker, for comparing pictures within one test. Each
// step is one-to-one, so pictures that differ in one pixel always differ in it.
inline std::uint64_t QuickPictureHash(const Surface& picture) {
  const std::vector<Colour>& pixels = picture.pixels();
  std::uint64_t hash = FnvStart;
  std::size_t i = 0;
  for (; i + 1 < pixels.size(); i += 2)
    hash = (hash ^ (pixels[i] | std::uint64_t{pixels[i + 1]} << 32)) * FnvPrime;
  if (i < pixels.size()) hash = (hash ^ pixels[i]) * FnvPrime;
  return hash;
}

}  // namespace draivo::test
