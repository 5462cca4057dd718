#pragma once

#include <QString>
#include <string>
#include <string_view>

class QTextDocument;

namespace draivo {

// The text area's text in file form: UTF-8 with every line ended by CR LF, every character
// as it stands (no-break spaces too); the file's encoding is applied when it is written.
std::string FileTextOf(const QTextDocument& document);
// The text area's form of a file's text (UTF-8, lines ended by CR LF): lines ended by LF.
QString AreaTextOf(const std::string& fileText);

// The characters from `position` on, `count` of them, with LF between the paragraphs, as
// the editor's document holds them.
std::u16string AreaCharacters(QTextDocument& document, int position, int count);
// The number of characters of the text area, the end of its last paragraph not counted.
int AreaLength(const QTextDocument& document);

// The text area's characters as the search functions of the core see them.
inline std::u16string_view Utf16View(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

}  // namespace draivo
