#include "import/JwBuilderRules.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "app/settings/Environment.h"
#include "app/settings/Units.h"
#include "cad/CadPage.h"

namespace kyrovane {
namespace {

// Dash and gap lengths of each line type in units of its pattern scale; empty is solid.
const std::vector<long double> kDashes[kStandardLineTypes] = {
    {},                   // 1
    {2},                  // 2
    {4},                  // 3
    {6, 2},               // 4
    {10, 2, 2, 2},        // 5
    {13, 2, 2, 2},        // 6
    {4, 2, 1, 2, 1, 2},   // 7
    {12, 2, 1, 2, 1, 2},  // 8
    {},                   // 9: a fixed length, below
    {},                   // 10
    {},                   // 11
    {},                   // 12
    {},                   // 13
    {},                   // 14
    {},                   // 15
    {10, 2, 2, 2},        // 16
    {12, 2, 1, 2, 1, 2},  // 17
    {12, 2},              // 18
    {12, 2},              // 19
};

constexpr int kFixedLineType = 9;
constexpr long double kFixedDash = 0.5L;  // mm, whatever the pattern scale

}  // namespace

void AddStandardLineTypes(TCad_Page& CadPage, const REnvironment& Env) {
  for (int t = 1; t <= kStandardLineTypes; ++t) {
    const std::string name = std::to_string(t);
    CadPage.AddLineType(name);
    TCad_Line_Type& lineType = *CadPage.FindLineType(name);
    if (t == kFixedLineType) {
      lineType.AddDash(kFixedDash);
    } else {
      for (const long double length : kDashes[t - 1]) {
        lineType.AddDash(length * Env.LinePatternScale[t]);
      }
    }
    lineType.Phase = 0;
  }
}

int RoundToInt(long double value) {
  const long double rounded = std::nearbyint(value);
  if (std::isnan(rounded)) return 0;
  if (rounded <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  if (rounded >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  return static_cast<int>(rounded);
}

void SizePageToDrawing(TCad_Page& CadPage, long double WidthMm, long double HeightMm) {
  CadPage.PageWidth = RoundToInt(MmToPoint(WidthMm) + MmToPoint(CadPage.MarginX * 2));
  CadPage.PageHeight = RoundToInt(MmToPoint(HeightMm) + MmToPoint(CadPage.MarginY * 2));
  CadPage.SizedToDrawing = true;
}

long double DirectionAngle(long double x1, long double y1, long double x2, long double y2) {
  const long double dx = x2 - x1;
  const long double dy = y2 - y1;
  if (dx == 0) return dy > 0 ? 90 : 270;
  if (dy == 0) return dx > 0 ? 0 : 180;
  long double a = Deg(std::atan(dy / dx));
  if (dx < 0) {
    a += 180;
  } else if (dy < 0) {
    a += 360;
  }
  return a;
}

}  // namespace kyrovane
