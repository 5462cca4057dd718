#include <gtest/gtest.h>

#include "design/ProgramEnd.h"

namespace draivo {
namespace {

TEST(ProgramEndTextTest, RetreatStopAndEndMarkerWithoutLineEnd) {
  EXPECT_EQ(ProgramEndText(), std::string("G00 X250 Z250 T0 M09 ;\r\nM30 ;\r\n%\x14"));
}

}  // namespace
}  // namespace draivo
