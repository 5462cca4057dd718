#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "stock/StockInput.h"

namespace draivo::cli {

// The workpiece options of draivo-sim.
struct StockOptions {
  std::optional<BarBlank> stock;  // --stock
  NoseRadii noses;                 // --nose-radius, repeatable
  bool check = false;              // --check
  std::string profileFile;         // --profile

  // The workpiece is in use with --stock, and with --check or --profile, which take the
  // program's own blank comment when --stock is not given.
  WorkpieceSetup setup() const;
};

// Reads the workpiece option at arguments[i], and its value, moving i past them. False when
// arguments[i] is no workpiece option; `error` tells what is wrong with a bad value.
bool ParseStockArgument(const std::vector<std::string>& arguments, std::size_t& i,
                        StockOptions& options, std::string& error);

// The lines of the usage text for these options.
std::string StockUsageText();

}  // namespace draivo::cli
