#pragma once

#include <cstdint>
#include <string>

namespace draivo {

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Information, Question, Exclamation, Critical };
enum class MessageAnswer { Ok, Yes, No };

// Everything a run needs from the user interface. The Qt main window implements it; the
// tests and draivo-sim implement it without a window.
class Host {
 public:
  virtual ~Host() = default;

  // Handles pending window events and returns at once.
  virtual void processEvents() = 0;
  // Sleeps until a window event arrives or the milliseconds have passed, then handles the
  // pending events. Never spins.
  virtual void waitForEvents(int maxMilliseconds) = 0;
  // Milliseconds of a monotonic clock.
  virtual std::uint64_t tickCount() = 0;

  virtual MessageAnswer messageBox(const std::string& text, const std::string& title,
                                   MessageButtons buttons, MessageIcon icon) = 0;
  // The open dialog; "" when it was cancelled.
  virtual std::string openFileDialog(const std::string& title, const std::string& filter) = 0;
  // The "Direct" check box is ticked.
  virtual bool directChecked() = 0;

  // A message box's text that a run without clicks ("Uitvoeren tot hier") did not show as a
  // box: "title: text".
  virtual void runNotice(const std::string& message) { (void)message; }

  // Change notices: the window shows the new state of the core objects.
  virtual void programListChanged() {}
  virtual void labelsChanged() {}
  virtual void indicatorsChanged() {}
  virtual void captionChanged() {}
  virtual void menusChanged() {}
  virtual void pictureChanged() {}
};

}  // namespace draivo
