#pragma once

// Points (filled dots), straight lines and elliptical arcs, circles and pies.

#include <memory>

#include "cad/CadEntity.h"

namespace kyrovane {

class TCad_Point : public TCad_Entity {
 public:
  TCad_Point(TCad_Object* AOwner, TCad_Layer& ALayer);

  void ExportJwc(TCad_JwcTables& Tables, TCad_Insert* Insert) override;
  void WriteDxf(std::ostream& Stream) override;

  bool IsOnPage(long double OffX, long double OffY, long double PageW,
                long double PageH) const override;
  void Draw(TCad_Insert* Insert, TPdfCanvas& Canvas, long double OffX, long double OffY,
            std::uint8_t Pass) override;

  TPoint3 Position;
  long double SizeFactor = 1;  // the dot's radius is LineWidth x SizeFactor points
};

class TCad_Line : public TCad_Entity {
 public:
  TCad_Line(TCad_Object* AOwner, TCad_Layer& ALayer);

  void ExportJwc(TCad_JwcTables& Tables, TCad_Insert* Insert) override;
  void WriteDxf(std::ostream& Stream) override;

  bool IsOnPage(long double OffX, long double OffY, long double PageW,
                long double PageH) const override;
  // The path runs from P2 to P1, so the dash pattern begins at P2.
  void Draw(TCad_Insert* Insert, TPdfCanvas& Canvas, long double OffX, long double OffY,
            std::uint8_t Pass) override;

  TPoint3 P1;
  TPoint3 P2;
};

class TCad_Arc : public TCad_Entity {
 public:
  TCad_Arc(TCad_Object* AOwner, TCad_Layer& ALayer);
  // An arc drawn in pass 2, under the ordinary entities (filled arcs).
  static std::unique_ptr<TCad_Arc> CreatePass2(TCad_Object* AOwner, TCad_Layer& ALayer);

  void ExportJwc(TCad_JwcTables& Tables, TCad_Insert* Insert) override;
  // An arc, or an ellipse when its axis is turned.
  void WriteDxf(std::ostream& Stream) override;

  bool IsOnPage(long double OffX, long double OffY, long double PageW,
                long double PageH) const override;
  void Draw(TCad_Insert* Insert, TPdfCanvas& Canvas, long double OffX, long double OffY,
            std::uint8_t Pass) override;

  // Angles in degrees, counter-clockwise from the ellipse's first axis; equal angles draw
  // the whole ellipse.
  long double EndAngle = 0;
  long double StartAngle = 0;
  long double AxisAngle = 0;  // direction of the first axis in the model
  TPoint3 Center;
  TPoint3 Radii;            // X along the first axis, Y the other
  std::uint8_t Filled = 0;  // non-zero draws a filled pie
};

// The start and sweep of an arc from its stored angles: the sweep runs counter-clockwise
// from the start, within one turn, and equal angles give the full turn from 0.
struct TArcSweep {
  long double Start;
  long double End;
};
TArcSweep ArcSweep(long double AStart, long double AEnd);

}  // namespace kyrovane
