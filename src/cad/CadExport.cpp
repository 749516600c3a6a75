// The export operations of the model's classes: DXF entity groups, and records of a drawing in
// the older format. Export reads the model and changes nothing in it but the current insert of
// the entities it goes through, as drawing does.

#include "cad/CadExport.h"

#include <cmath>
#include <ostream>
#include <string_view>

#include "cad/CadGeometry.h"
#include "cad/CadInsert.h"
#include "cad/CadPage.h"
#include "cad/CadPolyLine.h"
#include "cad/CadSpline.h"
#include "cad/CadText.h"
#include "pdf/PdfNumbers.h"

namespace kyrovane {
namespace {

void Group(std::ostream& out, int code, std::string_view value) {
  out << code << "\r\n" << value << "\r\n";
}

// A number rounded to three decimals.
void Rounded(std::ostream& out, int code, long double value) {
  Group(out, code, FloatToStrR(value));
}

// A number with all its significant digits.
void Plain(std::ostream& out, int code, long double value) {
  Group(out, code, FloatToStrGeneral(value, 15));
}

// The three coordinate groups code, code + 10 and code + 20 of a point.
void Coordinates(std::ostream& out, int code, const TPoint3& p) {
  Rounded(out, code, p.X);
  Rounded(out, code + 10, p.Y);
  Rounded(out, code + 20, p.Z);
}

// The entity's kind, layer and, when asked and it has one, line type.
void Head(std::ostream& out, std::string_view kind, const TCad_Entity& entity, bool lineType) {
  Group(out, 0, kind);
  Group(out, 8, entity.Layer->Name);
  if (lineType && entity.LineType != nullptr) Group(out, 6, entity.LineType->Name);
}

// A model point where it is drawn, in millimetres on the page.
TPoint3 PageMm(const TCad_Entity& entity, const TPoint3& p) {
  return PointToMm(entity.TransformPoint(p));
}

void DxfLine(std::ostream& out, const TCad_Entity& entity, const TPoint3& from, const TPoint3& to) {
  Head(out, "LINE", entity, true);
  Coordinates(out, 10, from);
  Coordinates(out, 11, to);
}

// An end angle past the start angle, by a whole turn when it is not already.
long double EndPastStart(long double start, long double end) {
  return end <= start ? end + 360 : end;
}

}  // namespace

// ---- containers and inserts

void TCad_Container::ExportJwc(TCad_JwcTables& Tables, TCad_Insert* Insert) {
  for (const auto& item : Items) item->ExportJwc(Tables, Insert);
}

void TCad_Container::WriteDxf(std::ostream& Stream) {
  for (const auto& item : Items) item->WriteDxf(Stream);
}

void TCad_Insert::ExportJwc(TCad_JwcTables& Tables, TCad_Insert* Insert) {
  GoThrough(Insert, [&] { Block->ExportJwc(Tables, this); });
}

// ---- points, lines and arcs

void TCad_Point::ExportJwc(TCad_JwcTables& Tables, TCad_Insert* Insert) {
  SetParent(Insert);
  Tables.AddPoint(PageMm(*this, Position), Layer->Index);
}

void TCad_Point::WriteDxf(std::ostream& Stream) {
  SetParent(nullptr);
  Head(Stream, "POINT", *this, false);
  Coordinates(Stream, 10, PageMm(*this, Position));
}

// The record runs from P2, where the line is drawn from.
void TCad_Line::ExportJwc(TCad_JwcTables& Tables, TCad_Insert* Insert) {
  SetParent(Insert);
  Tables.AddLine(PageMm(*this, P2), PageMm(*this, P1), Layer->Index);
}

void TCad_Line::WriteDxf(std::ostream& Stream) {
  SetParent(nullptr);
  DxfLine(Stream, *this, PageMm(*this, P2), PageMm(*this, P1));
}

// The axis is turned like the drawn arc's: by the insert chain and the layer.
void TCad_Arc::ExportJwc(TCad_JwcTables& Tables, TCad_Insert* Insert) {
  SetParent(Insert);
  const long double flatness = Radii.X != 0 ? Radii.Y / Radii.X : 1;
  Tables.AddArc(PageMm(*this, Center), PtToMm(TransformRadii(Radii).X), flatness, StartAngle,
                EndAngle, TransformAngle(AxisAngle), Layer->Index);
}

void TCad_Arc::WriteDxf(std::ostream& Stream) {
  SetParent(nullptr);
  const TPoint3 centre = PageMm(*this, Center);
  const long double end = EndPastStart(StartAngle, EndAngle);
  if (AxisAngle == 0) {
    Head(Stream, "ARC", *this, true);
    Coordinates(Stream, 10, centre);
    Rounded(Stream, 40, Radii.X * Layer->Scale.X);
    Rounded(Stream, 50, StartAngle);
    Rounded(Stream, 51, end);
    return;
  }
  const long double axis = cad::DegToRad(AxisAngle);
  Head(Stream, "ELLIPSE", *this, true);
  Coordinates(Stream, 10, centre);
  Rounded(Stream, 40, Radii.X != 0 ? Radii.Y / Radii.X : 1);
  Rounded(Stream, 41, cad::DegToRad(StartAngle));
  Rounded(Stream, 42, cad::DegToRad(end));
  Rounded(Stream, 11, std::cos(axis) * Radii.X * Layer->Scale.X);
  Rounded(Stream, 21, std::sin(axis) * Radii.X * Layer->Scale.Y);
  Rounded(Stream, 31, 0);
}

// ---- texts

// The record's type is the largest whose characters are lower than the text's on the page;
// its base line runs half a character's width and gap per byte along the text.
void TCad_Text::ExportJwc(TCad_JwcTables& Tables, TCad_Insert* Insert) {
  SetParent(Insert);
  const long double height = PtToMm(TransformLengthY(Height));
  int type = kJwcTextTypes - 1;
  while (type > 1 && !(kJwcTextSizes[type].Height < height)) --type;
  const TJwcTextSize& size = kJwcTextSizes[type];
  const TPoint3 start = PageMm(*this, Position);
  const long double angle = cad::DegToRad(TransformAngle(Angle));
  const long double run = static_cast<long double>(Text.size()) * (size.Width + size.Spacing) / 2;
  const TPoint3 end{start.X + run * std::cos(angle), start.Y + run * std::sin(angle), 0};
  Tables.AddText(start, end, type, Text, Layer->Index);
}

void TCad_Text::WriteDxf(std::ostream& Stream) {
  SetParent(nullptr);
  const bool paper = PaperSized != 0 && !Text.empty();
  const long double height = paper ? Height * Page().Output.OutputScale : Height * Layer->Scale.Y;
  Head(Stream, "TEXT", *this, false);
  const TPoint3 position = PageMm(*this, Position);
  Plain(Stream, 10, position.X);
  Plain(Stream, 20, position.Y);
  Plain(Stream, 30, position.Z);
  Plain(Stream, 40, height);
  Plain(Stream, 50, Angle);
  Group(Stream, 1, paper ? TrimPaperText(Text) : Text);
  Plain(Stream, 41, HScale / 100);
}

// ---- paths

// The curve is drawn from its second vertex on: the first is a placeholder.
void TCad_Curve::WriteDxf(std::ostream& Stream) {
  SetParent(nullptr);
  for (std::size_t i = 2; i < Vertices.size(); ++i) {
    DxfLine(Stream, *this, PageMm(*this, Vertices[i - 1]->Point),
            PageMm(*this, Vertices[i]->Point));
  }
}

void TCad_PolyLine::ExportJwc(TCad_JwcTables& Tables, TCad_Insert* Insert) {
  SetParent(Insert);
  std::vector<TPoint3> points;
  for (const auto& vertex : Vertices) points.push_back(TransformPoint(vertex->Point));
  const auto segment = [&](const TPoint3& q, const TPoint3& p, long double bulge) {
    if (bulge != 0 && !BulgeArc(q, p, bulge).empty()) {
      // Counter-clockwise from the first angle to the second.
      const TBulgeCircle circle = BulgeCircle(q, p, bulge);
      const long double s = circle.Start * 180 / cad::kPi;
      const long double e = (circle.Start + circle.Sweep) * 180 / cad::kPi;
      const long double turn = s < 0 ? 360 : 0;
      Tables.AddArc(PointToMm(circle.Centre), PtToMm(circle.Radius), 1, (bulge > 0 ? s : e) + turn,
                    (bulge > 0 ? e : s) + turn, 0, Layer->Index);
    } else {
      Tables.AddLine(PointToMm(q), PointToMm(p), Layer->Index);
    }
  };
  for (std::size_t i = 1; i < points.size(); ++i) {
    segment(points[i - 1], points[i], Vertices[i - 1]->Bulge);
  }
  if (Closed != 0 && !points.empty())
    segment(points.back(), points.front(), Vertices.back()->Bulge);
}

void TCad_Spline::ExportJwc(TCad_JwcTables& Tables, TCad_Insert* Insert) {
  SetParent(Insert);
  const std::vector<TPoint3> path = PagePath();
  for (std::size_t i = 1; i < path.size(); ++i) {
    Tables.AddLine(PointToMm(path[i - 1]), PointToMm(path[i]), Layer->Index);
  }
}

}  // namespace kyrovane
