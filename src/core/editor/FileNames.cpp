#include "editor/FileNames.h"

namespace draivo {

std::string FileTitle(std::string_view path) {
  const auto separator = path.find_last_of("\\/");
  if (separator == std::string_view::npos) return std::string(path);
  return std::string(path.substr(separator + 1));
}

bool IsNewDocumentName(std::string_view path) {
  return path.empty() || FileTitle(path) == NewDocumentTitle;
}

}  // namespace draivo
