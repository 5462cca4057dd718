#include "ParallelChecks.h"

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <optional>
#include <sstream>
#include <stdexcept>

namespace draivo::cli {
namespace {

constexpr std::size_t ReadChunk = 1 << 16;

// What a worker sends back for each check: this header, then the bytes printed on standard
// output and on standard error.
struct RecordHeader {
  std::uint64_t index;
  std::int32_t status;
  std::int32_t faulted;
  std::uint64_t outSize;
  std::uint64_t errSize;
};

struct Report {
  CheckOutcome outcome;
  std::string out, err;
};

bool writeAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = write(fd, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

bool readAll(int fd, char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t got = read(fd, data, size);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    data += got;
    size -= static_cast<std::size_t>(got);
  }
  return true;
}

// The worker: checks every index it is sent until its command pipe closes.
[[noreturn]] void work(int commands, int results, const CheckOne& check) {
  std::uint64_t index = 0;
  while (readAll(commands, reinterpret_cast<char*>(&index), sizeof index)) {
    std::ostringstream out, err;
    CheckOutcome outcome{ExitStopped, true};
    try {
      outcome = check(static_cast<std::size_t>(index), out, err);
    } catch (const std::exception& error) {
      err << "draivo-sim: " << error.what() << '\n';
    }
    const std::string outText = std::move(out).str(), errText = std::move(err).str();
    const RecordHeader header{index, outcome.status, outcome.faulted ? 1 : 0, outText.size(),
                              errText.size()};
    if (!writeAll(results, reinterpret_cast<const char*>(&header), sizeof header) ||
        !writeAll(results, outText.data(), outText.size()) ||
        !writeAll(results, errText.data(), errText.size())) {
      _exit(ExitFileError);
    }
  }
  _exit(ExitReachedEnd);
}

struct Worker {
  pid_t pid = -1;
  int commands = -1;  // write end: the indexes to check
  int results = -1;   // read end: the records
  std::string pending;               // bytes of records not yet taken
  std::optional<std::size_t> busy;  // the index it is checking
};

void makePipe(int ends[2]) {
  if (pipe(ends) != 0) throw std::runtime_error("cannot make a pipe");
}

// `others` are the pipe ends this process holds for the workers already running: a new worker
// closes its copies, so that each worker sees its command pipe end when this process closes it.
Worker startWorker(const CheckOne& check, const std::vector<int>& others) {
  int commands[2], results[2];
  makePipe(commands);
  makePipe(results);
  std::cout.flush();
  std::cerr.flush();
  Worker worker;
  worker.pid = fork();
  if (worker.pid < 0) throw std::runtime_error("cannot start a check process");
  if (worker.pid == 0) {
    for (const int fd : others) close(fd);
    close(commands[1]);
    close(results[0]);
    work(commands[0], results[1], check);
  }
  close(commands[0]);
  close(results[1]);
  worker.commands = commands[1];
  worker.results = results[0];
  return worker;
}

// Takes the complete records out of the worker's pending bytes.
void takeRecords(Worker& worker, std::vector<std::optional<Report>>& reports) {
  while (worker.pending.size() >= sizeof(RecordHeader)) {
    RecordHeader header;
    std::memcpy(&header, worker.pending.data(), sizeof header);
    const std::size_t size = sizeof header + header.outSize + header.errSize;
    if (worker.pending.size() < size) return;
    Report report{{header.status, header.faulted != 0},
                  worker.pending.substr(sizeof header, header.outSize),
                  worker.pending.substr(sizeof header + header.outSize, header.errSize)};
    reports.at(header.index) = std::move(report);
    worker.pending.erase(0, size);
    worker.busy.reset();
  }
}

int endWorker(Worker& worker) {
  if (worker.commands >= 0) close(worker.commands);
  if (worker.results >= 0) close(worker.results);
  int raw = 0;
  while (waitpid(worker.pid, &raw, 0) < 0 && errno == EINTR) {
  }
  worker = Worker{};
  return WIFSIGNALED(raw) ? WTERMSIG(raw) : 0;
}

class Pool {
 public:
  Pool(std::size_t count, unsigned jobs, const CheckOne& check,
       const std::function<std::string(std::size_t, int)>& crashNote)
      : check_(check), crashNote_(crashNote), reports_(count), workers_(jobs) {}

