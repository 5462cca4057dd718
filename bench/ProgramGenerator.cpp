#include "ProgramGenerator.h"

#include <fstream>
#include <stdexcept>

#include "nc/NumberFormat.h"

namespace draivo::bench {
namespace {

// Sequence numbers of one width, so that no key is a substring of another.
constexpr int FirstSequenceNumber = 100000;
constexpr int LastSequenceNumber = 999999;
constexpr std::size_t SubprogramPasses = 5;
constexpr const char* SubprogramName = "O0002.nc";

std::string num(double value) {
  return formatGeneral(value);
}

class Writer {
 public:
  explicit Writer(std::vector<std::string>& lines) : lines_(lines) {}

  void add(const std::string& line) { lines_.push_back(line); }
  std::string key() {
    if (next_ > LastSequenceNumber) next_ = FirstSequenceNumber;  // only for huge programs
    std::string key = "N";
    key += std::to_string(next_++);
    return key;
  }

 private:
  std::vector<std::string>& lines_;
  int next_ = FirstSequenceNumber;
};

// A shaft with steps, chamfers and radii; `shift` moves it a little along Z per section.
void shaft(Writer& w, double shift) {
  w.add("T0101 ;");
  w.add("G96 S200 M03 ;");
  w.add("G50 S3000 ;");
  w.add("G00 X0 Z" + num(2 + shift) + " M08 ;");
  w.add("G01 Z" + num(shift) + " F0.2 ;");
  w.add("G01 X18 ;");
  w.add("G03 X22 Z" + num(shift - 2) + " R2 ;");
  w.add("G01 Z" + num(shift - 25) + " ;");
  w.add("G02 X32 Z" + num(shift - 30) + " R5 ;");
  w.add("G01 X36 ;");
  w.add("G01 X40 Z" + num(shift - 32) + " ;");
  w.add("G01 Z" + num(shift - 60) + " ;");
  w.add("G03 X50 Z" + num(shift - 65) + " I0 K-5 ;");
  w.add("G01 Z" + num(shift - 95) + " ;");
  w.add("G02 X60 Z" + num(shift - 100) + " I5 K0 ;");
  w.add("G01 X70 ;");
  w.add("G01 Z" + num(shift - 140) + " ;");
  w.add("G00 X80 ;");
  w.add("G00 Z" + num(2 + shift) + " ;");
}

void singleCycles(Writer& w) {
  w.add("G00 X52 Z2 ;");
  w.add("G90 X48 Z-40 F0.25 ;");
  for (const char* x : {"X46 ;", "X44 ;", "X42 ;", "X40 ;"}) w.add(x);
  w.add("G00 X80 Z2 ;");
  w.add("G94 X20 Z-1 F0.2 ;");
  w.add("Z-2 ;");
  w.add("Z-3 ;");
  w.add("G00 X90 Z5 ;");
}

// G71 along Z, then G72 facing, G73 pattern repeat and a G70 over the G71 contour.
void contourCycles(Writer& w) {
  const std::string a = w.key(), b = w.key();
  w.add("G00 X76 Z2 ;");
  w.add("G71 U1 R0.5 ;");
  w.add("G71 P" + a.substr(1) + " Q" + b.substr(1) + " U0.4 W0.1 F0.25 ;");
  w.add(a + " G00 X20 ;");
  w.add("G01 Z-20 F0.15 ;");
  w.add("G02 X30 Z-25 R5 ;");
  w.add("G01 Z-45 ;");
  w.add(b + " G01 X76 ;");

  const std::string c = w.key(), d = w.key();
  w.add("G00 X80 Z2 ;");
  w.add("G72 W1 R0.5 ;");
  w.add("G72 P" + c.substr(1) + " Q" + d.substr(1) + " U0.2 W0.1 F0.2 ;");
  w.add(c + " G00 X10 ;");
  w.add("G01 Z-3 ;");
  w.add("G01 X40 Z-6 ;");
  w.add(d + " G01 Z-10 ;");

  const std::string e = w.key(), f = w.key();
  w.add("G00 X60 Z2 ;");
  w.add("G73 U4 W1 R3 ;");
  w.add("G73 P" + e.substr(1) + " Q" + f.substr(1) + " U0.4 W0.1 F0.2 ;");
  w.add(e + " G00 X24 ;");
  w.add("G01 Z-10 ;");
  w.add("G03 X34 Z-15 R5 ;");
  w.add(f + " G01 X60 ;");

  w.add("G00 X76 Z2 ;");
  w.add("G70 P" + a.substr(1) + " Q" + b.substr(1) + " ;");
}

void thread(Writer& w) {
  w.add("G00 X25 Z5 ;");
  w.add("G97 S800 M03 ;");
  w.add("G76 P020060 Q100 R0.05 ;");
  w.add("G76 X18.16 Z-30 R0 P920 Q300 F1.5 ;");
}

void section(Writer& w, const GeneratorMix& mix, std::size_t index) {
  if (mix.shaft) shaft(w, -static_cast<double>(index % 10) * 0.5);
  if (mix.singleCycles) singleCycles(w);
  if (mix.contourCycles) contourCycles(w);
  if (mix.threads) thread(w);
  if (mix.subprogramEvery != 0 && index % mix.subprogramEvery == mix.subprogramEvery - 1) {
    w.add("G00 X40 Z2 ;");
    w.add("M98 P" + std::to_string(SubprogramPasses) + "0002 ;");
  }
}

std::vector<std::string> subprogram() {
  return {"G00 U-4 ;", "G01 W-20 F0.2 ;", "G00 U4 ;", "G00 W20 ;", "M99 ;"};
}

}  // namespace

GeneratedProgram GenerateProgram(std::size_t blocks, const GeneratorMix& mix) {
  GeneratedProgram program;
  Writer w(program.lines);
  w.add(":0001 ;");
  // Sections are whole (a cut-off cycle would read blocks of the next one), so the rest is
  // filled with short feed moves.
  std::vector<std::string> one;
  Writer probe(one);
  section(probe, mix, 0);
  const std::size_t sectionSize = std::max<std::size_t>(one.size(), 1);
  for (std::size_t i = 0; program.lines.size() + sectionSize + 2 <= blocks; ++i) section(w, mix, i);
  w.add("G00 X40 Z2 ;");
  while (program.lines.size() + 1 < blocks) {
    w.add(program.lines.size() % 2 == 0 ? "G01 X38 F0.2 ;" : "G01 X40 ;");
  }
  w.add("M30 ;");
  if (mix.subprogramEvery != 0) program.subprograms[SubprogramName] = subprogram();
  return program;
}

GeneratorMix MovesOnlyMix() {
  GeneratorMix mix;
  mix.singleCycles = false;
  mix.contourCycles = false;
  mix.threads = false;
  mix.subprogramEvery = 500;
  return mix;
}

GeneratedProgram RoughingCycleProgram() {
  GeneratedProgram program;
  program.lines = {"G00 X74 Z2 ;",  "G71 U1 R0.5 ;",    "G71 P40 Q80 U0.4 W0.1 F0.25 ;",
                   "N40 G00 X20 ;", "G01 Z-20 F0.15 ;", "G02 X30 Z-25 R5 ;",
                   "G01 Z-45 ;",    "N80 G01 X76 ;",    "M30 ;"};
  return program;
}

namespace {

void writeLines(const std::filesystem::path& file, const std::vector<std::string>& lines) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  for (const std::string& line : lines) out << line << "\r\n";
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace

std::filesystem::path WriteProgram(const GeneratedProgram& program,
                                   const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  const std::filesystem::path main = folder / "program.nc";
  writeLines(main, program.lines);
  for (const auto& [name, lines] : program.subprograms) writeLines(folder / name, lines);
  return main;
}

}  // namespace draivo::bench
