// draivo-bench-editor [LINES]: opens a program of LINES lines of 24 characters (default 195,627
// lines, 5.1 MB) in the NC editor (shown off screen with QT_QPA_PLATFORM=offscreen), types keys
// into the middle of it and reports the CPU time per key and the memory the keys add, next to the
// same keys on a program of five lines.
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "editor/EditorDialogs.h"
#include "editor/frmNC_Editor.h"

namespace {

constexpr std::size_t DefaultLines = 195'627;
constexpr int WarmUpKeys = 50;
constexpr int MeasuredKeys = 300;
constexpr int KeysPerMemoryStep = 100;

// Writes a program of straight moves, each line "N0010 G01 X45.5 Z-12.2 ;" and CR LF.
std::filesystem::path writeProgram(const std::filesystem::path& folder, std::size_t lines) {
  std::filesystem::create_directories(folder);
  const auto file = folder / "program.nc";
  std::ofstream out(file, std::ios::binary);
  char line[64];
  for (std::size_t i = 0; i < lines; ++i) {
    std::snprintf(line, sizeof line, "N%04zu G01 X%04.1f Z-%04.1f ;\r\n", i % 10000,
                  10.0 + static_cast<double>(i % 800) / 10.0, static_cast<double>(i % 700) / 10.0);
    out << line;
  }
  return file;
}

double cpuMilliseconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The resident memory of the process in kilobytes.
long residentKilobytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Answers No to every question and cancels every dialog: nothing is shown.
class SilentDialogs : public draivo::EditorDialogs {
 public:
  QMessageBox::StandardButton message(QWidget*, QMessageBox::Icon, const QString&, const QString&,
                                      QMessageBox::StandardButtons) override {
    return QMessageBox::No;
  }
  QString openFileName(QWidget*, const QString&, const QString&, const QString&) override {
    return {};
  }
  QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
    return {};
  }
  bool chooseFont(QWidget*, QFont&, QColor&) override { return false; }
  std::unique_ptr<QPrinter> defaultPrinter() override { return nullptr; }
};

void typeKey(QWidget* target, int index) {
  const QString text(QChar(u'A' + index % 26));
  QKeyEvent press(QEvent::KeyPress, Qt::Key_A + index % 26, Qt::NoModifier, text);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_A + index % 26, Qt::NoModifier, text);
  QApplication::sendEvent(target, &press);
  QApplication::sendEvent(target, &release);
  QApplication::processEvents();  // the repaint belongs to the key
}

struct KeyFigures {
  double loadMs = 0;
  double medianMs = 0;
  double percentile99Ms = 0;
  double worstMs = 0;
  double growthKbPer100 = 0;
  double undoMs = 0;
};

KeyFigures measure(const std::filesystem::path& file, const std::filesystem::path& folder) {
  KeyFigures figures;
  auto dialogs = std::make_shared<SilentDialogs>();
  const double loadFrom = cpuMilliseconds();
  draivo::frmNC_Editor editor(QString::fromStdString(file.string()),
                              QString::fromStdString(folder.string()), dialogs);
  editor.show();
  QApplication::processEvents();
  figures.loadMs = cpuMilliseconds() - loadFrom;

  QPlainTextEdit* area = editor.textArea();
  QTextCursor middle = area->textCursor();
  middle.setPosition(area->document()->characterCount() / 2);
  area->setTextCursor(middle);
  area->setFocus();
  for (int i = 0; i < WarmUpKeys; ++i) typeKey(area, i);

  std::vector<double> times;
  const long memoryFrom = residentKilobytes();
  for (int i = 0; i < MeasuredKeys; ++i) {
    const double from = cpuMilliseconds();
    typeKey(area, i);
    times.push_back(cpuMilliseconds() - from);
  }
  figures.growthKbPer100 =
      static_cast<double>(residentKilobytes() - memoryFrom) * KeysPerMemoryStep / MeasuredKeys;
  std::sort(times.begin(), times.end());
  figures.medianMs = times[times.size() / 2];
  figures.percentile99Ms = times[times.size() * 99 / 100];
  figures.worstMs = times.back();

  const double undoFrom = cpuMilliseconds();
  for (int i = 0; i < KeysPerMemoryStep; ++i) {
    editor.Undo();
    QApplication::processEvents();
  }
  figures.undoMs = (cpuMilliseconds() - undoFrom) / KeysPerMemoryStep;
  return figures;
}

void report(const char* label, const std::filesystem::path& file, std::size_t lines,
            const KeyFigures& f) {
  std::printf("%s: %zu lines, %.2f MB; opening %.0f ms\n", label, lines,
              static_cast<double>(std::filesystem::file_size(file)) / 1e6, f.loadMs);
  std::printf("  per key (CPU, %d keys): median %.3f ms, 99th percentile %.3f ms, worst %.3f ms\n",
              MeasuredKeys, f.medianMs, f.percentile99Ms, f.worstMs);
  std::printf("  memory growth: %.0f kB per %d keys\n", f.growthKbPer100, KeysPerMemoryStep);
  std::printf("  undo: %.3f ms per step\n", f.undoMs);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  std::size_t lines = DefaultLines;
  if (argc > 2 || (argc == 2 && (lines = std::strtoul(argv[1], nullptr, 10)) < 10)) {
    std::fprintf(stderr, "usage: draivo-bench-editor [LINES]\n");
    return 2;
  }
  const auto folder =
      std::filesystem::temp_directory_path() / ("draivo-bench-editor-" + std::to_string(getpid()));
  const auto small = writeProgram(folder / "small", 5);
  const auto large = writeProgram(folder / "large", lines);

  report("five lines", small, 5, measure(small, folder / "small"));
  report("large program", large, lines, measure(large, folder / "large"));
  std::filesystem::remove_all(folder);
  return 0;
}
