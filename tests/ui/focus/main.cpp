// The keyboard tests need a real X server: the off-screen platform activates every window it
// shows, which hides exactly the faults these tests look for. They run on an Xvfb server of
// their own, without a window manager, where a window has the keyboard only when it asks.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/DutchApplication.h"

namespace {

// Starts Xvfb on a free display; its number, or "" when no server could be started.
std::string startXvfb(pid_t& server) {
  int fds[2];
  if (pipe(fds) != 0) return {};
  server = fork();
  if (server == 0) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);  // the server ends with the tests, however they end
    close(fds[0]);
    std::freopen("/dev/null", "w", stderr);  // it reports every display it finds taken
    const std::string fd = std::to_string(fds[1]);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten",
           "tcp", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  std::string display;
  char c = 0;
  while (read(fds[0], &c, 1) == 1 && c != '\n') display += c;
  close(fds[0]);
  return display;
}

}  // namespace

int main(int argc, char* argv[]) {
  pid_t server = -1;
  const std::string display = startXvfb(server);
  if (display.empty()) {
    std::fprintf(stderr, "Xvfb could not be started\n");
    return 1;
  }
  setenv("DISPLAY", (":" + display).c_str(), 1);
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  int result = 1;
  {
    QApplication app(argc, argv);
    draivo::prepareDutchApplication(app);
    ::testing::InitGoogleTest(&argc, argv);
    result = RUN_ALL_TESTS();
  }
  kill(server, SIGTERM);
  waitpid(server, nullptr, 0);
  return result;
}
