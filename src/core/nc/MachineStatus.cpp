#include "nc/MachineStatus.h"

namespace draivo {

void MachineStatus::SetLabelsNothing() {
  lblConstantV.clear();
  lblFeedV.clear();
  lblMaxSpeedV.clear();
  lblMeasureUnitV.clear();
  lblRadCompV.clear();
}

}  // namespace draivo
