#include "CommandLine.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "run/HeadlessRun.h"
#include "time/TimeTable.h"

namespace draivo::cli {
namespace {

// A number from `min` to `max` and nothing else.
bool parseNumber(const std::string& text, double min, double max, double& number) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (errno != 0 || end != text.c_str() + text.size() || !std::isfinite(value)) return false;
  if (value < min || value > max) return false;
  number = value;
  return true;
}

bool parseZoom(const std::string& text, double& zoom) {
  return parseNumber(text, HeadlessOptions::ZoomMin, HeadlessOptions::ZoomMax, zoom);
}

bool parseRapidRate(const std::string& text, double& rate) {
  const std::optional<double> read = ReadRapidRate(text);
  if (read) rate = *read;
  return read.has_value();
}

bool parseCount(const std::string& text, std::uint64_t& count) {
  if (text.empty() || text.front() < '1' || text.front() > '9') return false;
  errno = 0;
  char* end = nullptr;
  const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
  if (errno != 0 || end != text.c_str() + text.size()) return false;
  count = value;
  return true;
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  ParsedCommandLine parsed;
  CommandLine& options = parsed.options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (argument == "--help") {
      options.help = true;
    } else if (argument == "--version") {
      options.version = true;
    } else if (argument == "--direct") {
      options.direct = true;
    } else if (argument == "--trace") {
      options.trace = true;
    } else if (argument == "--status") {
      options.status = true;
    } else if (argument == "--time") {
      options.time = true;
    } else if (argument == "--rapid-rate") {
      if (!hasValue || !parseRapidRate(arguments[++i], options.rapidRate)) {
        parsed.error = "--rapid-rate needs a number above 0 and up to 1000000";
        return parsed;
      }
    } else if (argument == "--zoom") {
      if (!hasValue || !parseZoom(arguments[++i], options.zoom)) {
        parsed.error = "--zoom needs a number from 1.0 to 20.0";
        return parsed;
      }
    } else if (argument == "--max-blocks") {
      if (!hasValue || !parseCount(arguments[++i], options.maxBlocks)) {
        parsed.error = "--max-blocks needs a whole number above 0";
        return parsed;
      }
    } else if (argument == "--until-block") {
      if (!hasValue || !parseCount(arguments[++i], options.untilBlock)) {
        parsed.error = "--until-block needs a line number above 0";
        return parsed;
      }
    } else if (argument == "--bmp") {
      if (!hasValue || arguments[i + 1].empty()) {
        parsed.error = "--bmp needs a file name";
        return parsed;
      }
      options.bmpFile = arguments[++i];
    } else if (argument.starts_with("-") && argument.size() > 1) {
      parsed.error = "unknown option " + argument;
      return parsed;
    } else if (!options.program.empty()) {
      parsed.error = "only one program file can be given";
      return parsed;
    } else {
      options.program = argument;
    }
  }
  if (options.program.empty() && !options.help && !options.version) {
    parsed.error = "no program file given";
  }
  return parsed;
}

std::string UsageText() {
  return "Usage: draivo-sim [options] PROGRAM\n"
         "Simulates a lathe program without a window.\n"
         "\n"
         "Options:\n"
         "  --zoom F      pixels per millimetre, 1.0 to 20.0 (default 3.4)\n"
         "  --direct      draw moves at once instead of pixel by pixel\n"
         "  --trace       print every executed block, one per line\n"
         "  --status      print the five status rows after the run (caption, tab, value)\n"
         "  --time        print the machining time after the run: a row per tool and the\n"
         "                total (feed, rapid, dwell and total time as h:mm:ss.s, feed and\n"
         "                rapid length in the program's unit)\n"
         "  --rapid-rate R  the rapid rate for --time in the program's unit per minute\n"
         "                (default 10000 mm/min, or 400 inch/min under G20)\n"
         "  --bmp FILE    write the picture as a 24-bit BMP file\n"
         "  --max-blocks N  stop the run after N blocks, counting every program block\n"
         "                taken up and every block executed (default: 100 for every\n"
         "                line of the longest program loaded, at least 2000000)\n"
         "  --until-block N  run as \"Uitvoeren tot hier\" does: without stops until the\n"
         "                block on line N of the program file is taken up at a gate\n"
         "                for the first time, and end the run there, before the block\n"
         "                is carried out (picture, --status and --time as they stand)\n"
         "  --help        show this text\n"
         "  --version     show the version\n"
         "\n"
         "Message boxes are printed to standard error as \"title: text\".\n"
         "Exit status: 0 the run reached its end, 1 a program file could not be read\n"
         "or is not a program, or the picture could not be written, 2 bad usage,\n"
         "3 the run stopped before its end, 4 the block of --until-block was never\n"
         "taken up (the run went on to its end).\n";
}

}  // namespace draivo::cli
