#include "CommandLine.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <functional>

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

bool parseCount(const std::string& text, std::uint64_t& count) {
  if (text.empty() || text.front() < '1' || text.front() > '9') return false;
  errno = 0;
  char* end = nullptr;
  const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
  if (errno != 0 || end != text.c_str() + text.size()) return false;
  count = value;
  return true;
}

// Parallel checks beyond this many would only wait for each other.
constexpr std::uint64_t MaxJobs = 256;

// Reads the text of an option into the options; gives what is wrong with it, "" when it reads.
using ValueReader = std::function<std::string(const std::string&, CommandLine&)>;

// An option with a value: the texts it was given (the last one only, unless it may be given
// more than once), what it needs when its text is missing, and how a text is read.
struct ValueOption {
  const char* names;
  const char* need;
  ValueReader read;
  bool repeatable = false;
  std::vector<std::string> texts{};
  CLI::Option* option = nullptr;
};

// An option whose bad value is refused with what it needs.
ValueOption needing(const char* names, const char* need,
                    std::function<bool(const std::string&, CommandLine&)> read) {
  return {names, need, [need, read](const std::string& t, CommandLine& o) {
            return read(t, o) ? std::string() : std::string(need);
          }};
}

// A workpiece option, whose bad values are named by what is wrong with them.
ValueOption stockOption(const char* name, const char* need, bool repeatable) {
  return {name, need,
          [name](const std::string& t, CommandLine& o) { return ReadStockValue(name, t, o.stock); },
          repeatable};
}

std::vector<ValueOption> valueOptions() {
  return {
      needing("--zoom", "--zoom needs a number from 1.0 to 20.0",
              [](const std::string& t, CommandLine& o) {
                return parseNumber(t, HeadlessOptions::ZoomMin, HeadlessOptions::ZoomMax, o.zoom);
              }),
      needing("--rapid-rate", "--rapid-rate needs a number above 0 and up to 1000000",
              [](const std::string& t, CommandLine& o) {
                const std::optional<double> rate = ReadRapidRate(t);
                if (rate) o.rapidRate = *rate;
                return rate.has_value();
              }),
      needing("--max-blocks", "--max-blocks needs a whole number above 0",
              [](const std::string& t, CommandLine& o) { return parseCount(t, o.maxBlocks); }),
      needing("--until-block", "--until-block needs a line number above 0",
              [](const std::string& t, CommandLine& o) { return parseCount(t, o.untilBlock); }),
      needing("--bmp", "--bmp needs a file name",
              [](const std::string& t, CommandLine& o) {
                o.bmpFile = t;
                return !t.empty();
              }),
      needing("-j,--jobs", "--jobs needs a whole number from 1 to 256",
              [](const std::string& t, CommandLine& o) {
                std::uint64_t jobs = 0;
                if (!parseCount(t, jobs) || jobs > MaxJobs) return false;
                o.jobs = static_cast<unsigned>(jobs);
                return true;
              }),
      needing("-o,--output", "--output needs a file name",
              [](const std::string& t, CommandLine& o) {
                o.outputFile = t;
                return !t.empty();
              }),
      stockOption("--stock", "--stock needs a blank such as D50,L80", false),
      stockOption("--nose-radius",
                  "--nose-radius needs a radius, or a tool and a radius such as 1=0.8", true),
      stockOption("--profile", "--profile needs a file name", false),
  };
}

// The long name of an option ("--jobs" of "-j,--jobs").
std::string longName(const char* names) {
  const std::string all = names;
  return all.substr(all.rfind(',') + 1);
}

// The options given that a text command does not use.
std::string runOptionGiven(const CommandLine& o, const std::vector<ValueOption>& values) {
  for (const auto& [given, name] : {std::pair{o.direct, "--direct"}, {o.trace, "--trace"},
                                    {o.status, "--status"}, {o.time, "--time"},
                                    {o.json, "--json"}, {o.check, "--check"}}) {
    if (given) return name;
  }
  for (const ValueOption& value : values) {
    const std::string name = longName(value.names);
    if (value.option->count() > 0 && name != "--output" && name != "--jobs") return name;
  }
  return {};
}

