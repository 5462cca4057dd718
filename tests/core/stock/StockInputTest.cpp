#include <gtest/gtest.h>

#include "nc/NumberFormat.h"
#include "stock/StockInput.h"
#include "support/DataTable.h"

namespace draivo::test {
namespace {

std::string blankText(const BarBlank& b) {
  return "D" + formatGeneral(b.diameter) + " L" + formatGeneral(b.length) + " Z" +
         formatGeneral(b.face) + " B" + formatGeneral(b.bore) + " K" +
         formatGeneral(b.chuckLength) + " J" + formatGeneral(b.jawDiameter);
}

struct Read {
  std::string english, dutch;
};

Read readOf(const std::optional<InputFault>& fault, const std::string& value) {
  if (!fault) return {value, ""};
  return {FaultText(*fault, Language::English), FaultSentence(*fault, Language::Dutch)};
}

Read readBlank(const BlankParse& parse) {
  return readOf(parse.fault, blankText(parse.blank));
}

// The blank option, the blank comment and the nose radius, read or refused with a message
// that names the fault, in English for draivo-sim and in Dutch for the window.
TEST(StockInput, IsReadOrRefusedWithItsFault) {
  for (const TableRow& row : ReadTable("tables/stock_input.rows")) {
    const std::string& how = row.at(0);
    const std::string& text = row.at(1);
    Read read;
    if (how == "stock") {
      read = readBlank(ParseStockOption(text));
    } else if (how == "comment") {
      read = IsBlankComment(text) ? readBlank(ParseBlankComment(text)) : Read{"none", ""};
    } else if (how == "nose") {
      const NoseRadiusParse parse = ParseNoseRadius(text);
      const std::string tool = parse.tool ? std::to_string(*parse.tool) : "-";
      read = readOf(parse.fault, tool + " " + formatGeneral(parse.radius));
    } else {
      FAIL() << "unknown kind " << how;
    }
    EXPECT_EQ(read.english, row.at(2)) << how << " " << text;
    EXPECT_EQ(read.dutch, row.size() > 3 ? row.at(3) : "") << how << " " << text;
  }
}

// The nose radius of a tool: its own, else the one for every tool, else the default of the
// program's unit.
TEST(StockInput, NoseRadiusOfATool) {
  NoseRadii noses;
  EXPECT_DOUBLE_EQ(noses.radiusFor("T0101", LengthUnit::Millimetre), 0.4);
  EXPECT_DOUBLE_EQ(noses.radiusFor("T0101", LengthUnit::Inch), 0.016);
  noses.byTool[2] = 0.8;
  EXPECT_DOUBLE_EQ(noses.radiusFor("T0202", LengthUnit::Millimetre), 0.8);
  EXPECT_DOUBLE_EQ(noses.radiusFor("T2", LengthUnit::Inch), 0.8);
  EXPECT_DOUBLE_EQ(noses.radiusFor("T0303", LengthUnit::Millimetre), 0.4);
  noses.fallback = 0.6;
  EXPECT_DOUBLE_EQ(noses.radiusFor("T0303", LengthUnit::Millimetre), 0.6);
  EXPECT_DOUBLE_EQ(noses.radiusFor("", LengthUnit::Millimetre), 0.6);
  EXPECT_DOUBLE_EQ(noses.radiusFor("T0202", LengthUnit::Millimetre), 0.8);
}

}  // namespace
}  // namespace draivo::test
