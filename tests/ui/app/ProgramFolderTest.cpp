#include <gtest/gtest.h>

#include <QFileInfo>
#include <QString>
#include <filesystem>
#include <ostream>
#include <string>

#include "platform/ProgramFolder.h"
#include "support/TempFolder.h"

namespace draivo {
namespace {

// Where the executable lies, relative to the test's folder; whether that folder exists, and
// whether the desktop entry of an installation lies beside it.
struct FolderCase {
  std::string name;
  std::string executableFolder;
  bool exists;
  bool installed;
  bool expectUserFolder;
};

void PrintTo(const FolderCase& c, std::ostream* os) {
  *os << c.name;
}

class ProgramFolderOf : public ::testing::TestWithParam<FolderCase> {};

TEST_P(ProgramFolderOf, IsTheWritableBuildFolderOrTheUserFolder) {
  const FolderCase& c = GetParam();
  test::TempFolder root;
  const std::filesystem::path executable = root.path() / c.executableFolder;
  if (c.exists) std::filesystem::create_directories(executable);
  if (c.installed) {
    std::filesystem::create_directories(root.path() / "usr/share/applications");
    root.write("usr/share/applications/nl.draivo.Draivo.desktop", "");
  }
  const QString user = QString::fromStdString((root.path() / "home/.local/share/draivo").string());

  const QString chosen = ChooseProgramFolder(QString::fromStdString(executable.string()), user);

  EXPECT_EQ(chosen, c.expectUserFolder ? user : QString::fromStdString(executable.string()));
  // The user folder is made only when it is chosen.
  EXPECT_EQ(QFileInfo(user).isDir(), c.expectUserFolder);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, ProgramFolderOf,
    ::testing::Values(FolderCase{"BuildFolder", "build/src/ui", true, false, false},
                      FolderCase{"InstalledCopy", "usr/bin", true, true, true},
                      FolderCase{"FolderThatCannotBeWritten", "missing/bin", false, false, true}),
    [](const ::testing::TestParamInfo<FolderCase>& info) { return info.param.name; });

}  // namespace
}  // namespace draivo
