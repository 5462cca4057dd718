#pragma once

#include <string>
#include <string_view>

namespace draivo {

// The name a new, never saved editor document carries in its program folder.
inline constexpr std::string_view NewDocumentTitle = "Nieuw";

// The part of the path after its last "\" or "/"; the whole path when it holds neither.
std::string FileTitle(std::string_view path);

// A document whose title is "Nieuw", or that has no name, is saved through Save As.
bool IsNewDocumentName(std::string_view path);

}  // namespace draivo
