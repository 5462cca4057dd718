#include "GoldenCase.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "run/FileHelpers.h"

namespace draivo::test {
namespace {

constexpr const char* DirPlaceholder = "{dir}";

std::string withFolder(std::string line, const std::string& folderText) {
  for (auto at = line.find(DirPlaceholder); at != std::string::npos;
       at = line.find(DirPlaceholder, at + folderText.size())) {
    line.replace(at, std::string(DirPlaceholder).size(), folderText);
  }
  return line;
}

void applyOption(GoldenCase& c, const std::string& line) {
  std::istringstream words(line);
  std::string key;
  words >> key;
  if (key.empty()) return;
  if (key == "direct") {
    c.options.direct = true;
  } else if (key == "cli") {
    c.viaCommandLine = true;
  } else if (key == "zoom" && words >> c.options.zoom) {
  } else if (key == "exit" && words >> c.exitStatus) {
  } else if (key == "budget" && words >> c.options.stepBudget) {
  } else {
    throw std::runtime_error("unknown option line \"" + line + "\"");
  }
}

GoldenCase readCase(const std::filesystem::path& folder) {
  GoldenCase c;
  c.name = folder.filename().string();
  c.folder = folder;
  if (!std::filesystem::is_regular_file(folder / "program.nc")) {
    throw std::runtime_error("no program.nc");
  }
  if (!std::filesystem::is_regular_file(folder / "expected.trace")) {
    throw std::runtime_error("no expected.trace");
  }
  c.trace = ReadLines(folder / "expected.trace");
  if (std::filesystem::exists(folder / "options")) {
    for (const auto& line : ReadLines(folder / "options")) applyOption(c, line);
  }
  const std::string folderText = folder.string() + "/";
  if (std::filesystem::exists(folder / "expected.messages")) {
    for (const auto& line : ReadLines(folder / "expected.messages")) {
      c.messages.push_back(withFolder(line, folderText));
    }
  }
  if (std::filesystem::exists(folder / "expected.status")) {
    c.checkStatus = true;
    c.status = ReadLines(folder / "expected.status");
  }
  if (std::filesystem::exists(folder / "expected.time")) c.time = ReadLines(folder / "expected.time");
  return c;
}

}  // namespace

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
  if (dataFolder.empty() || !std::filesystem::is_directory(dataFolder, error)) return cases;
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

int ExitStatusOf(const HeadlessResult& result) {
  switch (result.exit()) {
    case HeadlessExit::ReachedEnd:
      return 0;
    case HeadlessExit::FileUnreadable:
      return 1;
    case HeadlessExit::Stopped:
      break;
  }
  return 3;
}

}  // namespace draivo::test
