#include "GoldenCase.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

#include "run/FileHelpers.h"
#include "support/ScriptedHost.h"

namespace draivo::test {
namespace {

const std::vector<std::string> ExpectedKinds = {"trace", "messages", "status", "waits",
                                                "state", "pixels",   "time"};

std::string withFolder(std::string line, const std::string& folderText) {
  const std::string mark = "{dir}";
  for (auto at = line.find(mark); at != std::string::npos; at = line.find(mark, at + 1)) {
    line.replace(at, mark.size(), folderText);
  }
  return line;
}

void applyOption(GoldenCase& c, const std::string& line) {
  std::istringstream words(line);
  std::string key;
  words >> key;
  RunScript& s = c.script;
  const bool scripted = key == "step" || key == "optional-stop" || key == "speed" ||
                        key == "quit-at" || key == "start-first" || key == "start-at-end" ||
                        key == "open-during-run";
  s.any = s.any || scripted;
  bool ok = true;
  if (key == "direct") c.options.direct = true;
  else if (key == "cli") c.viaCommandLine = true;
  else if (key == "zoom") ok = static_cast<bool>(words >> c.options.zoom);
  else if (key == "exit") ok = static_cast<bool>(words >> c.exitStatus);
  else if (key == "budget") ok = static_cast<bool>(words >> c.options.stepBudget);
  else if (key == "step") s.stepMode = true;
  else if (key == "optional-stop") s.optionalStop = true;
  else if (key == "speed") ok = static_cast<bool>(words >> s.speed);
  else if (key == "quit-at") ok = static_cast<bool>(words >> s.quitAt);
  else if (key == "start-first") s.startFirst = true;
  else if (key == "start-at-end") s.startAtEnd = true;
  else if (key == "open-during-run") s.openDuringRun = true;
  else ok = key.empty();
  if (!ok) throw std::runtime_error("unknown option line \"" + line + "\"");
}

GoldenCase readCase(const std::filesystem::path& folder) {
  GoldenCase c;
  c.name = folder.filename().string();
  c.folder = folder;
  if (!std::filesystem::is_regular_file(folder / "program.nc")) {
    throw std::runtime_error("no program.nc");
  }
  if (std::filesystem::exists(folder / "options")) {
    for (const auto& line : ReadLines(folder / "options")) applyOption(c, line);
  }
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string file = entry.path().filename().string();
    if (!file.starts_with("expected.")) continue;
    const std::string kind = file.substr(file.find('.') + 1);
    if (std::find(ExpectedKinds.begin(), ExpectedKinds.end(), kind) == ExpectedKinds.end()) {
      throw std::runtime_error("unknown expected file " + file);
    }
    auto& lines = c.expected[kind];
    for (const auto& line : ReadLines(entry.path())) {
      lines.push_back(withFolder(line, folder.string() + "/"));
    }
  }
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

std::string menusText(const MenuState& menus) {
  std::vector<std::string> enabled;
  if (menus.startenEnabled) enabled.emplace_back("starten");
  if (menus.vernieuwEnabled) enabled.emplace_back("vernieuw");
  if (menus.figuurOpslaanEnabled) enabled.emplace_back("figuur-opslaan");
  return join(enabled);
}

std::map<std::string, std::string> stateOf(Simulator& sim, const ScriptedHost& host) {
  const auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
  const auto number = [](auto n) { return std::to_string(n); };
  const ProgramList& list = sim.lstCommands;
  return {
      {"level", number(sim.run.SubprogramLevel) + " " + number(sim.run.ProgramFile.size())},
      {"busy", flag(sim.run.RunBusy)},
      {"start-pressed", flag(sim.StartPressed)},
      {"stop-latch", flag(sim.StopLatch)},
      {"list", join({number(list.ListIndex()), number(list.TopIndex()), number(list.ListCount())})},
      {"caption", sim.caption},
      {"images", ImageNames(sim.indicators)},
      {"menus", menusText(sim.menus)},
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
  const auto found = expected.find(kind);
  return found == expected.end() ? none : found->second;
}

void PrintTo(const GoldenCase& c, std::ostream* os) {
  *os << c.name;
}

std::vector<std::string> ReadLines(const std::filesystem::path& file) {
  const auto text = ReadWholeFile(file.string());
  if (!text) throw std::runtime_error("cannot read " + file.string());
  std::vector<std::string> lines;
  std::istringstream in(*text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
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
    if (!entry.is_directory()) continue;
    try {
      cases.push_back(readCase(entry.path()));
    } catch (const std::exception& fault) {
      GoldenCase broken;
      broken.name = entry.path().filename().string();
      broken.folder = entry.path();
      broken.fault = fault.what();
      cases.push_back(broken);
    }
  }
  std::sort(cases.begin(), cases.end(),
            [](const GoldenCase& a, const GoldenCase& b) { return a.name < b.name; });
  return cases;
}

std::string ColourText(Colour colour) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X%02X%02X", redOf(colour), greenOf(colour),
                blueOf(colour));
  return text;
}

CaseRun RunHeadlessCase(const GoldenCase& c) {
  HeadlessOptions options = c.options;
  options.recordTime = true;
  HeadlessResult result = RunHeadless(c.programFile(), options);
  CaseRun run;
  run.trace = std::move(result.trace);
  run.messages = std::move(result.messages);
  run.status = statusLines(result.status);
  run.exitStatus = exitStatusOf(result.outcome);
  run.picture = std::move(result.picture);
  run.time = std::move(result.time);
  return run;
}

CaseRun RunScriptedCase(const GoldenCase& c) {
  const RunScript& script = c.script;
  ScriptedHost host;
  Simulator sim(host);
  host.attach(sim);
  host.direct = c.options.direct;
  sim.startupTimer();
  sim.view.ZoomFactor = c.options.zoom;
  sim.setSpeedValue(script.speed);
  if (script.stepMode) sim.toggleStepMode();
  if (script.optionalStop) sim.toggleOptionalStop();

  CaseRun run;
  sim.interpreter.onExecute = [&run](const std::string& block) { run.trace.push_back(block); };
  bool openTried = false, restarted = false;
  sim.onBlock = [&](const std::string&) {
    if (!script.openDuringRun || openTried) return;
    openTried = true;
    sim.Open();
    sim.Vernieuw();
  };
  host.onWait = [&](ScriptedHost& h) {
    if (script.quitAt >= 0 && h.clock >= static_cast<std::uint64_t>(script.quitAt)) {
      sim.requestQuit();
    }
    if (script.startAtEnd && !restarted && sim.status.nullPointVisible && !sim.run.RunBusy) {
      restarted = true;
      sim.Starten();
    }
  };
  if (script.startFirst) sim.Starten();
  host.dialogAnswer = c.programFile();
  sim.Open();

  run.messages = host.messages;
  run.status = statusLines(StatusRows(sim.status));
  run.waits = host.gateClicks;
  run.state = stateOf(sim, host);
  run.exitStatus = exitStatusOf(sim.lastOutcome);
  run.picture = sim.picResult;
  return run;
}

}  // namespace draivo::test
