#include "cad/CadPolyLine.h"

#include <cmath>

#include "cad/CadInsert.h"
#include "cad/CadPage.h"
#include "cad/Finite.h"

namespace kyrovane {
namespace {

TPoint3 Rotated(long double x, long double y, long double angle) {
  return {x * std::cos(angle) - y * std::sin(angle), x * std::sin(angle) + y * std::cos(angle), 0};
}

bool IsWritable(const TPoint3& p) {
  return cad::AllWritable({p.X, p.Y});
}

}  // namespace

TBulgeCircle BulgeCircle(const TPoint3& Q, const TPoint3& P, long double Bulge) {
  const long double theta = 4 * std::atan(Bulge);
  const long double dx = P.X - Q.X;
  const long double dy = P.Y - Q.Y;
  const long double d = std::hypot(dx, dy);
  const long double half = std::sin(theta / 2);
  const long double r = theta > 0 ? (d / 2) / half : -(d / 2) / half;
  long double alpha = 0;
  if (d != 0) alpha = std::atan2(dy, dx) + (theta > 0 ? -cad::kPi / 2 : cad::kPi / 2);
  const long double start = alpha - theta / 2;
  return {{Q.X - r * std::cos(start), Q.Y - r * std::sin(start), 0}, r, start, theta};
}

std::vector<TBezierPiece> BulgeArc(const TPoint3& Q, const TPoint3& P, long double Bulge) {
  const TBulgeCircle circle = BulgeCircle(Q, P, Bulge);
  const long double theta = circle.Sweep;
  const long double start = circle.Start;
  const long double r = circle.Radius;
  const TPoint3& centre = circle.Centre;

  int pieces = 1;
  if (std::fabs(theta) > 1.0471975511965979L) {
    const long double degrees = std::nearbyint(std::fabs(theta) * 180 / cad::kPi);
    pieces = std::max(1, static_cast<int>(degrees) / 60);
  }
  const long double delta = theta / pieces;
  const long double k = (8 * std::cos(delta / 2) - 4 - 4 * std::cos(delta)) / (3 * std::sin(delta));
  const TPoint3 u1{1, k, 0};
  const TPoint3 u2{std::cos(delta) + k * std::sin(delta), std::sin(delta) - k * std::cos(delta), 0};
  const TPoint3 u3{std::cos(delta), std::sin(delta), 0};
  auto place = [&](const TPoint3& u, long double turn) {
    const TPoint3 v = Rotated(u.X, u.Y, turn + start);
    return TPoint3{centre.X + r * v.X, centre.Y + r * v.Y, 0};
  };

  std::vector<TBezierPiece> result;
  result.reserve(static_cast<std::size_t>(pieces));
  for (int j = 0; j < pieces; ++j) {
    const long double turn = j * delta;
    TBezierPiece piece{place(u1, turn), place(u2, turn), place(u3, turn)};
    // A bulge that cannot be placed (a number out of range) leaves the segment straight.
    if (!IsWritable(piece.C1) || !IsWritable(piece.C2) || !IsWritable(piece.End)) return {};
    result.push_back(piece);
  }
  return result;
}

// ---- polylines

TCad_PolyLine::TCad_PolyLine(TCad_Object* AOwner, TCad_Layer& ALayer, std::string_view AName)
    : TCad_Entity(AOwner, ALayer) {
  Pass = 1;
  Name = ShortName(AName);
}

std::unique_ptr<TCad_PolyLine> TCad_PolyLine::CreatePass2(TCad_Object* AOwner, TCad_Layer& ALayer,
                                                          std::string_view AName) {
  auto polyline = std::make_unique<TCad_PolyLine>(AOwner, ALayer, AName);
  polyline->Pass = 2;
  return polyline;
}

int TCad_PolyLine::AddVertex(std::unique_ptr<TCad_Vertex> AVertex) {
  Vertices.push_back(std::move(AVertex));
  return VertexCount() - 1;
}

void TCad_PolyLine::Draw(TCad_Insert* Insert, TPdfCanvas& Canvas, long double OffX,
                         long double OffY, std::uint8_t Pass) {
  SetParent(Insert);
  if (!DrawsIn(Pass) || Vertices.empty()) return;
  std::vector<TPoint3> points;
  points.reserve(Vertices.size());
  for (const auto& vertex : Vertices) {
    const TPoint3 p = TransformPoint(vertex->Point);
    points.push_back({OffX + p.X, OffY + p.Y, 0});
    if (!IsWritable(points.back())) return;
  }
  if (!std::isfinite(LineWidth)) return;

  const TLineType& dash = DashPattern();
  Canvas.SetRGBStrokeColor(Color);
  Canvas.SetRGBFillColor(Color);
  Canvas.SetDash(dash.Values, dash.Phase);
  Canvas.SetLineWidth(LineWidth);
  Canvas.MoveTo(points[0].X, points[0].Y);
  auto segment = [&](const TPoint3& q, const TPoint3& p, long double bulge) {
    const std::vector<TBezierPiece> arc =
        bulge != 0 ? BulgeArc(q, p, bulge) : std::vector<TBezierPiece>{};
    if (arc.empty()) {
      Canvas.LineTo(p.X, p.Y);
      return;
    }
    for (const TBezierPiece& piece : arc) {
      Canvas.CurveToC(piece.C1.X, piece.C1.Y, piece.C2.X, piece.C2.Y, piece.End.X, piece.End.Y);
    }
  };
  for (std::size_t i = 1; i < points.size(); ++i) {
    segment(points[i - 1], points[i], Vertices[i - 1]->Bulge);
  }
  if (Closed != 0) segment(points.back(), points.front(), Vertices.back()->Bulge);
  if (Filled != 0) {
    Canvas.FillStroke();
  } else {
    Canvas.Stroke();
  }
}

// ---- curves

TCad_Curve::TCad_Curve(TCad_Object* AOwner, TCad_Layer& ALayer) : TCad_Entity(AOwner, ALayer) {
  Pass = 1;
}

int TCad_Curve::AddVertex(std::unique_ptr<TCad_Vertex> AVertex) {
  Vertices.push_back(std::move(AVertex));
  return VertexCount() - 1;
}

void TCad_Curve::Draw(TCad_Insert* Insert, TPdfCanvas&, long double OffX, long double OffY,
                      std::uint8_t Pass) {
  SetParent(Insert);
  if (!DrawsIn(Pass) || Vertices.size() < 2) return;
  const int count = VertexCount() - 1;
  // The printer fills slot 0 and the two slots after the last point itself.
  std::vector<TSplinePoint> points(Vertices.size() + 2);
  for (std::size_t i = 1; i < Vertices.size(); ++i) {
    const TPoint3 p = TransformPoint(Vertices[i]->Point);
    points[i].X = OffX + p.X;
    points[i].Y = OffY + p.Y;
    if (!cad::AllWritable({points[i].X, points[i].Y})) return;
  }
  if (!std::isfinite(LineWidth)) return;
  Printer().DrawSpline(points, count, LineWidth, Color, DashPattern());
}

}  // namespace kyrovane