  std::vector<CheckOutcome> run() {
    std::vector<CheckOutcome> outcomes;
    while (outcomes.size() < reports_.size()) {
      for (Worker& worker : workers_) handOut(worker);
      readReady();
      for (; outcomes.size() < reports_.size() && reports_[outcomes.size()]; ) {
        Report& report = *reports_[outcomes.size()];
        std::cout << report.out;
        std::cout.flush();
        std::cerr << report.err;
        std::cerr.flush();
        outcomes.push_back(report.outcome);
        report = Report{};
      }
    }
    for (Worker& worker : workers_) {
      if (worker.pid > 0) endWorker(worker);
    }
    return outcomes;
  }

 private:
  // Gives an idle worker the next index; a worker with nothing left to do is ended.
  void handOut(Worker& worker) {
    if (worker.busy) return;
    if (next_ == reports_.size()) {
      if (worker.pid > 0) endWorker(worker);
      return;
    }
    if (worker.pid < 0) worker = startWorker(check_, openEnds());
    const std::uint64_t index = next_++;
    worker.busy = index;
    if (!writeAll(worker.commands, reinterpret_cast<const char*>(&index), sizeof index)) {
      lost(worker);
    }
  }

  void readReady() {
    std::vector<pollfd> polled;
    std::vector<Worker*> owners;
    for (Worker& worker : workers_) {
      if (worker.pid < 0 || !worker.busy) continue;
      polled.push_back({worker.results, POLLIN, 0});
      owners.push_back(&worker);
    }
    if (polled.empty()) return;
    if (poll(polled.data(), polled.size(), -1) < 0) {
      if (errno == EINTR) return;
      throw std::runtime_error("cannot wait for the check processes");
    }
    char buffer[ReadChunk];
    for (std::size_t i = 0; i < polled.size(); ++i) {
      if (polled[i].revents == 0) continue;
      Worker& worker = *owners[i];
      const ssize_t got = read(worker.results, buffer, sizeof buffer);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) {
        lost(worker);
        continue;
      }
      worker.pending.append(buffer, static_cast<std::size_t>(got));
      takeRecords(worker, reports_);
    }
  }

  std::vector<int> openEnds() const {
    std::vector<int> ends;
    for (const Worker& worker : workers_) {
      if (worker.commands >= 0) ends.push_back(worker.commands);
      if (worker.results >= 0) ends.push_back(worker.results);
    }
    return ends;
  }

  // The worker died during a check: that check stopped; a new worker does the rest.
  void lost(Worker& worker) {
    const std::size_t index = *worker.busy;
    const int signal = endWorker(worker);
    reports_.at(index) = Report{{ExitStopped, true}, {}, crashNote_(index, signal) + "\n"};
  }

  const CheckOne& check_;
  const std::function<std::string(std::size_t, int)>& crashNote_;
  std::vector<std::optional<Report>> reports_;
  std::vector<Worker> workers_;
  std::size_t next_ = 0;
};

}  // namespace

std::vector<CheckOutcome> CheckInParallel(
    std::size_t count, unsigned jobs, const CheckOne& check,
    const std::function<std::string(std::size_t, int)>& crashNote) {
  // A worker that died must not take this process with it when it is sent the next index.
  const auto previous = std::signal(SIGPIPE, SIG_IGN);
  std::vector<CheckOutcome> outcomes = Pool(count, jobs, check, crashNote).run();
  std::signal(SIGPIPE, previous);
  return outcomes;
}

}  // namespace draivo::cli
