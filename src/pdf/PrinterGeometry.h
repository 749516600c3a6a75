#pragma once

// Point computations of the drawing component: the cubic Bézier points of elliptical arcs and
// filled ellipses, and the control points of smoothed curves. Pure arithmetic in 80-bit floats;
// nothing here writes PDF.

#include <array>
#include <span>
#include <vector>

namespace kyrovane {

struct TSplinePoint {
  long double X = 0;
  long double Y = 0;
};

// Number of Bézier segments for an arc of the given sweep in degrees: one per whole 60 degrees
// (at least one). The sweep is bounded to one turn either way.
int ArcSegmentCount(long double sweep);

// The 3n + 1 points of an elliptical arc from startAngle to endAngle (degrees, measured on the
// unscaled circle), with radii rx and ry, turned by tilt degrees about the centre (cx, cy).
// Point 0 is the start; points 3i+1, 3i+2, 3i+3 are the controls and end of segment i.
std::vector<TSplinePoint> ArcPoints(long double rx, long double ry, long double cx, long double cy,
                                    long double startAngle, long double endAngle, long double tilt);

// The 19 points of a whole ellipse as six 60-degree segments, starting and ending at (cx + rx, cy).
std::array<TSplinePoint, 19> FilledCirclePoints(long double rx, long double ry, long double cx,
                                                long double cy);

// Control points of the curve segment from b to c, given the neighbours a (before b) and d
// (after c): each leaves its end point along the chord of its neighbours, at 0.3 of |c - b|.
struct TSplineControls {
  TSplinePoint C1;
  TSplinePoint C2;
};
TSplineControls CalcSplineControlPoints(const TSplinePoint& a, const TSplinePoint& b,
                                        const TSplinePoint& c, const TSplinePoint& d);

// The points of a smoothed curve through points[1] … points[count] (count > 3), with the extra
// neighbours at index 0, count + 1 and count + 2 filled in: copies of the ends for an open curve,
// the wrapped-around points for a closed one (first point equal to the last).
std::vector<TSplinePoint> ExtendSplinePoints(std::span<const TSplinePoint> points, int count);

}  // namespace kyrovane
