// draivo-bench-stepback PROGRAM [--direct]: runs the program in step mode, clicking Start at
// every stop, and at its last stop steps back once. Prints the time from the click of "Stap
// terug" to the run waiting at the stop before (CPU and wall), the checkpoints and the memory
// take, and the time of the run in step mode to its end with and without checkpoints.

#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>

#include "run/Simulator.h"
#include "time/RunTimeRecorder.h"

namespace {

using namespace draivo;

// A user who clicks Start at every stop on a virtual clock; at stop `backAt` the user steps
// back instead, and at the stop after that the window is closed.
class BenchHost : public Host {
 public:
  void attach(Simulator& sim) { sim_ = &sim; }
  std::size_t backAt = 0;  // 0: never
  std::size_t lastStop = 0;
  double backCpu = -1, backWall = -1;
  std::size_t stoppedAt = 0;

  void processEvents() override {}
  void waitForEvents(int maxMilliseconds) override {
    clock_ += static_cast<std::uint64_t>(maxMilliseconds > 0 ? maxMilliseconds : 1);
    const std::size_t stop = sim_->stopNumber();
    if (stop == 0 || sim_->StartPressed) return;
    if (backCpu < 0 && stoppedAt != 0) {
      backCpu = double(std::clock() - cpu_) / CLOCKS_PER_SEC;
      backWall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_).count();
      stoppedAt = stop;
      sim_->requestQuit();
      return;
    }
    lastStop = stop;
    if (stop == backAt) {
      stoppedAt = stop;
      cpu_ = std::clock();
      wall_ = std::chrono::steady_clock::now();
      sim_->stepBack();
      return;
    }
    sim_->startButtonClick(Simulator::StartButtonIndex);
  }
  std::uint64_t tickCount() override { return clock_; }
  MessageAnswer messageBox(const std::string&, const std::string&, MessageButtons,
                           MessageIcon) override {
    return MessageAnswer::Ok;
  }
  std::string openFileDialog(const std::string&, const std::string&) override { return {}; }
  bool directChecked() override { return direct; }
  bool direct = false;

 private:
  Simulator* sim_ = nullptr;
  std::uint64_t clock_ = 0;
  std::clock_t cpu_ = 0;
  std::chrono::steady_clock::time_point wall_;
};

struct Outcome {
  std::size_t stops = 0;
  double backCpu = -1, backWall = -1, runCpu = 0;
  std::size_t checkpoints = 0, checkpointBytes = 0, interval = 0;
};

Outcome runOnce(const std::string& program, bool direct, std::size_t backAt,
                std::uint64_t interval = CheckpointStore::StartInterval) {
  BenchHost host;
  host.direct = direct;
  host.backAt = backAt;
  Simulator sim(host);
  host.attach(sim);
  RunTimeRecorder time(sim);
  sim.toggleStepMode();
  sim.checkpoints().setStartInterval(interval);
  sim.dialogFileName = program;
  Outcome outcome;
  std::size_t bytes = 0, count = 0, every = 0;
  const Connection end = sim.onRunEnd.connect([&] {
    bytes = sim.checkpoints().bytes();
    count = sim.checkpoints().count();
    every = sim.checkpoints().interval();
  });
  const std::clock_t start = std::clock();
  sim.Vernieuw();
  outcome.runCpu = double(std::clock() - start) / CLOCKS_PER_SEC;
  outcome.stops = host.lastStop;
  outcome.backCpu = host.backCpu;
  outcome.backWall = host.backWall;
  outcome.checkpoints = count;
  outcome.checkpointBytes = bytes;
  outcome.interval = every;
  return outcome;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: draivo-bench-stepback PROGRAM [--direct]\n");
    return 2;
  }
  const bool direct = argc > 2 && std::string(argv[2]) == "--direct";
  const Outcome counted = runOnce(argv[1], direct, 0);
  const Outcome back = runOnce(argv[1], direct, counted.stops);
  const Outcome bare = runOnce(argv[1], direct, 0, CheckpointStore::NoInterval);
  std::printf("stops %zu, run in step mode to the end %.3f s CPU\n", counted.stops, counted.runCpu);
  std::printf("the same run with only the first checkpoint %.3f s CPU\n", bare.runCpu);
  std::printf("step back at stop %zu: %.4f s CPU, %.4f s wall\n", counted.stops, back.backCpu,
              back.backWall);
  std::printf("checkpoints %zu, every %zu gates, %.1f MB\n", back.checkpoints, back.interval,
              double(back.checkpointBytes) / (1 << 20));
  return back.backCpu >= 0 ? 0 : 1;
}
