#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/AppIdentity.h"
#include "app/frmGraphic.h"
#include "design/frmG9094.h"
#include "design/frmTool.h"
#include "editor/EditorDialogs.h"
#include "editor/SearchDialog.h"
#include "editor/frmNC_Editor.h"
#include "editor/frmReplace.h"
#include "platform/QtDialogs.h"

namespace draivo {
namespace {

TEST(AppIdentity, EveryWindowShowsDraivosIcon) {
  ApplyAppIdentity(*qApp);
  const QIcon icon = QApplication::windowIcon();
  for (const int size : {16, 48, 256}) {
    EXPECT_EQ(icon.pixmap(size).width(), size) << "icon of " << size << " pixels";
  }

  QtDialogs dialogs;
  frmGraphic main(dialogs);
  frmNC_Editor editor(QString(), QDir::tempPath(), std::make_shared<QtEditorDialogs>(), &main);
  auto* text = new QPlainTextEdit(&editor);
  frmFind find(text, &editor, std::make_shared<QtEditorDialogs>());
  frmReplace replace(text, &editor, std::make_shared<QtEditorDialogs>());
  frmTool tool([] { return true; }, [](const QString&) {}, &main);
  frmG9094 cycle([](const QString&) {}, [](QWidget*, const QString&, const QString&) {}, &main);
  for (QWidget* window : std::vector<QWidget*>{&main, &editor, &find, &replace, &tool, &cycle}) {
    EXPECT_EQ(window->windowIcon().cacheKey(), icon.cacheKey())
        << window->objectName().toStdString();
  }
}

struct ArgumentsCase {
  std::string name;
  QStringList arguments;
  QString expected;
};

void PrintTo(const ArgumentsCase& c, std::ostream* os) {
  *os << c.name;
}

class StartFileOf : public ::testing::TestWithParam<ArgumentsCase> {};

TEST_P(StartFileOf, IsTheFirstFileNamedAsAnAbsolutePath) {
  EXPECT_EQ(StartFileArgument(GetParam().arguments), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, StartFileOf,
    ::testing::Values(ArgumentsCase{"None", {"draivo"}, ""},
                      ArgumentsCase{"Absolute", {"draivo", "/tmp/shaft.nc"}, "/tmp/shaft.nc"},
                      ArgumentsCase{"Relative",
                                    {"draivo", "progs/shaft.nc"},
                                    QDir::current().filePath("progs/shaft.nc")},
                      ArgumentsCase{"AfterAnOption",
                                    {"draivo", "--reverse", "a.nc", "b.nc"},
                                    QDir::current().filePath("a.nc")}),
    [](const ::testing::TestParamInfo<ArgumentsCase>& info) { return info.param.name; });

}  // namespace
}  // namespace draivo
