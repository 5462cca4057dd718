#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iomanip>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <sstream>

#include "Transcript.h"
#include "render/Geometry.h"
#include "render/Magnifier.h"
#include "render/PathDrawing.h"
#include "render/PixelDrawing.h"
#include "render/Surface.h"
#include "render/ViewState.h"
#include "support/Hashes.h"
#include "support/TempFolder.h"

namespace draivo {
namespace {

using test::Words;

constexpr int MaxShownPixels = 10000, MaxShownWidth = 140;

const std::map<std::string, Colour> NamedColours = {
    {"face", ButtonFace}, {"black", Black}, {"white", White}, {"blue", Blue},
    {"pen", rgb(0, 192, 0)}};

Colour colourOf(const std::string& word) {
  if (NamedColours.count(word)) return NamedColours.at(word);
  int r = 0, g = 0, b = 0;
  std::sscanf(word.c_str(), "rgb(%d,%d,%d)", &r, &g, &b);
  return rgb(r, g, b);
}

std::string nameOf(Colour colour) {
  if (colour == InvalidColour) return "invalid";
  for (const auto& [name, value] : NamedColours)
    if (value == colour) return name;
  std::ostringstream out;
  out << "rgb(" << redOf(colour) << "," << greenOf(colour) << "," << blueOf(colour) << ")";
  return out.str();
}

// Runs render commands on one picture, one view and one path drawer. Every pixel change is
// noted at each refresh, so the order in which animated drawing sets pixels is printed too.
//   surface [W H [COLOUR]]            a new picture (default 702 x 369, button face)
//   fore C, style solid|dot|dashdot, width N, set C R COLOUR, get C R, clear, back COLOUR
//   line Z1 X1 Z2 X2 [COLOUR], arc L T R B Z1 X1 Z2 X2    the picture's line and arc
//   numbered, keep, bitblt ... [self], stretchblt ...  every pixel its own colour; keep a copy
//                                     as the source of copies
//   show [LEFT TOP RIGHT BOTTOM], revision (and the changed box), bmp [missing|folder], qbcolor I
//   pencolour C, delay MS, zoom F, penat Z X    the view's pen colour, pause, zoom and pen
//   linebypixel Z1 X1 Z2 X2, arcbypixel CZ CX R cw|ccw START END    animated drawing: the
//                                     rounded ends or rewritten angles, then the recording
//   draw "BLOCK" [arc] [instant]      DrawMove: pen, target, rapid mode, arc, rewritten block
//   zoomvalue V, speedvalue V, map Z X, reset    scroll bars, coordinate mapping, ResetView
//   arccos, distance, centre ... true|false, angles ..., reference ...    the arc geometry
//   down X Y, drag X Y, hover X Y, up, zoomclick, factor W H    the magnifier
class RenderSession {
 public:
  RenderSession() { out_ << std::setprecision(12); }

