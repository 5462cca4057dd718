// draivo-bench-window PROGRAM [--direct]: runs a program through the main window (shown off
// screen with QT_QPA_PLATFORM=offscreen) and reports the CPU the window uses while the run
// waits at the gate for Start, the time from Start to the last executed block, and the same
// run without a window for comparison: wall clock, and the CPU time of the process, which
// varies less on a busy machine.
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <string>

#include "app/frmGraphic.h"
#include "platform/Dialogs.h"
#include "run/HeadlessRun.h"

namespace {

constexpr int DriverIntervalMs = 20;
constexpr qint64 IdleMeasureMs = 3000;
constexpr int StartButton = 2;

double processCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Answers every message box with OK (No for questions) and cancels every file dialog.
class AnsweringDialogs : public draivo::Dialogs {
 public:
  draivo::MessageAnswer messageBox(QWidget*, const std::string&, const std::string&,
                                   draivo::MessageButtons buttons, draivo::MessageIcon) override {
    return buttons == draivo::MessageButtons::YesNo ? draivo::MessageAnswer::No
                                                    : draivo::MessageAnswer::Ok;
  }
  std::string openFileName(QWidget*, const std::string&, const std::string&,
                           const std::string&) override {
    return {};
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2 || argc > 3 || (argc == 3 && std::string(argv[2]) != "--direct")) {
    std::fprintf(stderr, "usage: draivo-bench-window PROGRAM [--direct]\n");
    return 2;
  }
  const std::string program = argv[1];
  const bool direct = argc == 3;

  AnsweringDialogs dialogs;
  draivo::frmGraphic window(dialogs);
  if (!window.Form_Load(QSize(1024, 768))) return 1;
  window.show();
  window.findChild<QCheckBox*>("ChkDirect")->setChecked(direct);
  draivo::Simulator& sim = window.simulator();

  QElapsedTimer clock;
  clock.start();
  qint64 idleFrom = -1, runFrom = -1, lastExecute = -1, cpuReadAt = -1;
  double idleCpuFrom = 0, idleCpu = 0, runCpuFrom = 0, cpuAtLastExecute = 0;
  std::uint64_t executed = 0;
  const auto counting = sim.interpreter.onExecute.connect([&](const std::string&) {
    ++executed;
    lastExecute = clock.elapsed();
    // The process clock is a system call: read it at most once a millisecond.
    if (lastExecute > cpuReadAt) {
      cpuReadAt = lastExecute;
      cpuAtLastExecute = processCpuSeconds();
    }
  });

  // At the first gate: measure the idle CPU for a while, then press Start; press it again at
  // every later gate.
  QTimer driver;
  QObject::connect(&driver, &QTimer::timeout, [&] {
    if (!sim.run.RunBusy || sim.StartPressed) return;
    if (runFrom >= 0) {
      sim.startButtonClick(StartButton);
    } else if (idleFrom < 0) {
      idleFrom = clock.elapsed();
      idleCpuFrom = processCpuSeconds();
    } else if (clock.elapsed() - idleFrom >= IdleMeasureMs) {
      runCpuFrom = processCpuSeconds();
      idleCpu = runCpuFrom - idleCpuFrom;
      runFrom = clock.elapsed();
      sim.startButtonClick(StartButton);
    }
  });
  driver.start(DriverIntervalMs);
  window.runProgramFile(QString::fromStdString(program));
  driver.stop();

  const double idleSeconds = static_cast<double>(runFrom - idleFrom) / 1000.0;
  const double windowSeconds = static_cast<double>(lastExecute - runFrom) / 1000.0;

  draivo::HeadlessOptions options;
  options.direct = direct;
  options.collectTrace = false;
  options.stepBudget = draivo::HeadlessOptions::MinimumStepBudget * 10;
  const double windowCpu = cpuAtLastExecute - runCpuFrom;
  QElapsedTimer headless;
  headless.start();
  const double headlessCpuFrom = processCpuSeconds();
  const draivo::HeadlessResult result = draivo::RunHeadless(program, options);
  const double headlessCpu = processCpuSeconds() - headlessCpuFrom;
  const double headlessSeconds = static_cast<double>(headless.elapsed()) / 1000.0;

  std::printf("mode: %s\n", direct ? "direct" : "pixel by pixel");
  std::printf("idle at the gate: %.2f%% of a core over %.1f s\n", 100.0 * idleCpu / idleSeconds,
              idleSeconds);
  std::printf("window run: %.3f s for %llu executed blocks\n", windowSeconds,
              static_cast<unsigned long long>(executed));
  std::printf("headless run: %.3f s (%s)\n", headlessSeconds,
              result.exit() == draivo::HeadlessExit::ReachedEnd ? "reached the end" : "stopped");
  std::printf("window / headless: %.2f\n", windowSeconds / headlessSeconds);
  std::printf("CPU: window %.3f s, headless %.3f s, window / headless %.2f\n", windowCpu,
              headlessCpu, windowCpu / headlessCpu);
  return 0;
}
