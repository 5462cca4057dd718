#include <gtest/gtest.h>

#ifdef DRAIVO_SIM

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "run/FileHelpers.h"
#include "support/DataTable.h"
#include "support/SimRun.h"
#include "support/TempFolder.h"

namespace draivo::test {
namespace {

namespace fs = std::filesystem;

// A folder of programs good and bad, and the marks that name them in the tables:
// {p} good, {f} a fault on its line 3, {m} a missing subprogram called on line 3, {s} a fault
// on line 3 of its subprogram (whose line 1 is the start line), {bin} binary, {big} one byte
// over the largest program, {fifo} a named pipe, {noread} without read permission, {dir} the
// folder.
class ProgramFolder {
 public:
  ProgramFolder() {
    folder_.write("p.nc", "T0101 ;\nG00 X20 Z0 ;\nG01 Z-50 F100 ;\nM30 ;\n");
    folder_.write("f.nc", "T0101 ;\nG00 X50 Z2 ;\nG71 U2 R1 ;\n");
    folder_.write("m.nc", ":0012 ;\nG00 X10 ;\nM98 P1234 ;\nG01 Z-5 F0.2 ;\n");
    folder_.write("s.nc", "G00 X10 Z0 ;\nM98 P0007 ;\nM30 ;\n");
    folder_.write("O0007.nc", "\x1B&HE:\x12%\nG00 X1 ;\nG71 U2 R1 ;\n");
    folder_.write("bin.nc", std::string("PK\x03\x04\0\0\x14\0", 8) + std::string(200, '\x01'));
    std::string big(MaxProgramFileBytes + 1, ';');
    for (std::size_t i = 0; i < big.size(); i += 64) big[i] = '\n';
    folder_.write("big.nc", big);
    mkfifo((folder_.path() / "fifo").c_str(), 0600);
    fs::permissions(folder_.write("noread.nc", "G00 X1 ;\n"), fs::perms::none);
    const std::string dir = folder_.path().string();
    for (const char* name : {"p", "f", "m", "s", "bin", "big", "noread"}) {
      marks_.emplace_back(std::string("{") + name + "}", dir + "/" + name + ".nc");
    }
    marks_.emplace_back("{fifo}", dir + "/fifo");
    marks_.emplace_back("{dir}", dir);
  }

  const Marks& marks() const { return marks_; }
  const fs::path& path() const { return folder_.path(); }

 private:
  TempFolder folder_;
  Marks marks_;
};

std::string expected(const std::string& text, const Marks& marks) {
  const std::string lines = substituted(text, marks);
  return lines.empty() ? lines : lines + "\n";
}

// Several programs at once: each its own run, its lines marked with its name, the summary
// and the worst exit status at the end; the bad files reported each on its own line.
TEST(DraivoSimFiles, ChecksEveryFileAndSumsUp) {
  const ProgramFolder folder;
  for (const auto& row : ReadTable("tables/draivo_sim_files.rows")) {
    // Root reads any file, whatever its permissions say.
    if (row.size() > 4 && row[4] == "not-as-root" && geteuid() == 0) continue;
    // "ARGUMENTS < FILE": standard input from the file.
    const std::string& arguments = row.at(0);
    const auto from = arguments.find(" < ");
    const std::string input = from == std::string::npos
                                  ? "/dev/null"
                                  : shellQuoted(substituted(arguments.substr(from + 3), folder.marks()));
    const std::string command = shellQuoted(DRAIVO_SIM) + " " + arguments.substr(0, from);
    const SimRun run = RunCommand(command, folder.marks(), folder.path(), input);
    EXPECT_EQ(run.status, std::stoi(row.at(1))) << row.at(0);
    EXPECT_EQ(run.out, expected(row.at(2), folder.marks())) << row.at(0);
    EXPECT_EQ(run.err, expected(row.at(3), folder.marks())) << row.at(0);
  }
}

// Files checked side by side print exactly what they print one after the other, in the order
// of the arguments, whatever finishes first: the bad files, a long run before short ones.
// (The JSON objects of parallel checks come in the order of the files too: JsonOutputTest.)
TEST(DraivoSimFiles, ParallelChecksPrintTheSameAsOneAfterTheOther) {
  const ProgramFolder folder;
  std::string files = "{dir}/none.nc {f} {bin} {m} {s} {p} {fifo} {dir}";
  for (const auto& entry : fs::directory_iterator(DataFolder())) {
    if (fs::exists(entry.path() / "program.nc")) files += " " + shellQuoted((entry.path() / "program.nc").string());
  }
  SimRun runs[2];
  for (int jobs : {1, 2}) {
    const std::string command = shellQuoted(DRAIVO_SIM) + " -j " + std::to_string(jobs) +
                                " --trace --status --time --check " + files;
    runs[jobs - 1] = RunCommand(command, folder.marks(), folder.path());
  }
  EXPECT_EQ(runs[0].status, 1);
  EXPECT_EQ(runs[1].status, runs[0].status);
  EXPECT_GT(runs[0].out.size(), 100000u);
  EXPECT_TRUE(runs[1].out == runs[0].out);
  EXPECT_EQ(runs[1].err, runs[0].err);
}

}  // namespace
}  // namespace draivo::test

#endif