// What is wrong with a combination of options and files; "" when nothing is.
std::string combinationError(const CommandLine& o, const std::vector<ValueOption>& values,
                             int textCommands) {
  if (o.help || o.version) return {};
  if (o.programs.empty()) return "no program file given";
  if (std::count(o.programs.begin(), o.programs.end(), StandardInputName) > 1) {
    return "standard input (-) can be given only once";
  }
  if (textCommands > 1) return "only one of --number, --unnumber and --spread can be given";
  if (o.textCommand) {
    const std::string other = runOptionGiven(o, values);
    if (!other.empty()) return "--number, --unnumber and --spread cannot be combined with " + other;
  } else if (!o.outputFile.empty()) {
    return "--output needs --number, --unnumber or --spread";
  }
  if (o.programs.size() > 1 && !o.outputFile.empty()) return "--output takes one program file";
  if (o.programs.size() > 1 && !o.bmpFile.empty()) return "--bmp takes one program file";
  if (o.programs.size() > 1 && !o.stock.profileFile.empty()) {
    return "--profile takes one program file";
  }
  if (o.json && o.trace) return "--json cannot be combined with --trace";
  if (o.json && o.check) return "--json cannot be combined with --check";
  return {};
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  ParsedCommandLine parsed;
  CommandLine& options = parsed.options;
  CLI::App app;
  app.set_help_flag();  // the usage text is our own, with units and defaults
  app.allow_extras();   // unknown options are refused below, by name
  bool number = false, unnumber = false, spread = false;
  for (const auto& [name, flag] :
       {std::pair{"--help", &options.help}, {"--version", &options.version},
        {"--direct", &options.direct}, {"--trace", &options.trace}, {"--status", &options.status},
        {"--time", &options.time}, {"--json", &options.json}, {"--check", &options.check},
        {"--number", &number}, {"--unnumber", &unnumber}, {"--spread", &spread}}) {
    app.add_flag(name, *flag);
  }
  std::vector<ValueOption> values = valueOptions();
  for (ValueOption& value : values) {
    value.option = app.add_option(value.names, value.texts)
                       ->expected(1)
                       ->allow_extra_args(false)
                       ->multi_option_policy(value.repeatable ? CLI::MultiOptionPolicy::TakeAll
                                                              : CLI::MultiOptionPolicy::TakeLast);
  }
  app.add_option("FILE", options.programs);

  try {
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    app.parse(reversed);
  } catch (const CLI::ArgumentMismatch& error) {
    // A value option at the end of the line, without its value.
    const std::string what = error.what();
    for (const ValueOption& value : values) {
      if (what.starts_with(longName(value.names) + ":")) {
        parsed.error = value.need;
        return parsed;
      }
    }
    parsed.error = what;
    return parsed;
  } catch (const CLI::ParseError& error) {
    parsed.error = error.what();
    return parsed;
  }
  for (const std::string& extra : app.remaining()) {
    if (extra != "--") {
      parsed.error = "unknown option " + extra;
      return parsed;
    }
  }
  for (const ValueOption& value : values) {
    for (const std::string& text : value.texts) {
      parsed.error = value.read(text, options);
      if (!parsed.error.empty()) return parsed;
    }
  }
  if (number) options.textCommand = TextCommand::AddLineNumbers;
  if (unnumber) options.textCommand = TextCommand::RemoveLineNumbers;
  if (spread) options.textCommand = TextCommand::SpreadWords;
  parsed.error = combinationError(options, values, int{number} + int{unnumber} + int{spread});
  return parsed;
}

std::string UsageText() {
  return "Usage: draivo-sim [options] FILE...\n"
         "       draivo-sim --number|--unnumber|--spread [-o FILE] FILE...\n"
         "Simulates lathe programs without a window, each FILE its own run (- reads the\n"
         "program from standard input), or applies one of the editor's text commands.\n"
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
         "  --bmp FILE    write the picture as a 24-bit BMP file (one program only)\n"
         "  --max-blocks N  stop the run after N blocks, counting every program block\n"
         "                taken up and every block executed (default: 100 for every\n"
         "                line of the longest program loaded, at least 2000000)\n"
         "  --until-block N  run as \"Uitvoeren tot hier\" does: without stops until the\n"
         "                block on line N of the program file is taken up at a gate\n"
         "                for the first time, and end the run there, before the block\n"
         "                is carried out (picture, --status and --time as they stand)\n"
         + StockUsageText() +
         "  --check       print every fault as FILE:LINE: error: TEXT, and every move\n"
         "                that takes material at rapid, enters the jaws or cuts with the\n"
         "                spindle stopped as FILE:LINE: warning: TEXT: BLOCK (the blank:\n"
         "                --stock, or the program's (WERKSTUK ...) line); a run that\n"
         "                reports a fault or a warning exits with 4\n"
         "  --json        print one JSON object per program, one per line\n"
         "  -j, --jobs N  check N programs at the same time, 1 to 256 (default: one per\n"
         "                processor core); the output keeps the order of the files\n"
         "  --number      number the lines, as \"Regel nummers toevoegen\" of the editor\n"
         "  --unnumber    remove the numbers, as \"Regel nummers verwijderen\"\n"
         "  --spread      spread the words, as \"Regels uiteen trekken\"\n"
         "  -o, --output FILE  write the result of the text command to FILE instead of\n"
         "                over the program (one program only; - is standard output)\n"
         "  --help        show this text\n"
         "  --version     show the version\n"
         "  --            the arguments after it are files, also when they start with -\n"
         "\n"
         "Message boxes are printed to standard error as \"title: text\"; with several\n"
         "files every line of standard error starts with the file name, standard output\n"
         "has a line \"==> FILE <==\" before the output of each file, and a last line on\n"
         "standard error counts the programs and those with faults.\n"
         "Exit status: 0 the run reached its end, 1 a program file could not be read\n"
         "or is not a program, or a file could not be written, 2 bad usage or a blank\n"
         "comment that cannot be read, 3 the run stopped before its end, 4 with --check\n"
         "a fault or a warning was reported, 5 the block of --until-block was never\n"
         "taken up (the run went on to its end); with several files the worst of\n"
         "theirs, from worst to best 2, 1, 3, 5, 4, 0.\n";
}

}  // namespace draivo::cli
