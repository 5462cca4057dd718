#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "editor/TextFiles.h"
#include "support/TempFolder.h"

namespace draivo {
namespace {

namespace fs = std::filesystem;

std::string contentOf(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(LineEnds, EditorTextAndFileTextRoundTrip) {
  EXPECT_EQ(ToFileText("A\nB\n"), "A\r\nB\r\n");
  EXPECT_EQ(FromFileText("A\r\nB\r\n"), "A\nB\n");
  EXPECT_EQ(FromFileText(ToFileText("\x1B&HE:\x12%\nX\n%\x14")), "\x1B&HE:\x12%\nX\n%\x14");
}

TEST(SaveFileAtomically, ReplacesTheFileAndLeavesNoTemporary) {
  test::TempFolder folder;
  const auto file = folder.write("A.nc", "old");
  const auto result = SaveFileAtomically(file, "new\r\n");
  ASSERT_TRUE(result.ok) << result.message;
  EXPECT_EQ(contentOf(file), "new\r\n");
  EXPECT_FALSE(fs::exists(AtomicSaveTempPath(file)));
}

TEST(SaveFileAtomically, CreatesAMissingFile) {
  test::TempFolder folder;
  const auto file = (folder.path() / "B.nc").string();
  ASSERT_TRUE(SaveFileAtomically(file, "x").ok);
  EXPECT_EQ(contentOf(file), "x");
}

TEST(SaveFileAtomically, FailedWriteLeavesTheOldFileWhole) {
  test::TempFolder folder;
  const auto file = folder.write("A.nc", "old content");
  fs::create_directory(AtomicSaveTempPath(file));  // the temporary cannot be written
  const auto result = SaveFileAtomically(file, "new");
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.message.find(file), std::string::npos);
  EXPECT_EQ(contentOf(file), "old content");
  EXPECT_TRUE(fs::is_directory(AtomicSaveTempPath(file)));
}

TEST(SaveFileAtomically, FolderThatIsAFileIsReported) {
  test::TempFolder folder;
  const auto notAFolder = folder.write("plain", "keep");
  EXPECT_FALSE(SaveFileAtomically(notAFolder + "/A.nc", "x").ok);
  EXPECT_EQ(contentOf(notAFolder), "keep");
}

TEST(SaveFileAtomically, TargetThatIsAFolderIsReported) {
  test::TempFolder folder;
  fs::create_directory(folder.path() / "A.nc");
  EXPECT_FALSE(SaveFileAtomically((folder.path() / "A.nc").string(), "x").ok);
  EXPECT_TRUE(fs::is_directory(folder.path() / "A.nc"));
  EXPECT_FALSE(fs::exists(AtomicSaveTempPath((folder.path() / "A.nc").string())));
}

TEST(SaveFileAtomically, ReadOnlyFileIsNotReplaced) {
  test::TempFolder folder;
  const auto file = folder.write("A.nc", "old");
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
  const auto result = SaveFileAtomically(file, "new");
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.message.find("alleen-lezen"), std::string::npos);
  EXPECT_EQ(contentOf(file), "old");
}

TEST(SaveFileAtomically, ReplacedFileKeepsItsPermissions) {
  test::TempFolder folder;
  const auto file = folder.write("A.nc", "old");
  const auto permissions = fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read;
  fs::permissions(file, permissions);
  ASSERT_TRUE(SaveFileAtomically(file, "new").ok);
  EXPECT_EQ(fs::status(file).permissions(), permissions);
  EXPECT_EQ(contentOf(file), "new");
}

// A Latin-1 file comes back byte for byte, and a character it cannot hold is never written.
TEST(TextFile, KeepsTheEncodingItWasReadIn) {
  test::TempFolder folder;
  const std::string bytes = "\x1B&HE:\x12%\r\nG00 \xE9\r\n%\x14";
  const auto file = folder.write("A.nc", bytes);
  const auto read = ReadTextFile(file);
  ASSERT_TRUE(read.ok);
  EXPECT_EQ(read.content, "\x1B&HE:\x12%\r\nG00 é\r\n%\x14");
  EXPECT_EQ(read.encoding, FileEncoding::Windows1252);
  ASSERT_TRUE(SaveTextFile(file, read.content, read.encoding).ok);
  EXPECT_EQ(contentOf(file), bytes);

  const auto refused = SaveTextFile(file, read.content + "€ Ω 中", read.encoding);
  EXPECT_FALSE(refused.ok);
  EXPECT_EQ(refused.unencodable, "Ω 中");
  EXPECT_EQ(contentOf(file), bytes);
  ASSERT_TRUE(SaveTextFile(file, read.content + "€ Ω 中", FileEncoding::Utf8).ok);
  EXPECT_EQ(contentOf(file), read.content + "€ Ω 中");
}

TEST(ReadTextFile, MissingFileIsReported) {
  test::TempFolder folder;
  const auto result = ReadTextFile((folder.path() / "weg.nc").string());
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.message.find("bestaat niet"), std::string::npos);
}

TEST(ReadTextFile, FolderIsReported) {
  test::TempFolder folder;
  EXPECT_FALSE(ReadTextFile(folder.path().string()).ok);
}

TEST(RemoveFile, DeletesAnExistingFile) {
  test::TempFolder folder;
  const auto file = folder.write("A.nc", "x");
  EXPECT_TRUE(RemoveFile(file).ok);
  EXPECT_FALSE(fs::exists(file));
}

TEST(RemoveFile, MissingFileIsReported) {
  test::TempFolder folder;
  const auto result = RemoveFile((folder.path() / "Nieuw").string());
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.message.find("bestaat niet"), std::string::npos);
}

TEST(RemoveFile, FolderIsNotDeleted) {
  test::TempFolder folder;
  fs::create_directory(folder.path() / "sub.nc");
  EXPECT_FALSE(RemoveFile((folder.path() / "sub.nc").string()).ok);
  EXPECT_TRUE(fs::exists(folder.path() / "sub.nc"));
}

}  // namespace
}  // namespace draivo
