#include "run/PictureExport.h"

#include <algorithm>
#include <string_view>

#include "render/Colour.h"
#include "run/Simulator.h"

namespace draivo {

namespace {

constexpr int FullSpeedValue = 0;
constexpr std::size_t CaptionSuffixLength = 3;  // ".nc"

// Signs that would lead out of the folder, or that no file name should hold, become "_";
// a name of blanks or dots only gives nothing.
std::string safeName(std::string name) {
  std::replace_if(
      name.begin(), name.end(),
      [](char c) { return c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20; }, '_');
  if (name.find_first_not_of(' ') == std::string::npos || name == "." || name == "..") return {};
  return name;
}

// The part of the caption after "Draivo" without ".nc"; "" when it carries no program number.
std::string captionName(const std::string& caption) {
  const std::string_view start = Simulator::StartCaption;
  if (caption.rfind(start, 0) != 0 || caption.size() <= start.size() + CaptionSuffixLength)
    return {};
  return caption.substr(start.size(), caption.size() - start.size() - CaptionSuffixLength);
}

// The name of the program file without its folder and its last extension.
std::string fileStem(const std::string& programFile) {
  const std::size_t slash = programFile.find_last_of("/\\");
  std::string name = slash == std::string::npos ? programFile : programFile.substr(slash + 1);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

std::string pictureName(const std::string& caption, const std::string& programFile) {
  if (std::string name = safeName(captionName(caption)); !name.empty()) return name;
  if (std::string name = safeName(fileStem(programFile)); !name.empty()) return name;
  return DefaultPictureName;
}

}  // namespace

std::string PictureFilePath(const std::string& folder, const std::string& caption,
                            const std::string& programFile) {
  std::string path = folder;
  if (!path.empty() && path.back() != '/' && path.back() != '\\') path += '/';
  return path + pictureName(caption, programFile) + PictureExtension;
}

void PictureExport::showCover(bool visible) {
  if (onCoverChanged) onCoverChanged(visible);
}

PictureExportResult PictureExport::run(const std::string& folder) {
  PictureExportResult result;
  // While a run is busy the program cannot be drawn again; a white picture would be saved.
  if (sim_.run.RunBusy || sim_.quitRequested()) return result;
  Host& host = sim_.host();
  Surface& view = sim_.picResult;

  const int savedSpeed = sim_.view.speedValue;
  sim_.menus.stapChecked = false;
  sim_.menus.optioneelChecked = false;
  host.menusChanged();

  sim_.picSave.bitBlt(0, 0, view.width(), view.height(), view, 0, 0);
  showCover(true);
  view.setBackColour(White);
  host.pictureChanged();
  sim_.setSpeedValue(FullSpeedValue);
  host.labelsChanged();

  sim_.startButtonClick(Simulator::StartButtonIndex);

  // A run ended by closing the window or by "Stoppen" drew only part of the program.
  const bool cut = sim_.quitRequested() || sim_.lastOutcome == RunOutcome::StoppedByUser;
  if (!cut) {
    result.attempted = true;
    result.path = PictureFilePath(folder, sim_.caption, sim_.dialogFileName);
    result.written = view.writeBmp(result.path);
  }

  sim_.setSpeedValue(savedSpeed);
  host.labelsChanged();
  view.setBackColour(ButtonFace);
  view.bitBlt(0, 0, view.width(), view.height(), sim_.picSave, 0, 0);
  host.pictureChanged();
  showCover(false);
  return result;
}

void ReportPictureExport(Host& host, const PictureExportResult& result) {
  if (!result.attempted) return;
  if (result.written) {
    host.messageBox(result.path, PictureSavedTitle, MessageButtons::Ok, MessageIcon::Information);
  } else {
    host.messageBox("Het bestand " + result.path + " kan niet geschreven worden.",
                    PictureNotSavedTitle, MessageButtons::Ok, MessageIcon::Exclamation);
  }
}

}  // namespace draivo
