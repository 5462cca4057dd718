#include "GoldenCase.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

#include "support/ScriptedHost.h"

namespace draivo::test {
namespace {

const std::set<std::string> ScriptedOptions = {
    "step", "optional-stop", "speed", "quit-at", "start-first", "start-at-end", "open-during-run"};
const std::set<std::string> Options = {"zoom", "direct", "exit", "budget"};
const std::set<std::string> Files = {
    "options",        "expected.trace",  "expected.messages", "expected.status", "expected.waits",
    "expected.state", "expected.pixels", "expected.time",     "expected.hash",   "expected.table"};

std::string keyOf(const std::string& line) {
  return line.substr(0, line.find(' '));
}

bool isCaseFolder(const std::filesystem::path& folder) {
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string file = entry.path().filename().string();
    if (file == "program.nc" || Files.count(file)) return true;
  }
  return false;
}

GoldenCase readCase(const std::filesystem::path& folder) {
  GoldenCase c{folder.filename().string(), folder, "", {}};
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string file = entry.path().filename().string();
    if (file.ends_with(".nc")) continue;  // the program and its subprograms
    if (!Files.count(file)) throw std::runtime_error("unknown file " + file);
    auto& lines = c.files[file];
    for (std::string line : ReadLines(entry.path())) {
      for (auto at = line.find("{dir}"); at != std::string::npos; at = line.find("{dir}")) {
        line.replace(at, 5, folder.string() + "/");
      }
      lines.push_back(line);
    }
  }
  for (const auto& line : c.files["options"]) {
    if (!Options.count(keyOf(line)) && !ScriptedOptions.count(keyOf(line))) {
      throw std::runtime_error("unknown option line \"" + line + "\"");
    }
  }
  if (!std::filesystem::is_regular_file(folder / "program.nc"))
    throw std::runtime_error("no program.nc");
  if (!c.has("trace")) throw std::runtime_error("no expected.trace");
  return c;
}

int exitStatusOf(RunOutcome outcome) {
  if (outcome == RunOutcome::ReachedEnd) return 0;
  return outcome == RunOutcome::FileUnreadable ? 1 : 3;
}

std::vector<std::string> statusLines(const std::vector<StatusRow>& rows) {
  std::vector<std::string> lines;
  for (const auto& row : rows) lines.push_back(row.caption + "\t" + row.value);
  return lines;
}

std::string join(const std::vector<std::string>& words, const std::string& separator = " ") {
  std::string text;
  for (const auto& word : words) text += (text.empty() ? "" : separator) + word;
  return text;
}

// The state after the run, by the keys of expected.state.
std::map<std::string, std::string> stateOf(Simulator& sim, const ScriptedHost& host) {
  const auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
  const auto number = [](auto n) { return std::to_string(n); };
  const ProgramList& list = sim.lstCommands;
  std::vector<std::string> menus;
  if (sim.menus.startenEnabled) menus.emplace_back("starten");
  if (sim.menus.vernieuwEnabled) menus.emplace_back("vernieuw");
  if (sim.menus.figuurOpslaanEnabled) menus.emplace_back("figuur-opslaan");
  return {
      {"level", number(sim.run.SubprogramLevel) + " " + number(sim.run.ProgramFile.size())},
      {"busy", flag(sim.run.RunBusy)},
      {"start-pressed", flag(sim.StartPressed)},
      {"stop-latch", flag(sim.StopLatch)},
      {"list", join({number(list.ListIndex()), number(list.TopIndex()), number(list.ListCount())})},
      {"caption", sim.caption},
      {"images", ImageNames(sim.indicators)},
      {"menus", join(menus)},
      {"labels", join(host.labels, "; ")},
      {"clock", number(host.clock)},
      {"waits", number(host.waitCalls)},
      {"dialogs", number(host.dialogs)},
      {"pen", ColourText(sim.view.PenColour) + " " + number(sim.view.ToolColourIndex)},
  };
}

}  // namespace

const std::vector<std::string>& GoldenCase::lines(const std::string& kind) const {
  static const std::vector<std::string> none;
  const auto found = files.find("expected." + kind);
  return found == files.end() ? none : found->second;
}

