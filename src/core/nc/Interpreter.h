#pragma once

#include <string>
#include <string_view>

#include "nc/Signal.h"

namespace draivo {

class NcHost;
class PathDrawer;
class ProgramList;
class Surface;
struct MachineStatus;
struct ViewState;

// The objects of the window that the interpreter reads and changes.
struct NcParts {
  ProgramList& lstCommands;
  ProgramList& lstAutomatic;
  MachineStatus& status;
  ViewState& view;
  PathDrawer& drawer;
  Surface& picResult;
  Surface& picCalculate;
};

// The code of the canned cycle that InterpretBlock expands for this block ("71", "92" ...),
// or "" when the block is executed as it stands.
std::string_view CycleCodeOf(std::string_view block);

// Interprets program blocks: executes elementary blocks and expands the canned cycles.
class Interpreter {
 public:
  Interpreter(NcHost& host, NcParts parts) : host_(host), parts_(parts) {}

  // Interprets the entry `index` of the program list (expanding a cycle if it starts one).
  void InterpretBlock(int index);
  // Carries out one elementary block: modal status, pen, special blocks, the move.
  void ExecuteBlock(const std::string& block);
  // Moves the pen to the block's X/Z point without drawing.
  void JumpToBlockPoint(const std::string& block);

  // Every block text handed to ExecuteBlock, before it is carried out and after.
  Signal<const std::string&> onExecute;
  Signal<const std::string&> onExecuted;

  NcHost& host() { return host_; }
  const NcParts& parts() const { return parts_; }

 private:
  void carryOut(const std::string& block);

  NcHost& host_;
  NcParts parts_;
  std::string programBlock_;  // the program block being executed
};

}  // namespace draivo
