#pragma once

#include <string>

namespace draivo {

// What the interpreter needs from the run that drives it.
class NcHost {
 public:
  virtual ~NcHost() = default;

  // The per-block gate (waits while step mode or an optional stop holds the run).
  virtual void StopByLine(const std::string& block) = 0;
  // Waits the milliseconds, processing window events; 0 returns at once.
  virtual void WaitMilliseconds(int milliseconds) = 0;
  virtual void processEvents() = 0;
  // The "Direct" check box is ticked.
  virtual bool directChecked() = 0;
  virtual void setCaption(const std::string& caption) = 0;
  // The status labels or the zero-point message changed.
  virtual void statusChanged() = 0;
  // A fault in the program text that stops a cycle: shown once to the user.
  virtual void reportProgramFault(const std::string& text) = 0;

  virtual int SubprogramLevel() const = 0;
  // Sets BlockPosition(SubprogramLevel), where the run loop resumes.
  virtual void setBlockPosition(int index) = 0;
};

}  // namespace draivo
