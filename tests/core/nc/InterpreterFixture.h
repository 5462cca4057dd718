#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nc/Interpreter.h"
#include "nc/MachineStatus.h"
#include "nc/NcHost.h"
#include "nc/ProgramList.h"
#include "render/PathDrawing.h"
#include "render/Surface.h"
#include "render/ViewState.h"

namespace draivo::test {

// An NcHost that passes every gate and records what the interpreter asks of it.
class RecordingNcHost : public NcHost {
 public:
  void StopByLine(const std::string& block) override { shown.push_back(block); }
  void WaitMilliseconds(int milliseconds) override { waits.push_back(milliseconds); }
  void processEvents() override {}
  bool directChecked() override { return direct; }
  void setCaption(const std::string& text) override { caption = text; }
  void statusChanged() override {}
  void reportProgramFault(const std::string& text) override { faults.push_back(text); }
  int SubprogramLevel() const override { return 1; }
  void setBlockPosition(int index) override { blockPosition = index; }

  std::vector<std::string> shown;
  std::vector<int> waits;
  std::vector<std::string> faults;
  std::string caption;
  bool direct = true;
  int blockPosition = -1;
};

// The interpreter on real pictures with a recorded trace of executed blocks.
class InterpreterTest : public ::testing::Test {
 protected:
  InterpreterTest() {
    interpreter.onExecute = [this](const std::string& block) { trace.push_back(block); };
    ResetView(picResult, view);
  }

  // Loads the blocks (normalised as the loader does) and interprets the entry at `index`.
  void interpret(const std::vector<std::string>& lines, int index) {
    list.Clear();
    for (const auto& line : lines) list.AddItem(line);
    list.setListIndex(index);
    interpreter.InterpretBlock(index);
  }

  RecordingNcHost host;
  ProgramList list;
  ProgramList automatic;
  MachineStatus status;
  ViewState view;
  PathDrawer drawer{view, DrawHooks{}};
  Surface picResult;
  Surface picCalculate{Surface::ViewWidth, Surface::ViewHeight, White};
  Interpreter interpreter{host, NcParts{list, automatic, status, view, drawer, picResult, picCalculate}};
  std::vector<std::string> trace;
};

}  // namespace draivo::test
