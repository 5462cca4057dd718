#pragma once

#include "run/Host.h"

namespace draivo {

// The window as a run reaches it. While the run replays what it did before (going back to an
// earlier stop), the window hears nothing of it and handles no events: the replay is silent,
// and the window is told of the state it reached once it goes on as usual.
class QuietHost : public Host {
 public:
  explicit QuietHost(Host& window) : window_(window) {}

  Host& window() { return window_; }
  bool quiet{};

  void processEvents() override {
    if (!quiet) window_.processEvents();
  }
  void waitForEvents(int maxMilliseconds) override {
    if (!quiet) window_.waitForEvents(maxMilliseconds);
  }
  std::uint64_t tickCount() override { return window_.tickCount(); }
  MessageAnswer messageBox(const std::string& text, const std::string& title,
                           MessageButtons buttons, MessageIcon icon) override {
    return window_.messageBox(text, title, buttons, icon);
  }
  std::string openFileDialog(const std::string& title, const std::string& filter) override {
    return window_.openFileDialog(title, filter);
  }
  bool directChecked() override { return window_.directChecked(); }
  void runNotice(const std::string& message) override { window_.runNotice(message); }

  void programListChanged() override {
    if (!quiet) window_.programListChanged();
  }
  void labelsChanged() override {
    if (!quiet) window_.labelsChanged();
  }
  void indicatorsChanged() override {
    if (!quiet) window_.indicatorsChanged();
  }
  void captionChanged() override {
    if (!quiet) window_.captionChanged();
  }
  void menusChanged() override {
    if (!quiet) window_.menusChanged();
  }
  void pictureChanged() override {
    if (!quiet) window_.pictureChanged();
  }

  // Tells the window of everything, after a silent replay.
  void showAll() {
    window_.programListChanged();
    window_.labelsChanged();
    window_.indicatorsChanged();
    window_.captionChanged();
    window_.menusChanged();
    window_.pictureChanged();
  }

 private:
  Host& window_;
};

}  // namespace draivo
