#pragma once

#include <functional>
#include <string>

namespace draivo {

class Host;
class Simulator;

inline constexpr const char* PictureExtension = ".bmp";
// The name used when neither the caption nor the program file gives one.
inline constexpr const char* DefaultPictureName = "Draivo";
inline constexpr const char* PictureSavedTitle = "Figuur opgeslaan als ...";
inline constexpr const char* PictureNotSavedTitle = "Figuur niet opgeslaan";

// The full path of the picture file: the folder, then the part of the caption after
// "Draivo" without its last three characters (" O0012" for "Draivo O0012.nc"), then ".bmp".
// A program without a program number is named after its file without folder and extension
// ("shaft" for "/progs/shaft.nc"). Signs that would lead out of the folder become "_".
std::string PictureFilePath(const std::string& folder, const std::string& caption,
                            const std::string& programFile);

struct PictureExportResult {
  std::string path;        // the file that was (or should have been) written
  bool attempted{};        // false when a run was busy, was stopped or the window is closing
  bool written{};
};

// "Figuur opslaan": runs the loaded program again at full speed on a white background,
// writes the picture into the folder as a bitmap and puts the view and speed back.
class PictureExport {
 public:
  explicit PictureExport(Simulator& simulator) : sim_(simulator) {}

  // Told when the cover picture picSave is shown over the view and when it is hidden.
  std::function<void(bool visible)> onCoverChanged;

  PictureExportResult run(const std::string& folder);

 private:
  void showCover(bool visible);

  Simulator& sim_;
};

// Tells the user where the picture went, or that it could not be written.
void ReportPictureExport(Host& host, const PictureExportResult& result);

}  // namespace draivo