  std::string run(const Words& w) {
    out_.str("");
    const std::string& c = w[0];
    auto d = [&](std::size_t i) { return std::stod(w.at(i)); };
    auto n = [&](std::size_t i) { return std::stoi(w.at(i)); };
    if (c == "surface") {
      pic_ = w.size() > 1 ? Surface(n(1), n(2), w.size() > 3 ? colourOf(w[3]) : ButtonFace)
                          : Surface();
      looked_ = pic_.pixels();  // a window shows a new picture whole
    } else if (c == "fore") {
      pic_.foreColour = colourOf(w[1]);
    } else if (c == "style") {
      pic_.drawStyle = w[1] == "dot" ? LineStyle::Dot
                       : w[1] == "dashdot" ? LineStyle::DashDot : LineStyle::Solid;
    } else if (c == "width") {
      pic_.drawWidth = n(1);
    } else if (c == "set") {
      pic_.setPixel(n(1), n(2), colourOf(w[3]));
    } else if (c == "get") {
      out_ << nameOf(pic_.getPixel(n(1), n(2))) << "\n";
    } else if (c == "clear") {
      pic_.clear();
    } else if (c == "back") {
      pic_.setBackColour(colourOf(w[1]));
    } else if (c == "line" && w.size() > 5) {
      pic_.line(d(1), d(2), d(3), d(4), colourOf(w[5]));
    } else if (c == "line") {
      pic_.line(d(1), d(2), d(3), d(4));
    } else if (c == "arc") {
      pic_.arc(n(1), n(2), n(3), n(4), n(5), n(6), n(7), n(8));
    } else if (c == "numbered") {
      // Every pixel a colour of its own.
      for (int r = 0; r < pic_.height(); ++r)
        for (int k = 0; k < pic_.width(); ++k) pic_.setPixel(k, r, static_cast<Colour>(k + 1024 * r + 1));
    } else if (c == "keep") {
      kept_ = pic_;
    } else if (c == "bitblt") {
      pic_.bitBlt(n(1), n(2), n(3), n(4), w.size() > 7 ? pic_ : kept_, n(5), n(6));
    } else if (c == "stretchblt") {
      pic_.stretchBlt(n(1), n(2), n(3), n(4), kept_, n(5), n(6), n(7), n(8));
    } else if (c == "show") {
      show(w.size() > 4 ? n(1) : -1, w.size() > 4 ? n(2) : 0, w.size() > 4 ? n(3) : 0,
           w.size() > 4 ? n(4) : 0);
    } else if (c == "revision") {
      showChanges();
    } else if (c == "bmp") {
      writeBmp(w.size() > 1 ? w[1] : "");
    } else if (c == "qbcolor") {
      out_ << nameOf(QBColor(n(1))) << "\n";
    } else if (c == "linebypixel") {
      double z1 = d(1), x1 = d(2), z2 = d(3), x2 = d(4);
      LineByPixel(pic_, hooks(), view_.PenColour, view_.DrawDelay, z1, x1, z2, x2);
      out_ << "ends " << z1 << " " << x1 << " " << z2 << " " << x2 << "\n";
      printRecorded();
    } else if (c == "arcbypixel") {
      std::string start = w[5], end = w[6];
      ArcByPixel(pic_, hooks(), view_.DrawDelay, d(1), d(2), d(3), w[4] == "cw", view_.PenColour,
                 start, end);
      out_ << "angles " << test::quoted(start) << " " << test::quoted(end) << "\n";
      printRecorded();
    } else if (c == "zoom") {
      view_.ZoomFactor = d(1);
    } else if (c == "delay") {
      view_.DrawDelay = n(1);
    } else if (c == "pencolour") {
      view_.PenColour = colourOf(w[1]);
    } else if (c == "penat") {
      view_.CurrentPointZ = view_.TargetPointZ = d(1);
      view_.CurrentPointX = view_.TargetPointX = d(2);
    } else if (c == "draw") {
      drawMove(w);
    } else if (c == "zoomvalue") {
      view_.setZoomValue(n(1));
      out_ << "zoom " << view_.ZoomFactor << " " << test::quoted(view_.zoomLabel()) << "\n";
    } else if (c == "speedvalue") {
      view_.setSpeedValue(n(1));
      out_ << "delay " << view_.DrawDelay << " " << test::quoted(view_.speedLabel()) << "\n";
    } else if (c == "map") {
      out_ << "column " << view_.columnOf(d(1)) << " row " << view_.rowOf(d(2)) << "; back "
           << view_.zOf(view_.columnOf(d(1))) << " " << view_.xOf(view_.rowOf(d(2))) << "\n";
    } else if (c == "reset") {
      ResetView(pic_, view_);
      printPen();
      out_ << "tool colour " << view_.ToolColourIndex << ", pen " << nameOf(view_.PenColour)
           << ", fore " << nameOf(pic_.foreColour) << " width " << pic_.drawWidth << " style "
           << static_cast<int>(pic_.drawStyle) << "\n";
    } else if (c == "arccos") {
      const auto value = ArcCos(d(1));
      if (value) out_ << *value << "\n";
      if (!value) out_ << "none\n";
    } else if (c == "distance") {
      out_ << Distance(d(1), d(2), d(3), d(4)) << "\n";
    } else if (c == "centre") {
      ArcResults r{77, 77, "", ""};  // left over from an earlier call
      ArcCentre(r, d(1), d(2), d(3), d(4), d(5), w[6] == "true");
      out_ << "centre " << r.ArcCentreZ << " " << r.ArcCentreX << "\n";
    } else if (c == "angles" || c == "reference") {
      ArcResults r;
      if (c == "angles") ArcAngles(r, d(1), d(2), d(3), d(4), d(5), d(6), d(7));
      if (c == "reference") AnglesFromReference(r, d(1), d(2), d(3), d(4), d(5), d(6), d(7), d(8));
      out_ << "angles " << test::quoted(r.ArcStartAngle) << " " << test::quoted(r.ArcEndAngle)
           << "\n";
    } else {
      magnifierCommand(w);
    }
    return out_.str();
  }

 private:
  DrawHooks hooks() {
    refreshes_ = 0;
    waits_.clear();
    changed_.clear();
    last_ = pic_.pixels();
    DrawHooks h;
    h.refresh = [this] {
      ++refreshes_;
      for (std::size_t i = 0; i < last_.size(); ++i)
        if (last_[i] != pic_.pixels()[i]) changed_.push_back(static_cast<int>(i));
      last_ = pic_.pixels();
    };
    h.wait = [this](int ms) { waits_.push_back(ms); };
    return h;
  }

