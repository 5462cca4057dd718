#pragma once

#include <string>
#include <vector>

#include "run/Simulator.h"
#include "support/ScriptedHost.h"
#include "support/TempFolder.h"

namespace draivo::test {

// A simulator on a scripted host with a folder for the program files.
class RunFixture {
 public:
  RunFixture() { host.attach(sim); }

  // Writes a program file with the lines, each ended by CR LF, and returns its path.
  std::string writeProgram(const std::string& name, const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return folder.write(name, text);
  }

  // Opens the program through the open dialog and runs it.
  void open(const std::vector<std::string>& lines) {
    host.dialogAnswer = writeProgram("program.nc", lines);
    sim.Open();
  }

  TempFolder folder;
  ScriptedHost host;
  Simulator sim{host};
};

}  // namespace draivo::test
