#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace draivo {

// Editor files hold one byte per character (Latin-1, as the program files are written) and
// end their lines with CR LF; the text area holds LF.
std::string ToFileBytes(const QString& editorText);
QString FromFileBytes(const std::string& fileText);

// The text area's characters as the search functions of the core see them.
inline std::u16string_view Utf16View(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

}  // namespace draivo
