#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ScriptedDialogs.h"
#include "app/frmGraphic.h"
#include "support/TempFolder.h"

namespace draivo::test {

// Builds a fresh main window for every test, loaded at 1024 x 768 and shown off screen,
// with scripted dialogs; finds controls by their names and drives runs like a user.
class MainWindowTest : public ::testing::Test {
 protected:
  static constexpr int DriverIntervalMs = 20;
  static constexpr int RunTimeLimitMs = 60000;

  void SetUp() override;
  void TearDown() override;

  template <typename T = QWidget>
  T* find(const char* name) const {
    T* found = window->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QAction* action(const char* name) const { return find<QAction>(name); }
  Simulator& sim() { return window->simulator(); }

  // Writes a program file into the test's folder.
  std::string writeProgram(const std::string& name, const std::string& text);
  // Opens the file through "Openen ..." and runs it, clicking Start at every gate.
  void openAndRun(const std::string& file);
  // Runs `trigger` (which holds a whole run) while a driver calls `atGate` whenever the run
  // waits with Start released (default: a click on the start button). The ListIndex at
  // every such wait is recorded in gateStops.
  void drive(const std::function<void()>& trigger, std::function<void()> atGate = {});
  void clickStart();
  void clickWidget(QWidget* widget, QPoint at = {});

  ScriptedDialogs dialogs;
  std::unique_ptr<frmGraphic> window;
  TempFolder folder;
  std::vector<int> gateStops;
  std::vector<int> shownRowsAtGate;  // the list widget's current row at the same moments
  bool timedOut = false;
};

}  // namespace draivo::test
