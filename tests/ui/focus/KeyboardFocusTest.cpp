#include "FocusChecks.h"
#include "MainWindowFixture.h"
#include "platform/QtDialogs.h"

namespace draivo::test {
namespace {

// While the step runs, every modal dialog it opens is noted with whether it got the keyboard,
// and is then closed.
std::vector<std::string> modalsDuring(const std::function<void()>& step) {
  std::vector<std::string> shown;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) return;
    watch.stop();
    shown.push_back(modal->metaObject()->className() +
                    std::string(getsKeyboard(modal) ? "" : " without keys"));
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      box->button(QMessageBox::Ok)->click();
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      dialog->reject();
    }
    watch.start();
  });
  watch.start(20);
  step();
  return shown;
}

// A user walks through the windows under an X server without a window manager: whatever
// opens takes the keyboard, and when it closes the keyboard goes back to where the user came
// from, in the main window and in the editor, so that the next key (a Ctrl+S) is not lost;
// what is typed in the editor's dialogs never lands in the design text.
TEST_F(MainWindowTest, EveryWindowThatOpensTakesTheKeyboardAndGivesItBack) {
  window->activateWindow();
  QWidget* design = window->designText();
  design->setFocus();
  ASSERT_TRUE(getsKeyboard(design)) << nameOfFocus();
  QtDialogs boxes;
  const std::vector<std::pair<const char*, std::function<void()>>> mainSteps{
      {"message box",
       [&] {
         boxes.messageBox(window.get(), "Tekst", "Draivo", MessageButtons::Ok,
                          MessageIcon::Information);
       }},
      {"open dialog", [&] { boxes.openFileName(window.get(), "Bestand openen", "*.nc", ""); }},
  };
  for (const auto& [name, step] : mainSteps) {
    EXPECT_EQ(modalsDuring(step).size(), 1u) << name;
    EXPECT_TRUE(getsKeyboard(design)) << name << ": " << nameOfFocus();
  }

  action("mnuBestandEditor")->trigger();
  auto* editor = find<frmNC_Editor>("frmNC_Editor");
  ASSERT_NE(editor, nullptr);
  ASSERT_TRUE(getsKeyboard(editor->textArea())) << nameOfFocus();
  for (const char* item : {"mnuBestandOpslaanAls", "mnuBestandOpenen", "mnuBestandAfdrukken"}) {
    modalsDuring([&] { trigger(*editor, item); });
    EXPECT_TRUE(getsKeyboard(editor->textArea())) << item << ": " << nameOfFocus();
  }

  editor->textArea()->setPlainText("G01 X1 ;\nG00 X2 ;\n");
  const auto search = [editor] {
    return editor->findDialog() ? editor->findDialog() : editor->replaceDialog();
  };
  const auto searchBox = [&]() -> QWidget* {
    return search() ? find("Combo1", search()) : nullptr;
  };
  const auto press = [&](const char* name) { find<QPushButton>(name, search())->click(); };
  const auto item = [&](const char* name) { trigger(*editor, name); };
  const auto menu = [this](const char* name) { action(name)->trigger(); };
  const auto textArea = [editor]() -> QWidget* { return editor->textArea(); };
  const auto designText = [this]() -> QWidget* { return window->designText(); };

  struct Step {
    const char* name;
    std::function<void()> act;
    std::function<QWidget*()> keyboard;  // where the keyboard must be afterwards
    std::vector<std::string> modals;
  };
  const std::vector<std::string> box{"QMessageBox"};
  const auto noMatch = [&] {
    qobject_cast<QComboBox*>(searchBox())->setEditText("G99");
    press("cmdZoeken");
  };
  // The design dialogs write into the design text, which has the keyboard afterwards.
  const Step steps[] = {
      {"Zoeken", [&] { item("mnuBewerkenZoeken"); }, searchBox, {}},
      {"Annuleren", [&] { press("cmdCancel"); }, textArea, {}},
      {"Vervangen", [&] { item("mnuBewerkenVervangen"); }, searchBox, {}},
      {"Alles vervangen", [&] { press("cmdReplaceAll"); }, textArea, box},
      {"Zoeken again", [&] { item("Zoeken"); }, searchBox, {}},
      {"Zoeken without a match", noMatch, textArea, box},
      {"Nieuw gereedschap", [&] { menu("mnuOntwerpNewTool"); }, designText, {"draivo::frmTool"}},
      {"G90 - G92 - G94", [&] { menu("mnuOntwerpG9094"); }, designText, {"draivo::frmG9094"}},
  };
  for (const Step& step : steps) {
    EXPECT_EQ(modalsDuring(step.act), step.modals) << step.name;
    EXPECT_TRUE(getsKeyboard(step.keyboard())) << step.name << ": " << nameOfFocus();
  }
}

}  // namespace
}  // namespace draivo::test
