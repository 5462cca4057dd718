#pragma once

#include <optional>
#include <string>

#include "stock/StockInput.h"

namespace draivo::cli {

// The workpiece options of draivo-sim.
struct StockOptions {
  std::optional<BarBlank> stock;  // --stock
  NoseRadii noses;                 // --nose-radius, repeatable
  std::string profileFile;         // --profile

  // The workpiece is in use with --stock, and with --check or --profile, which take the
  // program's own blank comment when --stock is not given.
  WorkpieceSetup setup(bool check) const;
};

// Reads the value `text` of the workpiece option `option` ("--stock", "--nose-radius" or
// "--profile") into `options`; "" when it is good, else what is wrong with it.
std::string ReadStockValue(const std::string& option, const std::string& text,
                           StockOptions& options);

// The lines of the usage text for these options.
std::string StockUsageText();

}  // namespace draivo::cli
