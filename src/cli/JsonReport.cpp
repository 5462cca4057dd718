#include "JsonReport.h"

#include <nlohmann/json.hpp>

#include <cmath>

#include "time/TimeTable.h"

namespace draivo::cli {
namespace {

using Json = nlohmann::ordered_json;

constexpr double SecondsPerMinute = 60;

// Seconds as a number; null when the time is not known.
Json seconds(double minutes, bool known = true) {
  const double value = minutes * SecondsPerMinute;
  if (!known || !std::isfinite(value)) return nullptr;
  return value;
}

Json length(double value) {
  if (!std::isfinite(value)) return nullptr;
  return value;
}

Json timesOf(const TimeTotals& totals, double rapidRate) {
  const double rapid = totals.rapidMinutes(rapidRate);
  const bool known = totals.feedKnown();
  return {{"feed_s", seconds(totals.feedMinutes, known)},
          {"rapid_s", seconds(rapid)},
          {"dwell_s", seconds(totals.dwellMinutes)},
          {"total_s", seconds(totals.feedMinutes + rapid + totals.dwellMinutes, known)},
          {"feed_length", length(totals.feedLength)},
          {"rapid_length", length(totals.rapidLength)}};
}

Json timeOf(const TimeAccount& account, double rapidRate) {
  Json tools = Json::array();
  for (const ToolTime& tool : account.tools) {
    Json row = {{"tool", tool.tool.empty() ? Json(nullptr) : Json(tool.tool)}};
    row.update(timesOf(tool.totals, rapidRate));
    tools.push_back(std::move(row));
  }
  const TimeTable table = MakeTimeTable(account, rapidRate);
  return {{"unit", UnitName(account.unit)},
          {"rapid_rate", rapidRate > 0 ? rapidRate : account.defaultRapidRate()},
          {"tools", std::move(tools)},
          {"total", timesOf(account.total(), rapidRate)},
          {"notes", table.notes}};
}

Json diagnosticsOf(const std::vector<Diagnostic>& list) {
  Json items = Json::array();
  for (const Diagnostic& d : list) {
    items.push_back({{"file", d.file},
                     {"line", d.line > 0 ? Json(d.line) : Json(nullptr)},
                     {"text", d.text}});
  }
  return items;
}

}  // namespace

std::string JsonReport(const JsonInput& input) {
  const HeadlessResult& result = input.result;
  Json messages = Json::array();
  for (const RunMessage& box : result.messageBoxes) {
    messages.push_back(
        {{"title", box.title}, {"text", ShownText(box.text, input.file, input.shown)}});
  }
  Json status = Json::array();
  for (const StatusRow& row : result.status) {
    status.push_back({{"caption", row.caption}, {"value", row.value}});
  }
  const Json report = {{"file", input.shown},
                       {"exit", input.exitStatus},
                       {"faults", diagnosticsOf(input.faults)},
                       {"messages", std::move(messages)},
                       {"status", std::move(status)},
                       {"time", timeOf(result.time, input.rapidRate)},
                       {"blocks", result.executedBlocks},
                       {"warnings", diagnosticsOf(input.warnings)}};
  return report.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace draivo::cli
