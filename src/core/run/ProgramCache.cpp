#include "run/ProgramCache.h"

#include <algorithm>

namespace draivo {

bool ProgramCache::stampOf(const std::string& fileName, Stamp& stamp) {
  std::error_code error;
  stamp.size = std::filesystem::file_size(fileName, error);
  if (error) return false;
  stamp.modified = std::filesystem::last_write_time(fileName, error);
  return !error;
}

ProgramCache::Loaded ProgramCache::load(const std::string& fileName) {
  Stamp stamp;
  const bool stamped = stampOf(fileName, stamp);
  const auto kept = std::find_if(entries_.begin(), entries_.end(),
                                 [&](const Entry& e) { return e.fileName == fileName; });
  if (kept != entries_.end()) {
    if (stamped && kept->stamp == stamp) {
      std::rotate(entries_.begin(), kept, kept + 1);
      return {entries_.front().program};
    }
    entries_.erase(kept);
  }

  ProgramFileLoad loaded = LoadProgramFile(fileName);
  if (!loaded.program) return {nullptr, loaded.failure};
  auto program = std::make_shared<const LoadedProgram>(std::move(*loaded.program));
  // The stamp must be the one of the text that was read, and old enough to tell changes.
  Stamp after;
  const bool settled =
      stamped && stampOf(fileName, after) && after == stamp &&
      stamp.modified < std::filesystem::file_time_type::clock::now() - SettledAfter;
  if (settled) {
    entries_.insert(entries_.begin(), Entry{fileName, stamp, program});
    if (entries_.size() > Capacity) entries_.pop_back();
  }
  return {program};
}

}  // namespace draivo
