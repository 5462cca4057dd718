#include "Diagnostics.h"

namespace draivo::cli {
namespace {

Diagnostic at(const SourceLocation& where, std::string text, const std::string& file,
              const std::string& shown) {
  if (where.file.empty()) return {shown, 0, ShownText(std::move(text), file, shown)};
  return {ShownText(where.file, file, shown), where.line, ShownText(std::move(text), file, shown)};
}

}  // namespace

std::string ShownText(std::string text, const std::string& file, const std::string& shown) {
  if (file == shown || file.empty()) return text;
  for (auto found = text.find(file); found != std::string::npos;
       found = text.find(file, found + shown.size())) {
    text.replace(found, file.size(), shown);
  }
  return text;
}

std::string BudgetNote(const HeadlessResult& result) {
  return "run stopped after " + std::to_string(result.stepBudget) +
         " blocks (--max-blocks sets the limit)";
}

std::vector<Diagnostic> FaultsOf(const HeadlessResult& result, const std::string& file,
                                 const std::string& shown) {
  std::vector<Diagnostic> faults;
  for (const RunMessage& box : result.messageBoxes) {
    faults.push_back(at(box.where, box.title + ": " + box.text, file, shown));
  }
  if (result.budgetExhausted) faults.push_back(at(result.stoppedAt, BudgetNote(result), file, shown));
  return faults;
}

std::vector<Diagnostic> WarningsOf(const HeadlessResult& result, const std::string& file,
                                   const std::string& shown) {
  std::vector<Diagnostic> warnings;
  for (const StockWarning& warning : result.warnings) {
    warnings.push_back(at(warning.where, std::string(WarningText(warning.kind)) + ": " +
                                             warning.where.block, file, shown));
  }
  return warnings;
}

std::string CheckLine(const Diagnostic& diagnostic, const char* severity) {
  std::string line = diagnostic.file;
  if (diagnostic.line > 0) line += ":" + std::to_string(diagnostic.line);
  return line + ": " + severity + ": " + diagnostic.text;
}

}  // namespace draivo::cli
