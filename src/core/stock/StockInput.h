#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "motion/LengthUnit.h"

namespace draivo {

class BlockTexts;

// The bar to be cut and the chuck that holds it, in the program's unit (X values are
// diameters). The bar runs from its face at Z towards -Z over its length; the chuck's jaws
// hold its far end over the chuck length and stand up to the jaw diameter.
struct BarBlank {
  static constexpr double MaxDiameter = 1000;
  static constexpr double MaxLength = 2000;
  static constexpr double MaxFace = 2000;  // |Z|

  double diameter{};     // D
  double length{};       // L
  double face{};         // Z
  double bore{};         // B; 0 for a solid bar
  double chuckLength{};  // K; 0 for no chuck
  double jawDiameter{};  // J; 0 for the default, twice the bar's diameter

  double jaws() const { return jawDiameter > 0 ? jawDiameter : 2 * diameter; }
  bool operator==(const BarBlank&) const = default;
};

// The nose radius of each tool, by tool number; the others take the fallback, or when that is
// 0, 0.4 mm (0.016 inch under G20).
struct NoseRadii {
  static constexpr double MaxRadius = 10;
  static constexpr int MaxTool = 99;
  static constexpr double DefaultMm = 0.4;
  static constexpr double DefaultInch = 0.016;

  double fallback{};
  std::map<int, double> byTool;

  // The radius for the tool a T word selected ("T0101"; "" before any).
  double radiusFor(std::string_view toolWord, LengthUnit unit) const;
  bool operator==(const NoseRadii&) const = default;
};

// Where the workpiece of a run comes from.
struct WorkpieceSetup {
  enum class Source {
    None,     // no workpiece: the run is as without this feature
    Program,  // the blank comment of the main program, when it has one
    Given,    // `blank`
  };
  Source source = Source::None;
  BarBlank blank;
  NoseRadii noses;

  bool operator==(const WorkpieceSetup&) const = default;
};

// What is wrong with a blank, a nose radius or a blank comment.
struct InputFault {
  enum class Problem {
    Missing,         // a word that must be given
    NoNumber,        // a letter without a number after it
    Twice,           // a letter given twice
    UnknownWord,     // `text`
    NotPositive,     // 0 or less
    Negative,
    TooLarge,        // beyond the limit of the field
    BoreNotInside,   // B >= D
    ChuckTooLong,    // K >= L
    JawsNotOutside,  // J <= D
    NotClosed,       // a comment without ")"
    TextAfter,       // `text` after the ")"
    BadTool,         // `text` names no tool number
  };
  Problem problem = Problem::Missing;
  char field{};  // D, L, Z, B, K, J; R for a nose radius, T for a tool
  std::string text;
  double value{}, other{};  // the value, and the value it must keep clear of
};

enum class Language { Dutch, English };

// The fault as a phrase ("the diameter D must be above 0, not -5"), for a line of text after
// what it is about, and as a sentence ("De diameter D moet groter dan 0 zijn, niet -5.").
std::string FaultText(const InputFault& fault, Language language);
std::string FaultSentence(const InputFault& fault, Language language);

struct BlankParse {
  BarBlank blank;
  std::optional<InputFault> fault;
};

// The words ("D50") of a blank in any order, each letter at most once, D and L required; the
// limits of CheckBlank hold.
BlankParse ParseBlankWords(const std::vector<std::string_view>& words);
// "D50,L80[,Z0][,B20][,K20][,J100]": letters and numbers, comma-separated, in any order.
BlankParse ParseStockOption(std::string_view text);
// Whether a block is a blank comment: a line "(WERKSTUK ...)", the word in any case.
bool IsBlankComment(std::string_view block);
// "(WERKSTUK D50 L80 Z0 B0 K20 J100)": the same letters separated by blanks, "." or "," as
// decimal sign, optionally followed by " ;".
BlankParse ParseBlankComment(std::string_view block);
// The limits the fields must keep: sizes above 0, the bore inside the bar, the chuck shorter
// than the bar, the jaws outside it.
std::optional<InputFault> CheckBlank(const BarBlank& blank);

// The first blank comment of a program and what it says.
struct BlankComment {
  std::size_t index{};  // in the program
  BlankParse parse;
};
std::optional<BlankComment> FindBlankComment(const BlockTexts& program);

// The tool number a T word (without its "T") names: one or two digits are the number, three
// or four the number and the offset ("0101" is tool 1); nothing for anything else.
std::optional<int> ToolNumberOf(std::string_view digits);

// "R" (every tool) or "T=R" (the tool; T a tool number or T word, "1", "T01", "T0101").
struct NoseRadiusParse {
  std::optional<int> tool;
  double radius{};
  std::optional<InputFault> fault;
};
NoseRadiusParse ParseNoseRadius(std::string_view text);
// A nose radius above 0 and at most NoseRadii::MaxRadius.
std::optional<InputFault> CheckNoseRadius(double radius);

}  // namespace draivo
