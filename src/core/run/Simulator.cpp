#include "run/Simulator.h"

#include "render/Colour.h"

namespace draivo {

Simulator::Simulator(Host& host)
    : picResult(Surface::ViewWidth, Surface::ViewHeight, ButtonFace),
      picCalculate(Surface::ViewWidth, Surface::ViewHeight, White),
      picZoom(Surface::ViewWidth, Surface::ViewHeight, ButtonFace),
      picSave(Surface::ViewWidth, Surface::ViewHeight, ButtonFace),
      drawer(view, makeDrawHooks()),
      interpreter(
          *this, NcParts{lstCommands, lstAutomatic, status, view, drawer, picResult, picCalculate}),
      host_(host) {
  ResetView(picResult, view);
}

DrawHooks Simulator::makeDrawHooks() {
  DrawHooks hooks;
  hooks.refresh = [this] { host_.pictureChanged(); };
  hooks.wait = [this](int milliseconds) { WaitMilliseconds(milliseconds); };
  hooks.progress = [this](const Surface& picture, double fraction) {
    if (&picture == &picResult) onPenProgress(fraction);
  };
  return hooks;
}

void Simulator::Vernieuw() {
  run.RerunRequest = true;
  Open();
  run.RerunRequest = false;
}

void Simulator::Starten() {
  startButtonClick(StartButtonIndex);
}

void Simulator::startButtonClick(int index) {
  if (index != StartButtonIndex) return;
  if (!run.RunBusy && menus.vernieuwEnabled) {
    setStartPressed(true, StartImage::Running);
    Vernieuw();
    setStartPressed(false, StartImage::Idle);
  } else {
    record(RunInput::Start, 0);
    setStartPressed(true, StartImage::Running);
  }
}

void Simulator::setStartPressed(bool pressed, StartImage image) {
  StartPressed = pressed;
  indicators.start = image;
  host_.indicatorsChanged();
}

void Simulator::toggleOptionalStop() {
  record(RunInput::OptionalStop, 0);
  menus.optioneelChecked = !menus.optioneelChecked;
  host_.menusChanged();
}

void Simulator::toggleStepMode() {
  record(RunInput::StepMode, 0);
  menus.stapChecked = !menus.stapChecked;
  host_.menusChanged();
}

void Simulator::startupTimer() {
  ShowMachineIndicators("M03");
  ShowMachineIndicators("M30 M09");
}

void Simulator::setZoomValue(int value) {
  record(RunInput::Zoom, value);
  view.setZoomValue(value);
  host_.labelsChanged();
}

void Simulator::setSpeedValue(int value) {
  record(RunInput::Speed, value);
  view.setSpeedValue(value);
  host_.labelsChanged();
}

void Simulator::requestQuit() {
  quitRequested_ = true;
}

void Simulator::requestStop() {
  if (run.RunBusy) stopRequested_ = true;
}

// A replay reads the box as the run read it; a run notes each change it reads.
bool Simulator::directChecked() {
  if (progress_.mode == RunMode::Replaying) return progress_.direct.value_or(false);
  const bool value = host_.directChecked();
  if (value != progress_.direct) record(RunInput::Direct, value ? 1 : 0);
  progress_.direct = value;
  return value;
}

void Simulator::setCaption(const std::string& text) {
  caption = text;
  host_.captionChanged();
}

void Simulator::statusChanged() {
  host_.labelsChanged();
}

void Simulator::reportProgramFault(const std::string& text) {
  showMessage(text, "Programmafout", MessageButtons::Ok, MessageIcon::Exclamation);
}

SourceLocation Simulator::currentLocation() const {
  const int index = lstCommands.ListIndex();
  if (index < 0) return {listedFile_, 0, {}};
  return {listedFile_, lstCommands.lineOf(index), std::string(lstCommands.List(index))};
}

void Simulator::setBlockPosition(int index) {
  const auto level = static_cast<std::size_t>(run.SubprogramLevel);
  if (run.SubprogramLevel >= 1 && level < run.BlockPosition.size()) {
    run.BlockPosition[level] = index;
  }
}

}  // namespace draivo
