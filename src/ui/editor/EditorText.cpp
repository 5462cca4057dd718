#include "editor/EditorText.h"

#include "editor/TextFiles.h"

namespace draivo {

std::string ToFileBytes(const QString& editorText) {
  return ToFileText(editorText.toLatin1().toStdString());
}

QString FromFileBytes(const std::string& fileText) {
  const std::string text = FromFileText(fileText);
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace draivo
