#pragma once

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ScriptedDialogs.h"
#include "app/frmGraphic.h"
#include "editor/SearchDialog.h"
#include "editor/frmNC_Editor.h"
#include "support/TempFolder.h"

// Readable QString values in test failures.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace draivo::test {

// A numbered program of a few moves that ends with M30.
inline constexpr const char* Shaft =
    ":0012 ;\nN10 G21 G99 ;\nN20 G00 X40 Z2 ;\nN30 G01 Z-30 F0.2 ;\nN40 G01 X60 Z-40 ;\n"
    "N50 G00 X100 Z50 ;\nN60 M30 ;\n";

// Builds a fresh main window for every test, loaded at 1024 x 768 and shown, with scripted
// dialogs and a fresh program folder; finds the controls of the window and of the dialogs
// and editors beside it by their names, and drives them as a user does.
class MainWindowTest : public ::testing::Test {
 protected:
  static constexpr int DriverIntervalMs = 20;
  static constexpr int RunTimeLimitMs = 60000;

  void SetUp() override;
  void TearDown() override { window.reset(); }

  // The control of that name in `in`; without `in`, in the main window or, when it has none
  // of that name, in another open window.
  template <typename T = QWidget>
  T* find(const char* name, const QObject* in = nullptr) const {
    T* found = (in ? in : window.get())->findChild<T*>(name);
    for (QWidget* top : QApplication::topLevelWidgets())
      if (found == nullptr && in == nullptr && top->isVisible()) found = top->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QAction* action(const char* name, const QObject* in = nullptr) const {
    return find<QAction>(name, in);
  }
  // Whether each of the menu items is enabled.
  std::vector<bool> enabled(std::initializer_list<const char*> items) const {
    std::vector<bool> states;
    for (const char* item : items) states.push_back(action(item)->isEnabled());
    return states;
  }
  Simulator& sim() { return window->simulator(); }

  // Writes a file into the test's folder and returns its path.
  std::string writeProgram(const std::string& name, const std::string& text) {
    return folder.write(name, text);
  }
  QString writeFile(const std::string& name, const std::string& bytes) {
    return QString::fromStdString(folder.write(name, bytes));
  }
  QString folderName() const { return QString::fromStdString(folder.path().string()); }
  QString pathOf(const std::string& name) const {
    return QString::fromStdString((folder.path() / name).string());
  }
  // Opens the file through "Openen ..." and drives its run (see drive).
  void openAndRun(const std::string& file, std::function<void()> atGate = {});
  // Runs `trigger` (which holds a whole run) while a driver calls `atGate` whenever the run
  // waits with Start released (default: a click on the start button). The ListIndex at
  // every such wait is recorded in gateStops.
  void drive(const std::function<void()>& trigger, std::function<void()> atGate = {});
  void clickStart() { QTest::mouseClick(find("picViewCommand2"), Qt::LeftButton); }

  // Triggers the menu item, which opens a modal dialog, and runs `use` while it is open; a
  // dialog left open is closed.
  void withModal(const char* item, const std::function<void(QDialog&)>& use);

  // An editor window on the file (empty: a new text); its program folder is the test's.
  std::unique_ptr<frmNC_Editor> openEditor(const QString& file = {}, QString programFolder = {});
  void trigger(const frmNC_Editor& editor, const char* name) { action(name, &editor)->trigger(); }

  ScriptedDialogs dialogs;
  std::unique_ptr<frmGraphic> window;
  TempFolder folder;
  std::vector<int> gateStops;
  bool timedOut = false;
};

// Clicks the field (giving it the focus) and types the text over its whole content.
void typeInto(QLineEdit* field, const QString& text);
// A left click near the left edge (where an option box reacts), then its events.
void click(QWidget* widget);
inline void settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}
std::string contentOf(const QString& fileName);
// Selects the characters from `start` to `end` of the editor's text.
void selectText(frmNC_Editor& editor, int start, int end);
// The editor's text as its area holds it, lines ended by "\n".
inline QString areaText(const frmNC_Editor& editor) {
  return editor.textArea()->document()->toRawText().replace(QChar::ParagraphSeparator, u'\n');
}
// Whether the undo history was built on the text that the editor's text area shows.
inline bool historyFollowsText(const frmNC_Editor& editor) {
  return QString::fromStdU16String(editor.document().text().str()) == areaText(editor);
}

}  // namespace draivo::test
