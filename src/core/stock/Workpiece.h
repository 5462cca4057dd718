#pragma once

#include <optional>
#include <vector>

#include "motion/LengthUnit.h"
#include "stock/Dexels.h"
#include "stock/StockInput.h"
#include "stock/Sweep.h"

namespace draivo {

// The bar being cut and the jaws that hold it, in the program's unit. The bar's half-section
// is a row of columns 0.01 mm wide (0.0004 inch in an inch program), wider only for a bar so
// long that it would need more than MaxColumns of them.
class Workpiece {
 public:
  static constexpr double MillimetreStep = 0.01;
  static constexpr double InchStep = 0.0004;
  static constexpr double MaxColumns = 200000;
  // A sweep takes material, or enters the jaws, when the layer it takes is thicker than this
  // many columns, along the radius and along Z: a pass that touches a surface does not.
  static constexpr double ThresholdColumns = 2;

  Workpiece(const BarBlank& blank, LengthUnit unit);

  const BarBlank& blank() const { return blank_; }
  LengthUnit unit() const { return unit_; }
  const Dexels& stock() const { return stock_; }
  // The rectangle of the jaws; none without a chuck.
  const std::optional<SweepBox>& jaws() const { return jaws_; }
  double threshold() const { return ThresholdColumns * stock_.step(); }

  // How thick a layer of material the pieces would take, each piece on its own.
  double materialIn(const std::vector<SweepPiece>& pieces) const;
  // How thick a layer of the jaws the pieces reach into.
  double jawsIn(const std::vector<SweepPiece>& pieces) const;
  // Takes what the piece covers (within `within`, when given) out of the stock.
  Removal remove(const SweepPiece& piece, const SweepPiece* within = nullptr);
  // The columns changed since the last call.
  ColumnSpan takeChanged() { return stock_.takeChanged(); }
  bool anythingRemoved() const { return removed_; }

 private:
  BarBlank blank_;
  LengthUnit unit_;
  Dexels stock_;
  std::optional<SweepBox> jaws_;
  bool removed_{};
};

}  // namespace draivo
