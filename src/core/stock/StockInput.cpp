#include "stock/StockInput.h"

#include <cmath>
#include <vector>

#include "nc/BlockText.h"
#include "nc/BlockTexts.h"
#include "nc/NumberFormat.h"

namespace draivo {
namespace {

constexpr std::string_view BlankWord = "WERKSTUK";
constexpr std::string_view BlankLetters = "DLZBKJ";

using Problem = InputFault::Problem;

InputFault faultOf(Problem problem, char field, std::string text = {}, double value = 0,
                  double other = 0) {
  return {problem, field, std::move(text), value, other};
}

char upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

double& fieldOf(BarBlank& blank, char letter) {
  switch (letter) {
    case 'D': return blank.diameter;
    case 'L': return blank.length;
    case 'Z': return blank.face;
    case 'B': return blank.bore;
    case 'K': return blank.chuckLength;
    default: return blank.jawDiameter;
  }
}

}  // namespace

BlankParse ParseBlankWords(const std::vector<std::string_view>& words) {
  BlankParse parse;
  std::string seen;
  for (const std::string_view word : words) {
    const char letter = upper(word.front());
    if (BlankLetters.find(letter) == std::string_view::npos) {
      parse.fault = faultOf(Problem::UnknownWord, 0, std::string(word));
      return parse;
    }
    if (seen.find(letter) != std::string::npos) {
      parse.fault = faultOf(Problem::Twice, letter);
      return parse;
    }
    seen += letter;
    const WordRead number = parseNumber(word.substr(1));
    if (!number.valid) {
      parse.fault = faultOf(Problem::NoNumber, letter, std::string(word));
      return parse;
    }
    fieldOf(parse.blank, letter) = number.value;
  }
  for (const char required : {'D', 'L'}) {
    if (seen.find(required) == std::string::npos) {
      parse.fault = faultOf(Problem::Missing, required);
      return parse;
    }
  }
  parse.fault = CheckBlank(parse.blank);
  return parse;
}

namespace {

// The pieces of a text between separators; pieces of blanks only are left out when
// `skipEmpty` is set.
std::vector<std::string_view> split(std::string_view text, char separator, bool skipEmpty) {
  std::vector<std::string_view> pieces;
  std::size_t at = 0;
  for (;;) {
    const std::size_t end = std::min(text.find(separator, at), text.size());
    const std::string_view piece = text.substr(at, end - at);
    if (!(skipEmpty && piece.empty())) pieces.push_back(piece);
    if (end == text.size()) break;
    at = end + 1;
  }
  return pieces;
}

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool startsWithWord(std::string_view text, std::string_view word) {
  if (text.size() < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (upper(text[i]) != word[i]) return false;
  }
  return text.size() == word.size() || text[word.size()] == ' ' || text[word.size()] == ')';
}

struct FieldName {
  char field;
  const char* dutch;
  const char* english;
};

constexpr FieldName fieldNames[] = {
    {'D', "de diameter D", "the diameter D"},
    {'L', "de lengte L", "the length L"},
    {'Z', "de positie Z van het vlak", "the face position Z"},
    {'B', "de boring B", "the bore B"},
    {'K', "de klemlengte K", "the chuck length K"},
    {'J', "de klauwdiameter J", "the jaw diameter J"},
    {'R', "de neusradius", "the nose radius"},
    {'T', "het gereedschap", "the tool"},
};

std::string nameOf(char field, Language language) {
  for (const FieldName& name : fieldNames) {
    if (name.field == field) return language == Language::Dutch ? name.dutch : name.english;
  }
  return std::string(1, field);
}

std::string limitOf(char field) {
  switch (field) {
    case 'D':
    case 'J': return formatGeneral(BarBlank::MaxDiameter);
    case 'L':
    case 'K': return formatGeneral(BarBlank::MaxLength);
    case 'Z': return formatGeneral(BarBlank::MaxFace);
    default: return formatGeneral(NoseRadii::MaxRadius);
  }
}

std::string sentence(std::string text) {
  if (!text.empty() && text.front() >= 'a' && text.front() <= 'z') text.front() = upper(text.front());
  return text + ".";
}

std::string dutchText(const InputFault& f) {
  const std::string name = nameOf(f.field, Language::Dutch);
  const std::string value = formatGeneral(f.value), other = formatGeneral(f.other);
  switch (f.problem) {
    case Problem::Missing: return name + " ontbreekt";
    case Problem::NoNumber: return name + ": \"" + f.text + "\" is geen getal";
    case Problem::Twice: return name + " staat er twee keer in";
    case Problem::UnknownWord:
      if (f.text.empty()) return "een woord is leeg";
      return "onbekend woord \"" + f.text + "\" (bekend zijn D, L, Z, B, K en J)";
    case Problem::NotPositive: return name + " moet groter dan 0 zijn, niet " + value;
    case Problem::Negative: return name + " mag niet negatief zijn, niet " + value;
    case Problem::TooLarge:
      if (f.field == 'Z') return name + " moet tussen -" + limitOf('Z') + " en " + limitOf('Z') + " liggen, niet " + value;
      return name + " mag hoogstens " + limitOf(f.field) + " zijn, niet " + value;
    case Problem::BoreNotInside:
      return "de boring B (" + value + ") moet kleiner zijn dan de diameter D (" + other + ")";
    case Problem::ChuckTooLong:
      return "de klemlengte K (" + value + ") moet kleiner zijn dan de lengte L (" + other + ")";
    case Problem::JawsNotOutside:
      return "de klauwdiameter J (" + value + ") moet groter zijn dan de diameter D (" + other + ")";
    case Problem::NotClosed: return "het haakje sluiten \")\" ontbreekt";
    case Problem::TextAfter: return "tekst na het haakje sluiten: \"" + f.text + "\"";
    case Problem::BadTool:
      return "\"" + f.text + "\" is geen gereedschapsnummer (0 tot " +
             std::to_string(NoseRadii::MaxTool) + ", of een T-woord als T0101)";
  }
  return {};
}

std::string englishText(const InputFault& f) {
  const std::string name = nameOf(f.field, Language::English);
  const std::string value = formatGeneral(f.value), other = formatGeneral(f.other);
  switch (f.problem) {
    case Problem::Missing: return name + " is missing";
    case Problem::NoNumber: return name + ": \"" + f.text + "\" is no number";
    case Problem::Twice: return name + " is given twice";
    case Problem::UnknownWord:
      if (f.text.empty()) return "a word is empty";
      return "unknown word \"" + f.text + "\" (known are D, L, Z, B, K and J)";
    case Problem::NotPositive: return name + " must be above 0, not " + value;
    case Problem::Negative: return name + " must not be negative, not " + value;
    case Problem::TooLarge:
      if (f.field == 'Z') return name + " must lie from -" + limitOf('Z') + " to " + limitOf('Z') + ", not " + value;
      return name + " must be at most " + limitOf(f.field) + ", not " + value;
    case Problem::BoreNotInside:
      return "the bore B (" + value + ") must be less than the diameter D (" + other + ")";
    case Problem::ChuckTooLong:
      return "the chuck length K (" + value + ") must be less than the length L (" + other + ")";
    case Problem::JawsNotOutside:
      return "the jaw diameter J (" + value + ") must be more than the diameter D (" + other + ")";
    case Problem::NotClosed: return "the closing \")\" is missing";
    case Problem::TextAfter: return "text after the closing \")\": \"" + f.text + "\"";
    case Problem::BadTool:
      return "\"" + f.text + "\" is no tool number (0 to " + std::to_string(NoseRadii::MaxTool) +
             ", or a T word such as T0101)";
  }
  return {};
}

}  // namespace

std::string FaultText(const InputFault& fault, Language language) {
  return language == Language::Dutch ? dutchText(fault) : englishText(fault);
}

std::string FaultSentence(const InputFault& fault, Language language) {
  return sentence(FaultText(fault, language));
}

double NoseRadii::radiusFor(std::string_view toolWord, LengthUnit unit) const {
  if (toolWord.starts_with("T")) toolWord.remove_prefix(1);
  if (const std::optional<int> tool = ToolNumberOf(toolWord)) {
    if (const auto found = byTool.find(*tool); found != byTool.end()) return found->second;
  }
  if (fallback > 0) return fallback;
  return unit == LengthUnit::Inch ? DefaultInch : DefaultMm;
}

std::optional<InputFault> CheckBlank(const BarBlank& b) {
  for (const char letter : {'D', 'L'}) {
    const double value = letter == 'D' ? b.diameter : b.length;
    if (!(value > 0)) return faultOf(Problem::NotPositive, letter, {}, value);
  }
  if (b.diameter > BarBlank::MaxDiameter) return faultOf(Problem::TooLarge, 'D', {}, b.diameter);
  if (b.length > BarBlank::MaxLength) return faultOf(Problem::TooLarge, 'L', {}, b.length);
  if (!(std::fabs(b.face) <= BarBlank::MaxFace)) return faultOf(Problem::TooLarge, 'Z', {}, b.face);
  if (b.bore < 0) return faultOf(Problem::Negative, 'B', {}, b.bore);
  if (b.bore >= b.diameter) return faultOf(Problem::BoreNotInside, 'B', {}, b.bore, b.diameter);
  if (b.chuckLength < 0) return faultOf(Problem::Negative, 'K', {}, b.chuckLength);
  if (b.chuckLength >= b.length) {
    return faultOf(Problem::ChuckTooLong, 'K', {}, b.chuckLength, b.length);
  }
  if (b.jawDiameter < 0) return faultOf(Problem::Negative, 'J', {}, b.jawDiameter);
  if (b.jawDiameter > BarBlank::MaxDiameter) return faultOf(Problem::TooLarge, 'J', {}, b.jawDiameter);
  if (b.jawDiameter > 0 && b.jawDiameter <= b.diameter) {
    return faultOf(Problem::JawsNotOutside, 'J', {}, b.jawDiameter, b.diameter);
  }
  return {};
}

BlankParse ParseStockOption(std::string_view text) {
  std::vector<std::string_view> words = split(text, ',', false);
  for (const std::string_view word : words) {
    if (word.empty()) {
      BlankParse parse;
      parse.fault = faultOf(Problem::UnknownWord, 0);
      return parse;
    }
  }
  return ParseBlankWords(words);
}

bool IsBlankComment(std::string_view block) {
  const std::string_view line = trimmed(block);
  return line.starts_with("(") && startsWithWord(trimmed(line.substr(1)), BlankWord);
}

BlankParse ParseBlankComment(std::string_view block) {
  BlankParse parse;
  std::string_view line = trimmed(block);
  line.remove_prefix(1);  // "("
  const std::size_t close = line.find(')');
  if (close == std::string_view::npos) {
    parse.fault = faultOf(Problem::NotClosed, 0);
    return parse;
  }
  const std::string_view after = trimmed(line.substr(close + 1));
  if (!after.empty() && after != ";") {
    parse.fault = faultOf(Problem::TextAfter, 0, std::string(after));
    return parse;
  }
  std::string_view words = trimmed(line.substr(0, close));
  words.remove_prefix(BlankWord.size());
  return ParseBlankWords(split(words, ' ', true));
}

std::optional<BlankComment> FindBlankComment(const BlockTexts& program) {
  for (std::size_t i = 0; i < program.size(); ++i) {
    if (IsBlankComment(program[i])) return BlankComment{i, ParseBlankComment(program[i])};
  }
  return {};
}

std::optional<int> ToolNumberOf(std::string_view digits) {
  if (digits.empty() || digits.size() > 4) return {};
  int number = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return {};
    number = number * 10 + (c - '0');
  }
  return digits.size() <= 2 ? number : number / 100;
}

std::optional<InputFault> CheckNoseRadius(double radius) {
  if (!(radius > 0)) return faultOf(Problem::NotPositive, 'R', {}, radius);
  if (radius > NoseRadii::MaxRadius) return faultOf(Problem::TooLarge, 'R', {}, radius);
  return {};
}

NoseRadiusParse ParseNoseRadius(std::string_view text) {
  NoseRadiusParse parse;
  const std::size_t equals = text.find('=');
  if (equals != std::string_view::npos) {
    std::string_view tool = text.substr(0, equals);
    if (tool.starts_with("T") || tool.starts_with("t")) tool.remove_prefix(1);
    parse.tool = ToolNumberOf(tool);
    if (!parse.tool) {
      parse.fault = faultOf(Problem::BadTool, 'T', std::string(text.substr(0, equals)));
      return parse;
    }
    text.remove_prefix(equals + 1);
  }
  const WordRead number = parseNumber(text);
  if (!number.valid) {
    parse.fault = faultOf(Problem::NoNumber, 'R', std::string(text));
    return parse;
  }
  parse.radius = number.value;
  parse.fault = CheckNoseRadius(parse.radius);
  return parse;
}

}  // namespace draivo