const std::string* GoldenCase::option(const std::string& key) const {
  const auto options = files.find("options");
  if (options == files.end()) return nullptr;
  for (const auto& line : options->second) {
    if (keyOf(line) == key) return &line;
  }
  return nullptr;
}

bool GoldenCase::has(const std::string& key) const {
  return files.count("expected." + key) > 0 || option(key) != nullptr;
}

double GoldenCase::number(const std::string& key, double fallback) const {
  const std::string* line = option(key);
  return line ? std::stod(line->substr(key.size())) : fallback;
}

bool GoldenCase::scripted() const {
  return std::any_of(ScriptedOptions.begin(), ScriptedOptions.end(),
                     [this](const std::string& key) { return has(key); });
}

void PrintTo(const GoldenCase& c, std::ostream* os) {
  *os << c.name;
}

std::vector<std::string> ReadLines(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> WordLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    std::string joined, word;
    while (words >> word) joined += (joined.empty() ? "" : " ") + word;
    lines.push_back(joined);
  }
  return lines;
}

std::filesystem::path GoldenDataFolder() {
  // The environment wins; test discovery at build time runs without it.
  const char* folder = std::getenv("DRAIVO_TEST_DATA");
  return folder ? std::filesystem::path(folder) : std::filesystem::path(DRAIVO_TEST_DATA_DIR);
}

std::vector<GoldenCase> DiscoverGoldenCases(const std::filesystem::path& dataFolder) {
  std::vector<GoldenCase> cases;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(dataFolder, error)) {
    if (!entry.is_directory() || !isCaseFolder(entry.path())) continue;
    try {
      cases.push_back(readCase(entry.path()));
    } catch (const std::exception& fault) {
      cases.push_back({entry.path().filename().string(), entry.path(), fault.what(), {}});
    }
  }
  std::sort(cases.begin(), cases.end(),
            [](const auto& a, const auto& b) { return a.name < b.name; });
  return cases;
}

std::string ColourText(Colour colour) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X%02X%02X", redOf(colour), greenOf(colour), blueOf(colour));
  return text;
}

CaseRun RunHeadlessCase(const GoldenCase& c) {
  HeadlessOptions options;
  options.zoom = c.number("zoom", HeadlessOptions::ZoomStart);
  options.direct = c.has("direct");
  options.stepBudget = static_cast<std::uint64_t>(c.number("budget", 0));
  options.recordTime = true;
  HeadlessResult result = RunHeadless(c.programFile(), options);
  return {
      std::move(result.trace),      std::move(result.messages), statusLines(result.status), {}, {},
      exitStatusOf(result.outcome), std::move(result.picture),  std::move(result.time)};
}

CaseRun RunScriptedCase(const GoldenCase& c) {
  ScriptedHost host;
  Simulator sim(host);
  host.attach(sim);
  host.direct = c.has("direct");
  sim.startupTimer();
  sim.view.ZoomFactor = c.number("zoom", HeadlessOptions::ZoomStart);
  sim.setSpeedValue(static_cast<int>(c.number("speed", 0)));
  if (c.has("step")) sim.toggleStepMode();
  if (c.has("optional-stop")) sim.toggleOptionalStop();

  CaseRun run;
  sim.interpreter.onExecute = [&run](const std::string& block) { run.trace.push_back(block); };
  bool openTried = !c.has("open-during-run"), restarted = !c.has("start-at-end");
  sim.onBlock = [&](const std::string&) {
    if (openTried) return;
    openTried = true;
    sim.Open();
    sim.Vernieuw();
  };
  const double quitAt = c.number("quit-at", -1);
  host.onWait = [&](ScriptedHost& h) {
    if (quitAt >= 0 && static_cast<double>(h.clock) >= quitAt) sim.requestQuit();
    if (!restarted && sim.status.nullPointVisible && !sim.run.RunBusy) {
      restarted = true;
      sim.Starten();
    }
  };
  if (c.has("start-first")) sim.Starten();
  host.dialogAnswer = c.programFile();
  sim.Open();
  return {std::move(run.trace),
          host.messages,
          statusLines(StatusRows(sim.status)),
          host.gateClicks,
          stateOf(sim, host),
          exitStatusOf(sim.lastOutcome),
          sim.picResult,
          {}};
}

}  // namespace draivo::test
