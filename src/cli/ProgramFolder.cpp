#include "ProgramFolder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#ifndef DRAIVO_INSTALLED_MARKER
#define DRAIVO_INSTALLED_MARKER "../share/applications/nl.draivo.Draivo.desktop"
#endif

namespace draivo::cli {
namespace {

namespace fs = std::filesystem;

// The user's data folder is named after the program, as the window names it.
constexpr const char* UserFolderName = "draivo";

fs::path userFolder() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome && *dataHome) return fs::path(dataHome) / UserFolderName;
  const char* home = std::getenv("HOME");
  return fs::path(home ? home : "") / ".local/share" / UserFolderName;
}

}  // namespace

std::string ProgramFolder() {
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  if (!error) {
    const fs::path folder = executable.parent_path();
    const bool installed = fs::exists(folder / DRAIVO_INSTALLED_MARKER, error);
    if (fs::is_directory(folder, error) && access(folder.c_str(), W_OK) == 0 && !installed) {
      return folder.string();
    }
  }
  // A folder that cannot be made shows up as a write error of the work file, with its path.
  const fs::path user = userFolder();
  fs::create_directories(user, error);
  return user.string();
}

}  // namespace draivo::cli