  // Refreshes, pauses (as value*count) and the pixels in the order they appeared.
  void printRecorded() {
    out_ << "refreshes " << refreshes_ << "; waits";
    for (std::size_t i = 0, j = 0; i < waits_.size(); i = j) {
      while (j < waits_.size() && waits_[j] == waits_[i]) ++j;
      out_ << " " << waits_[i] << "*" << j - i;
    }
    out_ << "; pixels " << changed_.size() << ":";
    for (std::size_t i = 0; i < changed_.size(); ++i) {
      if (changed_.size() > 24 && i == 3) {
        out_ << " ...";
        i = changed_.size() - 3;
      }
      out_ << " (" << changed_[i] % pic_.width() << "," << changed_[i] / pic_.width() << ")";
    }
    out_ << "\n";
  }

  void printPen() {
    out_ << "pen " << view_.CurrentPointZ << " " << view_.CurrentPointX << ", target "
         << view_.TargetPointZ << " " << view_.TargetPointX << "\n";
  }

  // draw "BLOCK" [arc] [instant]: DrawMove, then the pen, the arc and a rewritten block.
  void drawMove(const Words& w) {
    std::string block = w[1];
    const bool arc = std::find(w.begin(), w.end(), "arc") != w.end();
    const bool instant = std::find(w.begin(), w.end(), "instant") != w.end();
    drawer_.setHooks(hooks());
    drawer_.DrawMove(block, arc, pic_, instant);
    printPen();
    out_ << "rapid " << (drawer_.RapidMode ? "yes" : "no");
    if (arc) {
      out_ << ", centre " << drawer_.arc.ArcCentreZ << " " << drawer_.arc.ArcCentreX << " angles "
           << test::quoted(drawer_.arc.ArcStartAngle) << " " << test::quoted(drawer_.arc.ArcEndAngle);
    }
    if (block != w[1]) out_ << ", block " << test::quoted(block);
    out_ << "\n";
    printRecorded();
  }

  // The pixels of a rectangle, one character each: "." the background, "#" black, "b" blue,
  // "w" white, "p" the pen green, "f" the button face, other colours by capital letters.
  // Without a rectangle: the box around every pixel that differs from the background, drawn
  // when it is small enough to read.
  void show(int left, int top, int right, int bottom) {
    if (left < 0) {
      left = top = 1 << 30, right = bottom = -1;
      int count = 0;
      for (int r = 0; r < pic_.height(); ++r)
        for (int k = 0; k < pic_.width(); ++k)
          if (pic_.getPixel(k, r) != pic_.backColour()) {
            ++count;
            left = std::min(left, k), right = std::max(right, k);
            top = std::min(top, r), bottom = std::max(bottom, r);
          }
      out_ << count << " drawn" << (count ? ", " : "\n");
      if (count == 0) return;
      if (right - left >= MaxShownWidth || (right - left + 1) * (bottom - top + 1) > MaxShownPixels) {
        out_ << "columns " << left << ".." << right << ", rows " << top << ".." << bottom << "\n";
        return;
      }
    }
    out_ << "columns " << left << ".." << right << ", rows " << top << ".." << bottom << "\n";
    std::map<Colour, char> letters;
    std::string legend;
    for (int r = top; r <= bottom; ++r) {
      out_ << "|";
      for (int k = left; k <= right; ++k) {
        const Colour p = pic_.getPixel(k, r);
        const std::string name = nameOf(p);
        if (p == pic_.backColour()) {
          out_ << '.';
        } else if (NamedColours.count(name)) {
          out_ << (name == "black" ? '#' : name[0]);
        } else {
          if (!letters.count(p)) {
            letters[p] = static_cast<char>('A' + letters.size());
            legend += std::string(" ") + letters[p] + "=" + name;
          }
          out_ << letters[p];
        }
      }
      out_ << "\n";
    }
    if (!legend.empty()) out_ << "legend" << legend << "\n";
  }

  // bmp [missing|folder]: writes the picture as a bitmap and prints its bytes in hex, 16 a line.
  void writeBmp(const std::string& where) {
    test::TempFolder folder;
    const auto path = where == "missing" ? folder.path() / "missing" / "a.bmp"
                      : where == "folder" ? folder.path() : folder.path() / "a.bmp";
    if (!pic_.writeBmp(path.string())) {
      out_ << "not written\n";
      return;
    }
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    const char* digits = "0123456789abcdef";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      const auto b = static_cast<unsigned char>(bytes[i]);
      out_ << digits[b >> 4] << digits[b & 15] << (i % 16 == 15 || i + 1 == bytes.size() ? "\n" : " ");
    }
  }

