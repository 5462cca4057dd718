// G76: a thread cut in straight plunge passes at growing depth, each of four blocks that
// return to the start point.
#include <algorithm>
#include <cmath>

#include "nc/BlockText.h"
#include "nc/CycleFrame.h"
#include "nc/NumberFormat.h"
#include "nc/ProgramList.h"

namespace draivo {
namespace {

constexpr double Micrometres = 1000;
constexpr std::size_t ParameterDigits = 4;  // the last four digits of P: chamfer and angle
constexpr double ChamferTenths = 10;
constexpr double MicrometreLimit = 9.0e15;

std::string fmt(double value) { return formatGeneral(value); }

// The chamfer in leads: the first two of the last four digits of P, in tenths. A code with
// fewer than four digits carries no chamfer digits.
double chamferLeads(double p1) {
  const std::string text = formatGeneral(p1);
  if (text.size() < ParameterDigits) return 0;
  const std::string digits = text.substr(text.size() - ParameterDigits, 2);
  const WordRead read = parseNumber(digits);
  return read.valid ? read.value / ChamferTenths : 0;
}

long long micrometres(double value) {
  return static_cast<long long>(
      std::clamp(roundToEven(value * Micrometres), -MicrometreLimit, MicrometreLimit));
}

struct Thread {
  ProgramPoint start;
  double endZ{};  // thread end plus chamfer
  std::string second;
};

void pass(CycleFrame& frame, const Thread& t, double d) {
  const double taper = wordValue(t.second, 'R');  // read again for every pass
  frame.execute("G00 X" + fmt(d) + " ;");
  frame.execute("G01 X" + fmt(d + taper) + " Z" + fmt(t.endZ) + " ;");
  frame.execute("G00 X" + fmt(t.start.x) + " ;");
  frame.execute("G00 Z" + fmt(t.start.z) + " ;");
}

}  // namespace

void expandThreading(CycleFrame& frame) {
  const int back = contains(frame.list().List(frame.index() - 1), "G97") ? 2 : 1;
  Thread t;
  if (!frame.startPoint(back, t.start)) return;
  const std::string startBlock = rapidTo(t.start);
  const double p1 = wordValue(frame.block(), 'P');
  const double q1 = wordValue(frame.block(), 'Q');
  if (!frame.showNext(t.second)) {
    frame.storeResume(frame.index());
    frame.execute(startBlock);
    return;
  }
  const double core = wordValue(t.second, 'X');
  const double lead = wordValue(t.second, 'F');
  const double height = wordValue(t.second, 'P') / Micrometres;
  const double firstDepth = wordValue(t.second, 'Q') / Micrometres;
  t.endZ = wordValue(t.second, 'Z') + chamferLeads(p1) * lead;

  const bool outside = t.start.x >= core;
  double d = outside ? core + 2 * height - 2 * firstDepth : core - 2 * height + 2 * firstDepth;
  pass(frame, t, d);

  d = outside ? d - 2 * q1 / Micrometres : d + 2 * q1 / Micrometres;
  const long long step = micrometres((outside ? -2 : 2) * q1 / Micrometres);
  const long long limit = micrometres(core);
  long long passes = 1;  // the first pass counts towards the cap
  // A step of 0 (or one pointing away from the core) gives no further passes.
  for (long long m = micrometres(d); step != 0 && (step < 0 ? m >= limit : m <= limit); m += step) {
    if (++passes > MaxCyclePasses) {
      frame.fault(PassLimitMessage + std::to_string(MaxCyclePasses) + ": " + frame.block());
      break;
    }
    pass(frame, t, static_cast<double>(m) / Micrometres);
  }
  frame.storeResume(frame.index());
  frame.execute(startBlock);
}

}  // namespace draivo
