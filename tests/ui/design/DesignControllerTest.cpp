#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <functional>
#include <memory>

#include "DialogDriver.h"
#include "design/DesignController.h"
#include "design/DesignTextArea.h"
#include "support/TempFolder.h"

namespace draivo {
namespace {

const QString StartLine = QString::fromLatin1("\x1B&HE:\x12%");
const QString ProgramEnd = QString::fromLatin1("G00 X250 Z250 T0 M09 ;\r\nM30 ;\r\n%\x14");

// Runs `answer` on the next modal dialog as soon as it is open. A dialog that the answer
// leaves open is closed after a while, so that a failing test does not hang.
void whenModalOpens(std::function<void(QWidget*)> answer, int triesLeft = 200) {
  QTimer::singleShot(10, [answer, triesLeft] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr) {
      answer(modal);
      QPointer<QDialog> dialog = qobject_cast<QDialog*>(modal);
      QTimer::singleShot(2000, [dialog] {
        if (dialog.isNull() || !dialog->isVisible()) return;
        ADD_FAILURE() << "the dialog stayed open";
        dialog->reject();
      });
    } else if (triesLeft > 0) {
      whenModalOpens(answer, triesLeft - 1);
    }
  });
}

QByteArray fileContent(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

class DesignControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    area = new QTextEdit(&mainWindow);
    controller = new DesignController(area, &mainWindow,
                                      [this](const QString& path) { runs.push_back(path); });
    controller->setProgramFolder(QString::fromStdString(folder.path().string()));
    controller->setShowMessage([this](QWidget*, const QString& text, const QString& title) {
      messages.push_back(title + ": " + text);
    });
  }

  QAction* item(const char* name) { return test::control<QAction>(mainWindow, name); }

  QWidget mainWindow;
  QTextEdit* area = nullptr;
  DesignController* controller = nullptr;
  test::TempFolder folder;
  std::vector<QString> runs;
  std::vector<QString> messages;
};

TEST_F(DesignControllerTest, MenuHoldsTheFourItemsWithSeparators) {
  QMenu* menu = controller->menu();
  EXPECT_EQ(menu->objectName(), "mnuOntwerp");
  EXPECT_EQ(menu->title(), "Ontwerp");
  QStringList items;
  for (const QAction* action : menu->actions()) {
    items << (action->isSeparator() ? QString("-") : action->objectName() + "=" + action->text());
    EXPECT_TRUE(action->isEnabled());
  }
  EXPECT_EQ(items, (QStringList{"mnuOntwerpSimulatie=Simulatie", "-",
                                "mnuOntwerpNewTool=Nieuw gereedschap ...", "-",
                                "mnuOntwerpG9094=G90 - G92 - G94", "-",
                                "mnuOntwerpEinde=M30 Einde programma"}));
}

TEST_F(DesignControllerTest, RightButtonPopsTheMenuUp) {
  mainWindow.show();
  EXPECT_EQ(area->contextMenuPolicy(), Qt::CustomContextMenu);
  emit area->customContextMenuRequested(QPoint(5, 5));
  EXPECT_TRUE(controller->menu()->isVisible());
  controller->menu()->hide();
}

TEST_F(DesignControllerTest, InsertReplacesTheSelectionAndLeavesTheCaretAfterIt) {
  area->setPlainText("G00 X1 ;\nXXX\nM30 ;");
  QTextCursor cursor = area->textCursor();
  cursor.setPosition(9);
  cursor.setPosition(12, QTextCursor::KeepAnchor);
  area->setTextCursor(cursor);
  controller->InsertDesignText("X45 ;\r\nX42 ;");
  controller->InsertDesignText("\r\nX40 ;");
  EXPECT_EQ(designText(*area), "G00 X1 ;\r\nX45 ;\r\nX42 ;\r\nX40 ;\r\nM30 ;");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "\r\nX40 ;");
}

TEST_F(DesignControllerTest, ProgramEndAppendsTheThreeLinesEachTime) {
  item("mnuOntwerpEinde")->trigger();
  EXPECT_EQ(designText(*area), ProgramEnd);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), ProgramEnd);
  item("mnuOntwerpEinde")->trigger();
  EXPECT_EQ(designText(*area), ProgramEnd + ProgramEnd);
  EXPECT_FALSE(controller->designEmpty());
}

