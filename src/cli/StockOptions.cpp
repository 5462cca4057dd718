#include "StockOptions.h"

namespace draivo::cli {

WorkpieceSetup StockOptions::setup() const {
  WorkpieceSetup setup;
  setup.noses = noses;
  if (stock) {
    setup.source = WorkpieceSetup::Source::Given;
    setup.blank = *stock;
  } else if (check || !profileFile.empty()) {
    setup.source = WorkpieceSetup::Source::Program;
  }
  return setup;
}

bool ParseStockArgument(const std::vector<std::string>& arguments, std::size_t& i,
                        StockOptions& options, std::string& error) {
  const std::string& argument = arguments[i];
  const bool hasValue = i + 1 < arguments.size();
  if (argument == "--check") {
    options.check = true;
  } else if (argument == "--stock") {
    if (!hasValue) {
      error = "--stock needs a blank such as D50,L80";
      return true;
    }
    const BlankParse parse = ParseStockOption(arguments[++i]);
    if (parse.fault) {
      error = "--stock " + arguments[i] + ": " + FaultText(*parse.fault, Language::English);
      return true;
    }
    options.stock = parse.blank;
  } else if (argument == "--nose-radius") {
    if (!hasValue) {
      error = "--nose-radius needs a radius, or a tool and a radius such as 1=0.8";
      return true;
    }
    const NoseRadiusParse parse = ParseNoseRadius(arguments[++i]);
    if (parse.fault) {
      error = "--nose-radius " + arguments[i] + ": " + FaultText(*parse.fault, Language::English);
      return true;
    }
    if (parse.tool) {
      options.noses.byTool[*parse.tool] = parse.radius;
    } else {
      options.noses.fallback = parse.radius;
    }
  } else if (argument == "--profile") {
    if (!hasValue || arguments[i + 1].empty()) {
      error = "--profile needs a file name";
      return true;
    }
    options.profileFile = arguments[++i];
  } else {
    return false;
  }
  return true;
}

std::string StockUsageText() {
  return "  --stock D50,L80[,Z0][,B20][,K20][,J100]\n"
         "                cut a bar of diameter D and length L whose face is at Z (default 0),\n"
         "                with a bore B (default none), held by the jaws of a chuck over K\n"
         "                at its far end (default no chuck) up to the diameter J (default 2 x D)\n"
         "  --nose-radius [T=]R  the nose radius of tool T (a number or T word: 1, T0101),\n"
         "                or of every tool without T (default 0.4 mm, 0.016 inch under G20)\n"
         "  --check       print a line FILE:LINE: warning: TEXT: BLOCK for every move that\n"
         "                takes material at rapid, enters the jaws or cuts with the spindle\n"
         "                stopped; without --stock the program's (WERKSTUK ...) line is the blank\n"
         "  --profile FILE  write the half-section of the part after the run as an SVG\n"
         "                picture in the program's unit (the blank as with --check)\n";
}

}  // namespace draivo::cli
