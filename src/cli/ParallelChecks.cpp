#include "ParallelChecks.h"

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <stdexcept>

namespace draivo::cli {
namespace {

// A check process tells in its exit code whether it reported a fault, above its status.
constexpr int FaultedBit = 0x40;
constexpr std::size_t ReadChunk = 1 << 16;

struct Child {
  pid_t pid = -1;
  int fds[2] = {-1, -1};  // its standard output and standard error, read ends
  std::string text[2];
  bool reaped = false;
  CheckOutcome outcome;
};

void makePipe(int ends[2]) {
  if (pipe(ends) != 0) throw std::runtime_error("cannot make a pipe");
}

[[noreturn]] void runChild(std::size_t index, const std::function<CheckOutcome(std::size_t)>& check,
                           int out, int err) {
  dup2(out, STDOUT_FILENO);
  dup2(err, STDERR_FILENO);
  close(out);
  close(err);
  int code = ExitStopped;
  try {
    const CheckOutcome outcome = check(index);
    code = outcome.status | (outcome.faulted ? FaultedBit : 0);
  } catch (const std::exception& error) {
    std::cerr << "draivo-sim: " << error.what() << '\n';
  }
  std::cout.flush();
  std::cerr.flush();
  _exit(code);
}

Child start(std::size_t index, const std::function<CheckOutcome(std::size_t)>& check) {
  int out[2], err[2];
  makePipe(out);
  makePipe(err);
  std::cout.flush();
  std::cerr.flush();
  Child child;
  child.pid = fork();
  if (child.pid < 0) throw std::runtime_error("cannot start a check process");
  if (child.pid == 0) {
    close(out[0]);
    close(err[0]);
    runChild(index, check, out[1], err[1]);
  }
  close(out[1]);
  close(err[1]);
  child.fds[0] = out[0];
  child.fds[1] = err[0];
  return child;
}

// Reads what is ready of the running children; a pipe at its end is closed.
void readReady(std::vector<Child>& children) {
  std::vector<pollfd> polled;
  std::vector<std::pair<Child*, int>> owners;
  for (Child& child : children) {
    for (int stream = 0; stream < 2; ++stream) {
      if (child.fds[stream] < 0) continue;
      polled.push_back({child.fds[stream], POLLIN, 0});
      owners.emplace_back(&child, stream);
    }
  }
  if (polled.empty()) return;
  if (poll(polled.data(), polled.size(), -1) < 0 && errno != EINTR) {
    throw std::runtime_error("cannot wait for the check processes");
  }
  char buffer[ReadChunk];
  for (std::size_t i = 0; i < polled.size(); ++i) {
    if (polled[i].revents == 0) continue;
    auto& [child, stream] = owners[i];
    const ssize_t got = read(polled[i].fd, buffer, sizeof buffer);
    if (got > 0) {
      child->text[stream].append(buffer, static_cast<std::size_t>(got));
    } else if (got == 0 || errno != EINTR) {
      close(polled[i].fd);
      child->fds[stream] = -1;
    }
  }
}

void reap(Child& child, std::size_t index,
          const std::function<std::string(std::size_t, int)>& crashNote) {
  int raw = 0;
  while (waitpid(child.pid, &raw, 0) < 0 && errno == EINTR) {
  }
  child.reaped = true;
  if (WIFEXITED(raw)) {
    const int code = WEXITSTATUS(raw);
    child.outcome = {code & ~FaultedBit, (code & FaultedBit) != 0};
  } else {
    child.outcome = {ExitStopped, true};
    child.text[1] += crashNote(index, WIFSIGNALED(raw) ? WTERMSIG(raw) : 0) + "\n";
  }
}

}  // namespace

std::vector<CheckOutcome> CheckInParallel(
    std::size_t count, unsigned jobs, const std::function<CheckOutcome(std::size_t)>& check,
    const std::function<std::string(std::size_t, int)>& crashNote) {
  std::vector<Child> children(count);
  std::vector<CheckOutcome> outcomes(count);
  std::size_t started = 0, printed = 0, running = 0;
  while (printed < count) {
    for (; running < jobs && started < count; ++started, ++running) {
      children[started] = start(started, check);
    }
    readReady(children);
    for (std::size_t i = printed; i < started; ++i) {
      Child& child = children[i];
      if (!child.reaped && child.fds[0] < 0 && child.fds[1] < 0) {
        reap(child, i, crashNote);
        --running;
      }
    }
    for (; printed < started && children[printed].reaped; ++printed) {
      Child& child = children[printed];
      std::cout << child.text[0];
      std::cout.flush();
      std::cerr << child.text[1];
      std::cerr.flush();
      outcomes[printed] = child.outcome;
      child = Child{};
    }
  }
  return outcomes;
}

}  // namespace draivo::cli
