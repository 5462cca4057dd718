#include "support/TempFolder.h"

#include <atomic>
#include <fstream>
#include <random>

namespace draivo::test {

TempFolder::TempFolder() {
  static std::atomic<unsigned> counter{0};
  std::random_device device;
  const auto name = "draivo-test-" + std::to_string(device()) + "-" + std::to_string(counter++);
  path_ = std::filesystem::temp_directory_path() / name;
  std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::write(const std::string& name, const std::string& content) const {
  const auto file = path_ / name;
  std::ofstream out(file, std::ios::binary);
  out << content;
  return file.string();
}

}  // namespace draivo::test
