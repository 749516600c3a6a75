#pragma once

// A rational B-spline with one weight shared by all control points, drawn as a polyline of
// points at parameter steps of 0.1.

#include <vector>

#include "cad/CadEntity.h"

namespace kyrovane {

class TCad_Spline : public TCad_Entity {
 public:
  TCad_Spline(TCad_Object* AOwner, TCad_Layer& ALayer);

  // The order is the knot count minus the control point count, from 1 to kMaxOrder; a spline
  // whose knots do not fit its control points draws nothing.
  void Draw(TCad_Insert* Insert, TPdfCanvas& Canvas, long double OffX, long double OffY,
            std::uint8_t Pass) override;
  // A line record between each two points of the drawn path.
  void ExportJwc(TCad_JwcTables& Tables, TCad_Insert* Insert) override;

  // The drawn path in page points, through the current insert; empty when the knots do not
  // fit the control points or a point cannot be written.
  std::vector<TPoint3> PagePath() const;

  static constexpr int kMaxOrder = 101;
  // Parameter steps of one drawing; a knot range wider than this draws nothing.
  static constexpr int kMaxSteps = 100000;

  std::vector<TPoint3> ControlPoints;
  std::vector<long double> Knots;
  int Order = 0;
  long double Weight = 1;
};

}  // namespace kyrovane
