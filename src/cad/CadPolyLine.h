#pragma once

// Paths through a list of vertices: polylines of straight and circular-arc segments (solids
// are filled polylines) and smoothed curves.

#include <memory>
#include <string_view>
#include <vector>

#include "cad/CadEntity.h"

namespace kyrovane {

class TCad_PolyLine : public TCad_Entity {
 public:
  TCad_PolyLine(TCad_Object* AOwner, TCad_Layer& ALayer, std::string_view AName);
  // A polyline drawn in pass 2, under the ordinary entities (solids).
  static std::unique_ptr<TCad_PolyLine> CreatePass2(TCad_Object* AOwner, TCad_Layer& ALayer,
                                                    std::string_view AName);

  int AddVertex(std::unique_ptr<TCad_Vertex> AVertex);
  TCad_Vertex* GetVertex(int I) const { return Vertices.at(static_cast<std::size_t>(I)).get(); }
  int VertexCount() const { return static_cast<int>(Vertices.size()); }

  // A line record per straight segment, an arc record per bulged one.
  void ExportJwc(TCad_JwcTables& Tables, TCad_Insert* Insert) override;

  // Each segment takes the bulge of the vertex that starts it; a closed polyline runs back
  // to its first vertex. No page test: the path is written whole.
  void Draw(TCad_Insert* Insert, TPdfCanvas& Canvas, long double OffX, long double OffY,
            std::uint8_t Pass) override;

  std::uint8_t Filled = 0;
  std::uint8_t Closed = 0;

 private:
  std::vector<std::unique_ptr<TCad_Vertex>> Vertices;
};

class TCad_Curve : public TCad_Entity {
 public:
  TCad_Curve(TCad_Object* AOwner, TCad_Layer& ALayer);

  int AddVertex(std::unique_ptr<TCad_Vertex> AVertex);
  TCad_Vertex* GetVertex(int I) const { return Vertices.at(static_cast<std::size_t>(I)).get(); }
  int VertexCount() const { return static_cast<int>(Vertices.size()); }

  // A line from each vertex to the next, the first one included.
  void WriteDxf(std::ostream& Stream) override;

  // A smoothed curve through vertices 1 to the last: vertex 0 is never drawn, so a curve
  // that begins at a point holds that point twice.
  void Draw(TCad_Insert* Insert, TPdfCanvas& Canvas, long double OffX, long double OffY,
            std::uint8_t Pass) override;

 private:
  std::vector<std::unique_ptr<TCad_Vertex>> Vertices;
};

// The circle of a bulged segment from Q to P (page points): its centre and radius, the angle
// (radians) at Q and the arc's sweep from there, counter-clockwise when positive.
struct TBulgeCircle {
  TPoint3 Centre;
  long double Radius;
  long double Start;
  long double Sweep;
};
TBulgeCircle BulgeCircle(const TPoint3& Q, const TPoint3& P, long double Bulge);

// A circular arc from the current point Q to P (page points) with the given bulge, as cubic
// Bezier pieces of at most 60 degrees (one piece up to 60 degrees, then whole multiples of
// 60 degrees, rounded down). Each piece is three control points; empty when the arc cannot
// be placed (the segment is then drawn straight).
struct TBezierPiece {
  TPoint3 C1, C2, End;
};
std::vector<TBezierPiece> BulgeArc(const TPoint3& Q, const TPoint3& P, long double Bulge);

}  // namespace kyrovane
