#include "time/TimeTable.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "nc/NumberFormat.h"

namespace draivo {
namespace {

constexpr double TenthsPerMinute = 600;
constexpr double MaxTenths = 9e15;  // well inside a long long
constexpr int MillimetreDecimals = 2, InchDecimals = 3;
constexpr const char* ColumnGap = "  ";

struct UnknownNote {
  UnknownFeed reason;
  const char* text;
};

constexpr UnknownNote unknownNotes[] = {
    {UnknownFeed::NoSpindleSpeed, "Tijd onbekend: voeding per omwenteling zonder toerental (S)."},
    {UnknownFeed::SpindleStopped,
     "Tijd onbekend: voeding per omwenteling bij stilstaande spil (M05, of geen M03/M04)."},
    {UnknownFeed::NoFeed, "Tijd onbekend: voeding 0 of geen F."},
    {UnknownFeed::UnboundedSpeed,
     "Tijd onbekend: constante snijsnelheid (G96) tot op de as zonder maximaal toerental (G50 S)."},
    {UnknownFeed::OutOfRange, "Tijd onbekend: beweging te lang om te meten."},
};

std::string fixed(double value, int decimals) {
  char buffer[400];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (!std::isfinite(value) || error != std::errc()) return UnknownTimeText;
  return std::string(buffer, end);
}

TimeRow rowOf(const std::string& name, const TimeTotals& totals, double rapidRate, int decimals) {
  const double rapid = totals.rapidMinutes(rapidRate);
  const bool known = totals.feedKnown();
  return {
      name,
      known ? FormatDuration(totals.feedMinutes) : UnknownTimeText,
      FormatDuration(rapid),
      FormatDuration(totals.dwellMinutes),
      known ? FormatDuration(totals.feedMinutes + rapid + totals.dwellMinutes) : UnknownTimeText,
      fixed(totals.feedLength, decimals),
      fixed(totals.rapidLength, decimals)};
}

}  // namespace

std::string UnitName(LengthUnit unit) {
  return unit == LengthUnit::Inch ? "inch" : "mm";
}

std::string FormatDuration(double minutes) {
  const double tenths = std::round(minutes * TenthsPerMinute);
  if (!(tenths >= 0 && tenths <= MaxTenths)) return UnknownTimeText;
  const auto t = static_cast<long long>(tenths);
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%lld:%02lld:%02lld.%lld", t / 36000, t / 600 % 60,
                t / 10 % 60, t % 10);
  return buffer;
}

std::optional<double> ReadRapidRate(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  std::string number(text.substr(first, text.find_last_not_of(' ') + 1 - first));
  std::replace(number.begin(), number.end(), ',', '.');
  double rate{};
  const char* end = number.data() + number.size();
  const auto [stop, error] = std::from_chars(number.data(), end, rate);
  if (error != std::errc() || stop != end || !std::isfinite(rate)) return {};
  if (!(rate > 0) || rate > MaxRapidRate) return {};
  return rate;
}

TimeTable MakeTimeTable(const TimeAccount& account, double rapidRate) {
  const std::string unit = UnitName(account.unit);
  const int decimals = account.unit == LengthUnit::Inch ? InchDecimals : MillimetreDecimals;
  TimeTable table;
  table.headers = {"Gereedschap",
                   "Voedingstijd",
                   "IJlgangtijd",
                   "Wachttijd",
                   "Totale tijd",
                   "Voedingsweg (" + unit + ")",
                   "IJlgangweg (" + unit + ")"};
  for (const ToolTime& tool : account.tools) {
    table.rows.push_back(
        rowOf(tool.tool.empty() ? NoToolCaption : tool.tool, tool.totals, rapidRate, decimals));
  }
  const TimeTotals total = account.total();
  table.rows.push_back(rowOf(TotalCaption, total, rapidRate, decimals));
  for (const UnknownNote& note : unknownNotes) {
    if (total.unknownFeed & static_cast<unsigned>(note.reason)) table.notes.push_back(note.text);
  }
  const double rate = rapidRate > 0 ? rapidRate : account.defaultRapidRate();
  table.rapidRate = formatGeneral(rate) + " " + unit + "/min";
  return table;
}

std::string FormatTimeTable(const TimeTable& table) {
  std::array<std::size_t, TimeColumnCount> widths{};
  for (std::size_t c = 0; c < TimeColumnCount; ++c) {
    widths[c] = table.headers[c].size();
    for (const TimeRow& row : table.rows) widths[c] = std::max(widths[c], row[c].size());
  }
  std::string text;
  const auto addRow = [&](const TimeRow& row) {
    for (std::size_t c = 0; c < TimeColumnCount; ++c) {
      const std::string padding(widths[c] - row[c].size(), ' ');
      // The tool names to the left, the numbers to the right.
      text += c == 0 ? row[c] + padding : ColumnGap + padding + row[c];
    }
    text += '\n';
  };
  addRow(table.headers);
  for (const TimeRow& row : table.rows) addRow(row);
  for (const std::string& note : table.notes) text += note + '\n';
  text += "IJlgang: " + table.rapidRate + '\n';
  return text;
}

}  // namespace draivo
