#pragma once

#include <string>
#include <string_view>

namespace draivo {

// Whether a field text reads as a number: digits with at most one decimal point, at least
// one digit, nothing else (no sign, blank, comma or exponent).
bool readsAsNumber(std::string_view text);

// The leading number of a text: an optional "-", digits and at most one decimal point,
// read up to the first other character. A text without a leading number gives 0.
double leadingValue(std::string_view text);

// What the design dialogs' number fields do with a changed text.
enum class ChangeRule {
  Unsigned,  // a text that does not read as a number is emptied
  Signed,    // as Unsigned, but a lone "-" stays so that a negative number can be typed
};

// The text the field holds after the change rule: the text itself or "".
std::string applyChangeRule(ChangeRule rule, const std::string& text);

// Empty, or only the sign of a number still to be typed.
bool isEmptyOrSign(std::string_view text);

}  // namespace draivo
