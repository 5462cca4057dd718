#include <gtest/gtest.h>

#ifdef DRAIVO_SIM

#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <set>

#include "support/DataTable.h"
#include "support/SimRun.h"
#include "support/TempFolder.h"

namespace draivo::test {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

const fs::path SourceFolder = fs::path(DRAIVO_TEST_DATA_DIR).parent_path().parent_path();

// Every example and every golden program, in a fixed order.
std::vector<std::string> programs() {
  std::vector<std::string> files;
  for (const auto& entry : fs::directory_iterator(DRAIVO_EXAMPLES_DIR)) {
    if (entry.path().extension() == ".nc") files.push_back(entry.path().string());
  }
  for (const auto& entry : fs::directory_iterator(DRAIVO_TEST_DATA_DIR)) {
    if (fs::exists(entry.path() / "program.nc"))
      files.push_back((entry.path() / "program.nc").string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

SimRun validate(const std::string& jsonLines, const TempFolder& folder) {
  const std::string file = folder.write("objects.jsonl", jsonLines);
  return RunCommand(
      "python3 {validator} {schema} {file}",
      {{"{validator}", (SourceFolder / "tests/support/validate_json_lines.py").string()},
       {"{schema}", (SourceFolder / "docs/draivo-sim.schema.json").string()},
       {"{file}", file}},
      folder.path());
}

// One object per program, in the order of the files checked side by side, each valid by the
// schema in docs/ and written as the JSON library writes it back after reading it; a short run
// case executes the blocks of its expected trace.
TEST(DraivoSimJson, EveryProgramGivesAValidObject) {
  const TempFolder folder;
  const std::vector<std::string> files = programs();
  std::map<std::string, std::size_t> tracedBlocks;
  for (const fs::path& program : ShortRunCases())
    tracedBlocks[program.string()] = ReadLines(program.parent_path() / "expected.trace").size();
  std::string arguments;
  for (const std::string& file : files) arguments += " " + shellQuoted(file);
  const SimRun run =
      RunCommand(shellQuoted(DRAIVO_SIM) + " -j 2 --json --direct" + arguments, {}, folder.path());
  EXPECT_EQ(run.status, 1);  // among the golden cases are files that are no programs
  const std::vector<std::string> lines = TextLines(run.out);
  ASSERT_EQ(lines.size(), files.size());
  // The faults of the objects are what --check prints of the same files.
  std::string faults;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const Json object = Json::parse(lines[i]);
    EXPECT_EQ(object.dump(), lines[i]);
    EXPECT_EQ(object.at("file"), files[i]);
    if (const auto traced = tracedBlocks.find(files[i]); traced != tracedBlocks.end())
      EXPECT_EQ(object.at("blocks"), traced->second) << files[i];
    for (const Json& fault : object.at("faults")) {
      const std::string line = fault["line"].is_null() ? "" : ":" + fault["line"].dump();
      faults += fault["file"].get<std::string>() + line +
                ": error: " + fault["text"].get<std::string>() + "\n";
    }
  }
  const SimRun check =
      RunCommand(shellQuoted(DRAIVO_SIM) + " --check --direct" + arguments, {}, folder.path());
  EXPECT_GT(faults.size(), 1000u);
  EXPECT_EQ(faults, check.out);
  const SimRun valid = validate(run.out, folder);
  EXPECT_EQ(valid.status, 0) << valid.out << valid.err;
}

// The schema is strict: objects that miss a field, carry one more or have a wrong type fail.
TEST(DraivoSimJson, TheSchemaRefusesWhatDraivoSimNeverWrites) {
  const TempFolder folder;
  const SimRun run =
      RunCommand(shellQuoted(DRAIVO_SIM) + " --json {p}",
                 {{"{p}", (fs::path(DRAIVO_EXAMPLES_DIR) / "face.nc").string()}}, folder.path());
  ASSERT_EQ(run.status, 0);
  const Json good = Json::parse(run.out);
  std::vector<Json> bad(5, good);
  bad[0].erase("warnings");
  bad[1]["extra"] = 1;
  bad[2]["time"]["total"]["feed_s"] = "1:00";
  bad[3]["faults"].push_back({{"file", "a.nc"}, {"line", 0}, {"text", "x"}});
  bad[4]["status"].erase(0);
  // One validator run: every bad object is named by its line, the good one last is not.
  std::string lines;
  for (const Json& object : bad) lines += object.dump() + "\n";
  lines += good.dump() + "\n";
  const SimRun valid = validate(lines, folder);
  EXPECT_EQ(valid.status, 1);
  std::set<std::string> named;
  for (const std::string& line : TextLines(valid.out)) named.insert(line.substr(0, line.find(':')));
  EXPECT_EQ(named, (std::set<std::string>{"line 1", "line 2", "line 3", "line 4", "line 5"}))
      << valid.out;
}

}  // namespace
}  // namespace draivo::test

#endif