TEST_F(DesignControllerTest, SimulatieWritesTheDesignFileAndRunsIt) {
  area->setPlainText(StartLine + "\n:0000 ;\nG00 X10 ;\n%\x14");
  const QString expectedPath =
      QDir(QString::fromStdString(folder.path().string())).filePath("T0000.Nc");
  QFile earlier(expectedPath);
  ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
  earlier.write("an earlier design that is much longer than the new one\r\n");
  earlier.close();
  item("mnuOntwerpSimulatie")->trigger();
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0], expectedPath);
  EXPECT_EQ(fileContent(expectedPath),
            QByteArray("\x1B&HE:\x12%\r\n:0000 ;\r\nG00 X10 ;\r\n%\x14"));
  EXPECT_EQ(area->toPlainText(), StartLine + "\n:0000 ;\nG00 X10 ;\n%\x14");
  EXPECT_TRUE(messages.empty());
}

TEST_F(DesignControllerTest, SimulatieOfAnEmptyDesignWritesAnEmptyFile) {
  item("mnuOntwerpSimulatie")->trigger();
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(fileContent(runs[0]), QByteArray());
}

TEST_F(DesignControllerTest, UnwritableDesignFileIsReportedAndNotRun) {
  controller->setProgramFolder(
      QString::fromStdString((folder.path() / "missing" / "folder").string()));
  area->setPlainText("G00 X10 ;");
  item("mnuOntwerpSimulatie")->trigger();
  EXPECT_TRUE(runs.empty());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].startsWith("Simulatie: "));
  EXPECT_TRUE(messages[0].contains("T0000.Nc"));
}

TEST_F(DesignControllerTest, ProgramFolderIsTheFolderOfTheExecutable) {
  DesignController fresh(area, &mainWindow, [](const QString&) {});
  EXPECT_EQ(fresh.programFolder(), QCoreApplication::applicationDirPath());
  EXPECT_EQ(fresh.designFilePath(), QCoreApplication::applicationDirPath() + "/T0000.Nc");
}

TEST_F(DesignControllerTest, NewToolWritesTheHeaderOnceThenRetreats) {
  mainWindow.show();
  const auto pressToevoegen = [](QWidget* modal) {
    EXPECT_EQ(modal->objectName(), "frmTool");
    test::click(test::control<QPushButton>(*modal, "Command1"));
  };
  whenModalOpens(pressToevoegen);
  item("mnuOntwerpNewTool")->trigger();
  whenModalOpens(pressToevoegen);
  item("mnuOntwerpNewTool")->trigger();
  EXPECT_EQ(designText(*area),
            StartLine +
                "\r\n:0000 ;\r\nG21 G40 G99 ;\r\nG00 X250 Z250 T0 ;\r\nT0101 ;\r\n"
                "G50 S3000 ;\r\nG96 S200 M03 ;\r\n"
                "G00 X250 Z250 T0 M09 ;\r\nM01 ;\r\nT0101 ;\r\n"
                "G50 S3000 ;\r\nG96 S200 M03 ;\r\n");
}

TEST_F(DesignControllerTest, ABlankDesignIsNotEmpty) {
  mainWindow.show();
  area->setPlainText(" ");
  area->moveCursor(QTextCursor::End);
  whenModalOpens(
      [](QWidget* modal) { test::click(test::control<QPushButton>(*modal, "Command1")); });
  item("mnuOntwerpNewTool")->trigger();
  EXPECT_TRUE(designText(*area).startsWith(" G00 X250 Z250 T0 M09 ;\r\nM01 ;\r\n"));
}

TEST_F(DesignControllerTest, CycleDialogStaysOpenUntilSluiten) {
  mainWindow.show();
  whenModalOpens([](QWidget* modal) {
    EXPECT_EQ(modal->objectName(), "frmG9094");
    const QWidget& firstTab = *test::control<QTabWidget>(*modal, "SSTab1")->widget(0);
    QPushButton* add = test::control<QPushButton>(firstTab, "cmdAdd");
    test::click(add);
    test::click(add);
    EXPECT_TRUE(modal->isVisible());
    test::click(test::control<QPushButton>(firstTab, "cmdCancel"));
  });
  item("mnuOntwerpG9094")->trigger();
  const QString cycle = "G00 X0 Z0 ;\r\nG90 X0 Z0 F0.2 ;\r\nX0 ;\r\nG00 X0 Z0 ;\r\n";
  EXPECT_EQ(designText(*area), cycle + cycle);
}

}  // namespace
}  // namespace draivo