  // down/drag/hover X Y, up, zoomclick, factor W H: the magnifier over the picture.
  void magnifierCommand(const Words& w) {
    auto n = [&](std::size_t i) { return std::stoi(w.at(i)); };
    if (w[0] == "down") {
      magnifier_.mouseDown(n(1), n(2));
    } else if (w[0] == "drag" || w[0] == "hover") {
      magnifier_.mouseMove(n(1), n(2), w[0] == "drag");
    } else if (w[0] == "zoomclick") {
      magnifier_.zoomClick();
    } else if (w[0] == "factor") {
      out_ << MagnifyFactor(702, 369, std::stod(w[1]), std::stod(w[2])) << "\n";
      return;
    } else if (w[0] == "up") {
      if (magnifier_.mouseUp(pic_, zoom_)) {
        const SelectionRect& r = magnifier_.selectionRect();
        out_ << "magnified " << r.left << " " << r.top << " " << r.width << " " << r.height
             << " factor " << magnifier_.lastFactor() << ", " << zoomMismatch() << "\n";
      } else {
        out_ << "not magnified\n";
      }
    } else {
      throw std::invalid_argument("unknown command " + w[0]);
    }
    out_ << "selecting " << magnifier_.Selecting() << ", outline " << magnifier_.outlineVisible()
         << ", zoom shown " << magnifier_.zoomVisible() << "\n";
  }

  // Whether the magnifier holds the selected part of the picture, each pixel a factor x factor
  // block, and the background everywhere else.
  std::string zoomMismatch() const {
    const SelectionRect& r = magnifier_.selectionRect();
    const int f = magnifier_.lastFactor();
    for (int row = 0; row < zoom_.height(); ++row) {
      for (int k = 0; k < zoom_.width(); ++k) {
        const bool inside = k < r.width * f && row < r.height * f;
        const Colour want = inside ? pic_.getPixel(static_cast<int>(r.left) + k / f,
                                                   static_cast<int>(r.top) + row / f)
                                   : zoom_.backColour();
        if (zoom_.getPixel(k, row) != want)
          return "zoom differs at " + std::to_string(k) + "," + std::to_string(row);
      }
    }
    return "zoom shows the selection";
  }

  // Prints whether the picture changed and the box of changed pixels a window takes; every
  // pixel changed since the last look must lie in it.
  void showChanges() {
    const PixelBox box = pic_.takeChanged();
    out_ << (pic_.revision() != revision_ ? "changed" : "unchanged");
    if (!box.empty())
      out_ << ", box " << box.left << " " << box.top << " " << box.right << " " << box.bottom;
    out_ << "\n";
    const std::vector<Colour>& now = pic_.pixels();
    int outside = 0;
    for (std::size_t i = 0; i < now.size() && now.size() == looked_.size(); ++i) {
      const int column = static_cast<int>(i) % pic_.width(), row = static_cast<int>(i) / pic_.width();
      outside += now[i] != looked_[i] && !box.contains(column, row);
    }
    if (outside > 0) out_ << outside << " changed pixels outside the box\n";
    revision_ = pic_.revision();
    looked_ = now;
  }

  Surface pic_;
  Surface kept_;
  Surface zoom_;
  ViewState view_;
  PathDrawer drawer_{view_, {}};
  Magnifier magnifier_;
  std::uint64_t revision_ = 0;
  std::vector<Colour> looked_;  // the picture at the last look
  std::vector<Colour> last_;
  std::vector<int> changed_;
  int refreshes_ = 0;
  std::vector<int> waits_;
  std::ostringstream out_;
};

DRAIVO_TRANSCRIPT_TEST(RenderTranscript, RenderSession);

// Thousands of arcs of every size and position, thin and wide, set the pixels they set before
// the pixels of an arc were decided without an angle each: the picture's hash was noted then.
TEST(SurfaceArcTest, RandomArcsSetTheRecordedPixels) {
  std::mt19937 random(2718);
  auto any = [&](int low, int high) { return low + static_cast<int>(random() % (high - low + 1)); };
  Surface s(Surface::ViewWidth, Surface::ViewHeight, White);
  for (int i = 0; i < 3000; ++i) {
    const int cz = any(-60, 760), cx = any(-60, 430), r = any(0, i % 10 == 0 ? 900 : 60);
    s.foreColour = static_cast<Colour>(i + 1);
    s.drawWidth = i % 7 == 0 ? 2 : 1;
    // End points on the circle's axes, on its diagonals, or anywhere near it.
    const int pick = i % 3;
    auto endPoint = [&] {
      if (pick == 0) return std::pair{cz + r * any(-1, 1), cx + r * any(-1, 1)};
      return std::pair{cz + any(-r - 5, r + 5), cx + any(-r - 5, r + 5)};
    };
    const auto [z1, x1] = endPoint();
    const auto [z2, x2] = endPoint();
    s.arc(cz - r, cx - r, cz + r, cx + r, z1, x1, z2, x2);
  }
  EXPECT_EQ(test::PictureHash(s), 7203383083322091751u);
}

}  // namespace
}  // namespace draivo
