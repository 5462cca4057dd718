#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QPlainTextEdit>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "FakeEditorDialogs.h"
#include "editor/frmNC_Editor.h"
#include "support/TempFolder.h"

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace draivo::test {

inline std::string contentOf(const QString& fileName) {
  std::ifstream in(fileName.toStdString(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// An editor on a fresh program folder whose dialogs the test answers.
class EditorFixture : public testing::Test {
 protected:
  std::unique_ptr<frmNC_Editor> openEditor(const QString& fileName = {}) {
    return std::make_unique<frmNC_Editor>(fileName, folderName(), dialogs);
  }
  QString folderName() const { return QString::fromStdString(folder.path().string()); }
  QString pathOf(const std::string& name) const {
    return QString::fromStdString((folder.path() / name).string());
  }
  QString writeFile(const std::string& name, const std::string& content) const {
    return QString::fromStdString(folder.write(name, content));
  }
  static void trigger(frmNC_Editor& editor, const char* name) {
    auto* action = editor.findChild<QAction*>(QString::fromLatin1(name));
    ASSERT_NE(action, nullptr) << name;
    action->trigger();
  }
  static QString textOf(const frmNC_Editor& editor) { return editor.textArea()->toPlainText(); }
  // The text the undo history was built on is the text the area shows.
  static void expectHistoryInStep(const frmNC_Editor& editor) {
    QString area = editor.textArea()->document()->toRawText();
    area.replace(QChar::ParagraphSeparator, u'\n');
    EXPECT_EQ(QString::fromStdU16String(editor.document().text().str()), area);
  }
  static void type(frmNC_Editor& editor, const QString& text) {
    editor.textArea()->insertPlainText(text);
  }

  TempFolder folder;
  std::shared_ptr<FakeEditorDialogs> dialogs = std::make_shared<FakeEditorDialogs>();
};

}  // namespace draivo::test
