#pragma once

#include <string>

namespace draivo {

// The images of the three picture buttons.
enum class SpindleImage { RunningM03, RunningM04, StoppedM04, StoppedM03 };
enum class CoolantImage { On, Off };
enum class StartImage { Idle, Step, Running };

// A cell of the button image sheet: its top-left corner and its size.
struct ImageCell {
  int column;
  int row;
  int size;
};
ImageCell cellOf(SpindleImage image);
ImageCell cellOf(CoolantImage image);
ImageCell cellOf(StartImage image);
inline constexpr int StartButtonSize = 60;  // start cells are stretched to this size

struct Indicators {
  SpindleImage spindle = SpindleImage::StoppedM03;
  CoolantImage coolant = CoolantImage::Off;
  StartImage start = StartImage::Idle;
};

// Enabled states and check marks of the menu items and the start button.
struct MenuState {
  bool startenEnabled{};        // "Starten"
  bool vernieuwEnabled{};       // "Vernieuw"
  bool figuurOpslaanEnabled{};  // "Figuur opslaan"
  bool optioneelChecked{};      // "Optionele stop"
  bool stapChecked{};           // "Stap voor stap"
  bool startButtonEnabled = true;
};

}  // namespace draivo
