#include "cad/CadSpline.h"

#include <array>
#include <cmath>

#include "cad/CadInsert.h"
#include "cad/CadPage.h"
#include "cad/Finite.h"

namespace kyrovane {

TCad_Spline::TCad_Spline(TCad_Object* AOwner, TCad_Layer& ALayer) : TCad_Entity(AOwner, ALayer) {
  Pass = 1;
}

std::vector<TPoint3> TCad_Spline::PagePath() const {
  const int count = static_cast<int>(ControlPoints.size());
  const int order = static_cast<int>(Knots.size()) - count;
  if (count < 1 || order < 1 || order > kMaxOrder) return {};
  const std::vector<long double>& knot = Knots;
  const long double first = knot[static_cast<std::size_t>(order - 1)];
  const long double last = knot[static_cast<std::size_t>(count)];
  if (!cad::AllWritable({first, last}) || (last - first) / 0.1L > kMaxSteps) return {};

  std::vector<TPoint3> path;
  std::array<long double, kMaxOrder> N{}, left{}, right{};
  long double t = first;
  for (int step = 0; t < last && step <= kMaxSteps; ++step, t += 0.1L) {
    int j = order - 1;
    while (j < count && !(knot[j] <= t && t < knot[j + 1])) ++j;
    if (j == count) continue;
    // Cox-de Boor: the order basis functions that do not vanish on span j.
    const int degree = order - 1;
    N[0] = 1;
    for (int k = 1; k <= degree; ++k) {
      left[k] = t - knot[j + 1 - k];
      right[k] = knot[j + k] - t;
      long double saved = 0;
      for (int r = 0; r < k; ++r) {
        const long double denominator = right[r + 1] + left[k - r];
        const long double term = denominator == 0 ? 0 : N[r] / denominator;
        N[r] = saved + right[r + 1] * term;
        saved = left[k - r] * term;
      }
      N[k] = saved;
    }
    TPoint3 sum;
    long double weight = 0;
    for (int i = 0; i < order; ++i) {
      const TPoint3& p = ControlPoints[static_cast<std::size_t>(j - order + 1 + i)];
      sum.X += N[i] * Weight * p.X;
      sum.Y += N[i] * Weight * p.Y;
      weight += N[i] * Weight;
    }
    path.push_back(TransformPoint({sum.X / weight, sum.Y / weight, 0}));
    if (!cad::AllWritable({path.back().X, path.back().Y})) return {};
  }
  return path;
}

void TCad_Spline::Draw(TCad_Insert* Insert, TPdfCanvas& Canvas, long double OffX, long double OffY,
                       std::uint8_t Pass) {
  SetParent(Insert);
  if (!DrawsIn(Pass)) return;
  Order = static_cast<int>(Knots.size()) - static_cast<int>(ControlPoints.size());
  const std::vector<TPoint3> path = PagePath();
  if (path.empty() || !std::isfinite(LineWidth)) return;
  for (const TPoint3& p : path) {
    if (!cad::AllWritable({OffX + p.X, OffY + p.Y})) return;
  }

  const TLineType& dash = DashPattern();
  Canvas.SetDash(dash.Values, dash.Phase);
  Canvas.SetLineWidth(LineWidth);
  Canvas.SetRGBStrokeColor(Color);
  Canvas.MoveTo(OffX + path[0].X, OffY + path[0].Y);
  for (std::size_t i = 1; i < path.size(); ++i) Canvas.LineTo(OffX + path[i].X, OffY + path[i].Y);
  if (Stroke != 0) Canvas.Stroke();
}

}  // namespace kyrovane
