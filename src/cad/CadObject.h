#pragma once

// Root of the drawing model's class tree, the named dash patterns and the vertices of
// polylines and curves.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "cad/CadUnits.h"
#include "pdf/PDFPrinter.h"

namespace kyrovane {

class TCad_Insert;
class TCad_JwcTables;

class TCad_Object {
 public:
  explicit TCad_Object(TCad_Object* AOwner) : Owner(AOwner) {}
  virtual ~TCad_Object() = default;
  TCad_Object(const TCad_Object&) = delete;
  TCad_Object& operator=(const TCad_Object&) = delete;

  // Whether the object can show on a page of PageW x PageH points when drawn at the offsets.
  virtual bool IsOnPage(long double OffX, long double OffY, long double PageW,
                        long double PageH) const;

  // Appends the object to the record tables of a drawing in the older format, placed as it is
  // drawn through Insert (null outside blocks). Objects that have no such records add none.
  virtual void ExportJwc(TCad_JwcTables& Tables, TCad_Insert* Insert);
  // Writes the object as DXF entity groups, placed as it is drawn outside any insert. Objects
  // that have no such entity write nothing.
  virtual void WriteDxf(std::ostream& Stream);

  // Draws onto the page canvas. Insert is the insert the object is drawn through (null
  // outside blocks); the offsets are added to every page coordinate; only entities whose
  // pass equals Pass draw. Objects that are not drawable draw nothing.
  virtual void Draw(TCad_Insert* Insert, TPdfCanvas& Canvas, long double OffX, long double OffY,
                    std::uint8_t Pass);

  void SetParent(TCad_Object* AParent) { Owner = AParent; }

  // While an entity is drawn, the insert it is drawn through; the insert chain walks it.
  TCad_Object* Owner;
  std::uint8_t Visible = 1;
};

// A named dash pattern: dash and gap lengths in millimetres, alternating.
class TCad_Line_Type : public TCad_Object {
 public:
  using TCad_Object::TCad_Object;

  int AddDash(long double ALength);
  int DashCount() const { return static_cast<int>(Dashes.size()); }
  long double GetDash(int I) const { return Dashes.at(static_cast<std::size_t>(I)); }

  // The printer's dash pattern in whole points, made again only when Dashes or Phase change:
  // every line of a page asks for it.
  const TLineType& Pattern() const;

  std::string Name;
  std::vector<long double> Dashes;
  long double Phase = 0;

 private:
  mutable TLineType pattern_;
  mutable std::vector<long double> patternDashes_;
  mutable long double patternPhase_ = 0;
  mutable bool patternMade_ = false;
};

// Dash lengths in points from a line type: 0 mm becomes 1 point, others are rounded to whole
// points; no line type gives a solid pattern.
TLineType DashPatternOf(const TCad_Line_Type* ALineType);

// One vertex of a polyline or curve. Bulge is the tangent of a quarter of the included angle
// of the arc to the next vertex (0 = straight, positive = counter-clockwise).
class TCad_Vertex : public TCad_Object {
 public:
  using TCad_Object::TCad_Object;

  long double Bulge = 0;
  TPoint3 Point;
};

}  // namespace kyrovane
