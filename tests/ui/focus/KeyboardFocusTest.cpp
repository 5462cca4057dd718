#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QPlainTextEdit>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "app/frmGraphic.h"
#include "design/DesignController.h"
#include "editor/SearchDialog.h"
#include "editor/frmNC_Editor.h"
#include "platform/QtDialogs.h"

namespace draivo::test {
namespace {

constexpr int SettleMs = 3000;

bool hasKeyboard(const QWidget* widget) {
  const QWidget* focus = QApplication::focusWidget();
  return widget && focus && (focus == widget || widget->isAncestorOf(focus)) &&
         QApplication::activeWindow() == widget->window();
}

std::string nameOfFocus() {
  const QWidget* focus = QApplication::focusWidget();
  const QWidget* active = QApplication::activeWindow();
  return (active ? active->objectName().toStdString() : std::string("no window")) + "/" +
         (focus ? focus->objectName().toStdString() : std::string("nothing"));
}

// While the step runs, every modal dialog it opens is noted with whether it got the keyboard,
// and is then closed.
std::vector<std::string> modalsDuring(const std::function<void()>& step) {
  std::vector<std::string> shown;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) return;
    watch.stop();
    const bool active = QTest::qWaitFor([modal] { return hasKeyboard(modal); }, SettleMs);
    shown.push_back(modal->metaObject()->className() +
                    std::string(active ? "" : " without the keyboard"));
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      box->button(QMessageBox::Ok)->click();
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      dialog->reject();
    }
    watch.start();
  });
  watch.start(20);
  step();
  watch.stop();
  return shown;
}

// A user walks through the windows under an X server without a window manager: whatever
// opens takes the keyboard, and when it closes the keyboard goes back to where the user came
// from; what is typed in the editor's dialogs never lands in the design text.
TEST(KeyboardFocus, EveryWindowThatOpensTakesTheKeyboard) {
  QtDialogs dialogs;
  frmGraphic main(dialogs);
  ASSERT_TRUE(main.Form_Load(QSize(1024, 768)));
  main.show();
  main.activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &main; }, SettleMs));

  main.findChild<QAction*>("mnuBestandEditor")->trigger();
  auto* editor = main.findChild<frmNC_Editor*>();
  ASSERT_NE(editor, nullptr);
  editor->textArea()->setPlainText("G01 X1 ;\nG00 X2 ;\n");
  auto editorItem = [editor](const char* name) { editor->findChild<QAction*>(name)->trigger(); };
  auto searchBox = [editor] {
    SearchDialog* dialog = editor->findDialog() ? editor->findDialog() : editor->replaceDialog();
    return dialog ? dialog->findChild<QComboBox*>("Combo1") : nullptr;
  };
  auto click = [editor](const char* name) {
    SearchDialog* dialog = editor->findDialog() ? editor->findDialog() : editor->replaceDialog();
    dialog->findChild<QPushButton*>(name)->click();
  };
  EXPECT_TRUE(QTest::qWaitFor([&] { return hasKeyboard(editor->textArea()); }, SettleMs))
      << "Editor ...: " << nameOfFocus();

  struct Step {
    const char* name;
    std::function<void()> act;
    std::function<QWidget*()> keyboard;  // where the keyboard must be afterwards
    std::vector<std::string> modals;
  };
  const std::vector<std::string> messageBox{"QMessageBox"};
  const Step steps[] = {
      {"Zoeken", [&] { editorItem("mnuBewerkenZoeken"); }, searchBox, {}},
      {"Annuleren", [&] { click("cmdCancel"); }, [&] { return editor->textArea(); }, {}},
      {"Vervangen", [&] { editorItem("mnuBewerkenVervangen"); }, searchBox, {}},
      {"Alles vervangen", [&] { click("cmdReplaceAll"); }, [&] { return editor->textArea(); },
       messageBox},
      {"Zoeken again", [&] { editorItem("Zoeken"); }, searchBox, {}},
      {"Zoeken without a match",
       [&] {
         searchBox()->setEditText("G99");
         click("cmdZoeken");
       },
       [&] { return editor->textArea(); }, messageBox},
      // The design dialogs write into the design text, which has the keyboard afterwards.
      {"Nieuw gereedschap", [&] { main.design()->mnuOntwerpNewTool_Click(); },
       [&] { return main.designText(); }, {"draivo::frmTool"}},
      {"G90 - G92 - G94", [&] { main.design()->mnuOntwerpG9094_Click(); },
       [&] { return main.designText(); }, {"draivo::frmG9094"}},
  };
  for (const Step& step : steps) {
    EXPECT_EQ(modalsDuring(step.act), step.modals) << step.name;
    EXPECT_TRUE(QTest::qWaitFor([&] { return hasKeyboard(step.keyboard()); }, SettleMs))
        << step.name << ": " << nameOfFocus();
  }
  delete editor;
}

}  // namespace
}  // namespace draivo::test
