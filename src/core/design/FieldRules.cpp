#include "design/FieldRules.h"

#include <charconv>

namespace draivo {
namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

bool readsAsNumber(std::string_view text) {
  bool digit = false;
  bool point = false;
  for (const char c : text) {
    if (isDigit(c)) {
      digit = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digit;
}

double leadingValue(std::string_view text) {
  std::size_t end = 0;
  if (end < text.size() && text[end] == '-') ++end;
  bool point = false;
  bool digit = false;
  for (; end < text.size(); ++end) {
    const char c = text[end];
    if (isDigit(c)) {
      digit = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (!digit) return 0.0;
  double value = 0.0;
  const char* first = text.data();
  const auto result = std::from_chars(first, first + end, value);
  return result.ec == std::errc() ? value : 0.0;
}

std::string applyChangeRule(ChangeRule rule, const std::string& text) {
  if (rule == ChangeRule::Signed && !text.empty() && text.front() == '-') {
    const bool numberAfterSign = text.size() < 2 || readsAsNumber(std::string_view(text).substr(1));
    return numberAfterSign ? text : std::string();
  }
  return readsAsNumber(text) ? text : std::string();
}

bool isEmptyOrSign(std::string_view text) {
  return text.empty() || text == "-";
}

}  // namespace draivo
