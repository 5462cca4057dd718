#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>

#include "editor/ShowEditor.h"
#include "editor/frmNC_Editor.h"
#include "support/TempFolder.h"

namespace draivo::test {
namespace {

TEST(ShowEditor, OpensOneEditorOnTopUntilItIsClosed) {
  int exits = 0;
  QPointer<frmNC_Editor> editor = showEditor(nullptr, QString(), [&] { ++exits; });
  ASSERT_FALSE(editor.isNull());
  EXPECT_TRUE(editor->isVisible());
  EXPECT_TRUE(editor->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_EQ(editor->windowTitle(), "NC Editor : Nieuw");
  EXPECT_EQ(showEditor(nullptr, QStringLiteral("/elders/B.nc")), editor.data());

  editor->findChild<QAction*>(QStringLiteral("mnuBestandAfsluiten"))->trigger();
  EXPECT_EQ(exits, 1);

  EXPECT_TRUE(editor->close());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(editor.isNull());

  TempFolder folder;
  const auto file = QString::fromStdString(folder.write("O0001.nc", "G00 X1 ;\r\n"));
  QPointer<frmNC_Editor> second = showEditor(nullptr, file);
  ASSERT_FALSE(second.isNull());
  EXPECT_EQ(second->windowTitle(), "NC Editor : O0001.nc");
  delete second.data();
}

}  // namespace
}  // namespace draivo::test
