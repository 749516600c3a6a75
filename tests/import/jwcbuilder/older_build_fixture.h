#pragma once

// Drawings of the older format and parts files made record by record: written with the test
// writers, read back and built into a model with the settings, list masks and clock a test
// sets. Tests may change the tables between reading and building.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "cad/pdf_probe.h"
#include "import/JwcBuilder.h"
#include "import/JwkBuilder.h"
#include "import/jwc/jwc_writer.h"
#include "import/jwk/jwk_writer.h"
#include "import/jwwbuilder/jww_build_fixture.h"

namespace kyrovane::test {

// A text record at (x, y) whose base line runs to (x2, y2), of a type on a layer.
inline Moji2Record TextAt(float x, float y, float x2, float y2, uint8_t type = 1, uint8_t layer = 0,
                          uint8_t flags = 0) {
  return {x, y, x2, y2, 0, 0, type, layer, flags, 0};
}

// A line record with its chain byte and flags.
inline TJwcLine LineOf(float x1, float y1, float x2, float y2, uint8_t chain = 0, uint8_t flags = 0,
                       uint8_t lineType = 1, uint8_t pen = 1, uint8_t layer = 0) {
  return {x1, y1, x2, y2, lineType, pen, layer, 0, chain, flags};
}

// Adds a text to a drawing's pool and records.
template <class Drawing>
void AddPoolText(Drawing& drawing, Moji2Record rec, const std::string& text) {
  rec.PoolOffset = static_cast<uint16_t>(drawing.Pool.size());
  drawing.Pool += text + '\0';
  drawing.Texts.push_back(rec);
}

// Every group and layer visible and drawn in order, scale 1 (A3 at a divisor of 420), text
// types of 3 mm.
class JwcBuild : public BuildInputs {
 public:
  JwcBuild() {
    drawing.ScaleDivisor = 420;
    for (TJwcGroup& group : drawing.Groups) group.StateA = group.StateB = 1;
    for (TJwcLayer& layer : drawing.Layers) layer.StateA = layer.StateB = 1;
    for (TJwcTextType& type : drawing.TextTypes) type = {1, 30, 30, 0};
  }

  // Writes and reads the drawing into `data`; then builds it.
  TCad_Page& Build(bool allArea = false) {
    const JwcReadResult read = ReadJwcData(WriteJwc(drawing), data);
    EXPECT_TRUE(read.Ok) << read.Error;
    return BuildData(allArea);
  }
  TCad_Page& BuildData(bool allArea = false) {
    ResetPage();
    BuildJwcDrawing(page, data, env, context, clock, allArea);
    return page;
  }

  JwcDrawing drawing;
  JwcData data;
};

class JwkBuild : public BuildInputs {
 public:
  JwkBuild() { drawing.Scale = "1"; }

  TCad_Page& Build() {
    JwkData data;
    const JwkReadResult read = ReadJwkData(WriteJwk(drawing), data);
    EXPECT_TRUE(read.Ok) << read.Error;
    ResetPage();
    BuildJwkDrawing(page, data, env, context, clock);
    return page;
  }

  JwkDrawing drawing;
};

// Start angles of arcs stored as a whole turn (S and S + 360, each rounded to 1/65536 degree
// and read as a single). Around 152 degrees the end passes 512, where a single's step is four
// of those 1/65536 degree steps: ends that lie that far apart are a whole turn too.
inline std::vector<double> WholeTurnStarts() {
  std::vector<double> starts = {0.0, 26.56505117707799, 359.88};
  for (int i = 0; i < 64; ++i) starts.push_back(151.9997 + i * 0.00001);
  return starts;
}

// A path that a page draws: its curves and whether it ends where it starts.
struct TDrawnPath {
  int curves = 0;
  bool closed = false;
};

// The paths of a page as its PDF draws them.
inline std::vector<TDrawnPath> DrawnPaths(TCad_Page& page) {
  std::ostringstream pdf;
  page.PrintToPdf(pdf, 1, false, 0);
  std::vector<TDrawnPath> paths;
  double startX = 0, startY = 0;
  for (const std::string& line : ContentLines(PageContents(pdf.str()).at(0))) {
    std::istringstream numbers(line);
    std::vector<double> values;
    for (double value; numbers >> value;) values.push_back(value);
    if (line.ends_with(" m")) {
      paths.emplace_back();
      startX = values.at(0);
      startY = values.at(1);
    } else if (line.ends_with(" c") && !paths.empty()) {
      ++paths.back().curves;
      paths.back().closed = std::hypot(values.at(4) - startX, values.at(5) - startY) < 0.01;
    }
  }
  return paths;
}

}  // namespace kyrovane::test
