#pragma once

#include <string>

namespace draivo {

// The modal status shown in the status panel; its texts are what the labels show.
struct MachineStatus {
  static constexpr const char* ConstantCaptionStart = "Constant :";
  static constexpr const char* ConstantCuttingSpeedCaption = "Constant snijsnelheid :";  // G96
  static constexpr const char* ConstantSpindleSpeedCaption = "Constant toerental :";     // G97

  std::string lblMeasureUnitV;
  std::string lblRadCompV;
  std::string lblMaxSpeedV;
  std::string lblConstant = ConstantCaptionStart;
  std::string lblConstantV;
  std::string lblFeedV;
  std::string FeedUnit;

  // The zero-point and end-of-run message over the panel.
  std::string lblNullPoint;
  bool nullPointVisible{};

  // Empties the five value labels.
  void SetLabelsNothing();
};

// The caption labels of the panel rows, in panel order.
inline constexpr const char* MeasureUnitCaption = "Alle maten in :";
inline constexpr const char* RadCompCaption = "Radiuscompensatie :";
inline constexpr const char* MaxSpeedCaption = "Max toerental :";
inline constexpr const char* FeedCaption = "Voeding :";

}  // namespace draivo
