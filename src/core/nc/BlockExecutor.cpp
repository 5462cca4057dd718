#include <algorithm>
#include <cmath>

#include "nc/BlockText.h"
#include "nc/Interpreter.h"
#include "nc/MachineStatus.h"
#include "nc/MoveKind.h"
#include "nc/NcHost.h"
#include "nc/NumberFormat.h"
#include "nc/ProgramList.h"
#include "render/PathDrawing.h"
#include "render/Surface.h"
#include "render/ViewState.h"

namespace draivo {
namespace {

constexpr int MessageMilliseconds = 2000;
constexpr Colour ProgramZeroColour = rgb(128, 0, 0);  // &H80, dark red

struct ToolColourStep {
  int before;
  int after;
  Colour colour;
};

// The tool colour cycle: each tool change moves to the next index and its colour.
constexpr ToolColourStep toolColourCycle[] = {
    {2, 3, rgb(128, 0, 0)},    {3, 4, rgb(255, 128, 0)},   {4, 5, rgb(192, 0, 0)},
    {5, 8, rgb(0, 192, 0)},    {8, 11, rgb(0, 128, 0)},    {11, 12, rgb(128, 128, 255)},
    {12, 13, rgb(0, 0, 192)},
};
constexpr ToolColourStep firstToolColour = {0, 2, rgb(255, 0, 255)};  // from 0 or 13

const ToolColourStep& nextToolColour(int index) {
  for (const ToolColourStep& step : toolColourCycle) {
    if (step.before == index) return step;
  }
  return firstToolColour;
}

// A "G32" thread block is a solid straight move whatever its first "G0" says.
MoveKind moveKindOf(const std::string& block) {
  if (contains(block, "G32")) return {true, LineStyle::Solid, false};
  return firstG0MoveKind(block);
}

// An S value as written: read scaled and divided back, as the labels show it.
std::string speedText(const std::string& block, double zoom) {
  return formatGeneral(wordValue(block, 'S', zoom) / zoom);
}

int dwellMilliseconds(double value) {
  const double rounded = roundToEven(value);
  if (!(rounded > 0)) return 0;
  return static_cast<int>(std::min(rounded, 2147483647.0));
}

}  // namespace

void Interpreter::ExecuteBlock(const std::string& block) {
  onExecute(block);
  carryOut(block);
  onExecuted(block);
  host_.processEvents();
}

void Interpreter::carryOut(const std::string& block) {
  MachineStatus& status = parts_.status;
  ViewState& view = parts_.view;
  Surface& picture = parts_.picResult;
  const bool direct = host_.directChecked();

  const auto colon = block.find(':');
  if (colon != std::string::npos) {
    host_.setCaption(CaptionOf(block));
    const bool programZero = colon + 1 < block.size() && block[colon + 1] == '7';
    const bool firstOfMain = parts_.lstCommands.ListIndex() == 0 && host_.SubprogramLevel() == 1;
    if (!(programZero && firstOfMain)) return;
    picture.foreColour = ProgramZeroColour;
    view.PenColour = ProgramZeroColour;
    view.CurrentPointZ = view.ViewOriginZ;
    view.CurrentPointX = view.ViewOriginX;
  }

  if (contains(block, "T") && !contains(block, "G0")) {
    const ToolColourStep& step = nextToolColour(view.ToolColourIndex);
    view.ToolColourIndex = step.after;
    picture.foreColour = step.colour;
    view.PenColour = step.colour;
  }

  const MoveKind kind = moveKindOf(block);
  if (kind.known) picture.drawStyle = kind.style;

  if (contains(block, "G20")) status.lblMeasureUnitV = "Duim";
  else if (contains(block, "G21")) status.lblMeasureUnitV = "Millimeters";
  if (contains(block, "G40")) status.lblRadCompV = "Uit";
  else if (contains(block, "G41")) status.lblRadCompV = "Links";
  else if (contains(block, "G42")) status.lblRadCompV = "Rechts";
  if (contains(block, "G50 S")) status.lblMaxSpeedV = speedText(block, view.ZoomFactor);
  if (contains(block, "G96")) {
    status.lblConstant = MachineStatus::ConstantCuttingSpeedCaption;
    status.lblConstantV = speedText(block, view.ZoomFactor);
  } else if (contains(block, "G97")) {
    status.lblConstant = MachineStatus::ConstantSpindleSpeedCaption;
    status.lblConstantV = speedText(block, view.ZoomFactor);
  }
  if (contains(block, "G98")) status.FeedUnit = " mm/min";
  else if (contains(block, "G99")) status.FeedUnit = " mm/tr";
  if (contains(block, "F")) status.lblFeedV = formatGeneral(wordValue(block, 'F')) + status.FeedUnit;
  host_.statusChanged();

  if (contains(block, "M00") || block == "(CLS) ;") {
    host_.WaitMilliseconds(MessageMilliseconds);
    status.SetLabelsNothing();
    host_.statusChanged();
    ResetView(picture, view);
    view.ToolColourIndex = 0;
    picture.foreColour = Black;
    view.PenColour = Black;
  } else if (contains(block, "G10")) {
    status.lblNullPoint = "Nul Punt : Z" + formatGeneral(wordValue(block, 'Z'));
    status.nullPointVisible = true;
    host_.statusChanged();
    host_.WaitMilliseconds(MessageMilliseconds);
    status.nullPointVisible = false;
    host_.statusChanged();
  } else if (contains(block, "G04")) {
    host_.WaitMilliseconds(dwellMilliseconds(wordValue(block, 'U')));
  } else {
    std::string move = block;
    parts_.drawer.DrawMove(move, kind.arc, picture, direct);
  }
}

}  // namespace draivo
