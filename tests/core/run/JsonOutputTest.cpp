#include <gtest/gtest.h>

#ifdef DRAIVO_SIM

#include <nlohmann/json.hpp>

#include <filesystem>
#include <sstream>

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
    if (fs::exists(entry.path() / "program.nc")) files.push_back((entry.path() / "program.nc").string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

SimRun validate(const std::string& jsonLines, const TempFolder& folder) {
  const std::string file = folder.write("objects.jsonl", jsonLines);
  return RunCommand("python3 {validator} {schema} {file}",
                    {{"{validator}", (SourceFolder / "tests/support/validate_json_lines.py").string()},
                     {"{schema}", (SourceFolder / "docs/draivo-sim.schema.json").string()},
                     {"{file}", file}},
                    folder.path());
}

// One object per program, in the order of the files, each valid by the schema in docs/ and
// written as the JSON library writes it back after reading it.
TEST(DraivoSimJson, EveryProgramGivesAValidObject) {
  const TempFolder folder;
  const std::vector<std::string> files = programs();
  std::string arguments = "--json --direct";
  for (const std::string& file : files) arguments += " " + shellQuoted(file);
  const SimRun run = RunCommand(shellQuoted(DRAIVO_SIM) + " " + arguments, {}, folder.path());
  EXPECT_EQ(run.status, 1);  // among the golden cases are files that are no programs
  const std::vector<std::string> lines = linesOf(run.out);
  ASSERT_EQ(lines.size(), files.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const Json object = Json::parse(lines[i]);
    EXPECT_EQ(object.dump(), lines[i]);
    EXPECT_EQ(object.at("file"), files[i]);
  }
  const SimRun valid = validate(run.out, folder);
  EXPECT_EQ(valid.status, 0) << valid.out << valid.err;
}

// The schema is strict: objects that miss a field, carry one more or have a wrong type fail.
TEST(DraivoSimJson, TheSchemaRefusesWhatDraivoSimNeverWrites) {
  const TempFolder folder;
  const SimRun run = RunCommand(shellQuoted(DRAIVO_SIM) + " --json {p}",
                                {{"{p}", (fs::path(DRAIVO_EXAMPLES_DIR) / "face.nc").string()}},
                                folder.path());
  ASSERT_EQ(run.status, 0);
  const Json good = Json::parse(run.out);
  std::vector<Json> bad(5, good);
  bad[0].erase("warnings");
  bad[1]["extra"] = 1;
  bad[2]["time"]["total"]["feed_s"] = "1:00";
  bad[3]["faults"].push_back({{"file", "a.nc"}, {"line", 0}, {"text", "x"}});
  bad[4]["status"].erase(0);
  for (const Json& object : bad) {
    EXPECT_EQ(validate(object.dump() + "\n", folder).status, 1) << object.dump();
  }
  EXPECT_EQ(validate(good.dump() + "\n", folder).status, 0);
}

// What the object says of a run with faults in a program and its subprogram.
TEST(DraivoSimJson, FaultsCarryTheirFileAndLine) {
  const TempFolder folder;
  const std::string dir = folder.path().string();
  folder.write("main.nc", "T0101 ;\nM98 P0007 ;\nG00 X10 ;\nM98 P0008 ;\n");
  folder.write("O0007.nc", "G00 X1 ;\nG90 X48 Z-30 F0.2 ;\n");
  const SimRun run = RunCommand(shellQuoted(DRAIVO_SIM) + " --json {p}", {{"{p}", dir + "/main.nc"}},
                                folder.path());
  const Json object = Json::parse(run.out);
  EXPECT_EQ(object["exit"], 0);
  EXPECT_EQ(object["faults"],
            Json::parse(R"([{"file":")" + dir + R"(/O0007.nc","line":2,"text":"Programmafout: Cyclus loopt tot het einde van het programma: G90 X48 Z-30 F0.2 ;"},
                            {"file":")" + dir + R"(/main.nc","line":4,"text":"Bestand niet gevonden: )" + dir + R"(/O0008.nc"}])"));
  EXPECT_EQ(object["messages"][1], Json::parse(R"({"title":"Bestand niet gevonden","text":")" + dir + R"(/O0008.nc"})"));
  EXPECT_EQ(run.err, "");
}

}  // namespace
}  // namespace draivo::test

#endif
