// The keyboard tests need a real X server: the off-screen platform activates every window it
// shows, which hides exactly the faults these tests look for. They run on an Xvfb server of
// their own, without a window manager, where a window has the keyboard only when it asks. It
// is started before main makes the application, and ends with the tests.
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

class XServer {
 public:
  XServer() {
    int fds[2];
    if (pipe(fds) != 0) fail();
    server_ = fork();
    if (server_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGTERM);  // the server ends with the tests, however they end
      close(fds[0]);
      std::freopen("/dev/null", "w", stderr);  // it reports every display it finds taken
      const std::string fd = std::to_string(fds[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten",
             "tcp", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    std::string display = ":";
    for (char c = 0; read(fds[0], &c, 1) == 1 && c != '\n';) display += c;
    close(fds[0]);
    if (display == ":") fail();
    setenv("DISPLAY", display.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
  }
  ~XServer() {
    kill(server_, SIGTERM);
    waitpid(server_, nullptr, 0);
  }

 private:
  [[noreturn]] static void fail() {
    std::fprintf(stderr, "Xvfb could not be started\n");
    std::exit(1);
  }
  pid_t server_ = -1;
};

const XServer server;

}  // namespace
