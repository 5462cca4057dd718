#include "StockOptions.h"

namespace draivo::cli {

WorkpieceSetup StockOptions::setup(bool check) const {
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

std::string ReadStockValue(const std::string& option, const std::string& text,
                           StockOptions& options) {
  if (option == "--stock") {
    const BlankParse parse = ParseStockOption(text);
    if (parse.fault) return "--stock " + text + ": " + FaultText(*parse.fault, Language::English);
    options.stock = parse.blank;
  } else if (option == "--nose-radius") {
    const NoseRadiusParse parse = ParseNoseRadius(text);
    if (parse.fault) {
      return "--nose-radius " + text + ": " + FaultText(*parse.fault, Language::English);
    }
    if (parse.tool) {
      options.noses.byTool[*parse.tool] = parse.radius;
    } else {
      options.noses.fallback = parse.radius;
    }
  } else if (option == "--profile") {
    if (text.empty()) return "--profile needs a file name";
    options.profileFile = text;
  }
  return {};
}

std::string StockUsageText() {
  return "  --stock D50,L80[,Z0][,B20][,K20][,J100]\n"
         "                cut a bar of diameter D and length L whose face is at Z (default 0),\n"
         "                with a bore B (default none), held by the jaws of a chuck over K\n"
         "                at its far end (default no chuck) up to the diameter J (default 2 x D)\n"
         "  --nose-radius [T=]R  the nose radius of tool T (a number or T word: 1, T0101),\n"
         "                or of every tool without T (default 0.4 mm, 0.016 inch under G20)\n"
         "  --profile FILE  write the half-section of the part after the run as an SVG\n"
         "                picture in the program's unit (one program only; the blank as\n"
         "                with --check)\n";
}

}  // namespace draivo::cli
