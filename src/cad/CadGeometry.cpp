#include "cad/CadGeometry.h"

#include <cmath>

#include "cad/CadInsert.h"
#include "cad/CadPage.h"
#include "cad/Finite.h"

namespace kyrovane {
namespace {

// Outcode of a page point against the page rectangle: one bit per edge it lies beyond.
int Outcode(long double x, long double y, long double w, long double h) {
  return (x < 0 ? 1 : 0) | (x > w ? 2 : 0) | (y < 0 ? 4 : 0) | (y > h ? 8 : 0);
}

bool IsInside(long double x, long double y, long double w, long double h) {
  return x >= 0 && x <= w && y >= 0 && y <= h;
}

}  // namespace

// ---- points

TCad_Point::TCad_Point(TCad_Object* AOwner, TCad_Layer& ALayer) : TCad_Entity(AOwner, ALayer) {
  Pass = 1;
}

bool TCad_Point::IsOnPage(long double OffX, long double OffY, long double PageW,
                          long double PageH) const {
  const TPoint3 p = TransformPoint(Position);
  return IsInside(OffX + p.X, OffY + p.Y, PageW, PageH);
}

void TCad_Point::Draw(TCad_Insert* Insert, TPdfCanvas& Canvas, long double OffX, long double OffY,
                      std::uint8_t Pass) {
  SetParent(Insert);
  if (!DrawsIn(Pass)) return;
  TPDFPrinter& printer = Printer();
  const TPoint3 p = TransformPoint(Position);
  const long double x = OffX + p.X;
  const long double y = OffY + p.Y;
  if (!IsInside(x, y, printer.PageWidth(), printer.PageHeight())) return;
  const long double r = LineWidth * SizeFactor;
  if (!cad::AllWritable({r, LineWidth})) return;
  TLineType dot;
  dot.Values = {0};
  printer.DrawFilledCircle(Canvas, Color, r, r, x, y, LineWidth, dot);
}

// ---- lines

TCad_Line::TCad_Line(TCad_Object* AOwner, TCad_Layer& ALayer) : TCad_Entity(AOwner, ALayer) {
  Pass = 1;
}

bool TCad_Line::IsOnPage(long double OffX, long double OffY, long double PageW,
                         long double PageH) const {
  const TPoint3 a = TransformPoint(P1);
  const TPoint3 b = TransformPoint(P2);
  const int ca = Outcode(OffX + a.X, OffY + a.Y, PageW, PageH);
  const int cb = Outcode(OffX + b.X, OffY + b.Y, PageW, PageH);
  return (ca & cb) == 0;
}

void TCad_Line::Draw(TCad_Insert* Insert, TPdfCanvas& Canvas, long double OffX, long double OffY,
                     std::uint8_t Pass) {
  SetParent(Insert);
  if (!DrawsIn(Pass)) return;
  TPDFPrinter& printer = Printer();
  const long double w = printer.PageWidth();
  const long double h = printer.PageHeight();
  const TPoint3 a = TransformPoint(P2);
  const TPoint3 b = TransformPoint(P1);
  const long double x1 = OffX + a.X;
  const long double y1 = OffY + a.Y;
  const long double x2 = OffX + b.X;
  const long double y2 = OffY + b.Y;
  if ((Outcode(x1, y1, w, h) & Outcode(x2, y2, w, h)) != 0) return;
  if (!cad::AllWritable({x1, y1, x2, y2, LineWidth})) return;
  printer.DrawLine(Canvas, Color, x1, y1, x2, y2, static_cast<float>(LineWidth), DashPattern(),
                   Stroke != 0);
}

// ---- arcs

TArcSweep ArcSweep(long double AStart, long double AEnd) {
  if (AEnd == AStart) return {0, 360};
  TArcSweep sweep{AStart, AEnd > AStart ? AEnd : AEnd + 360};
  // Angles more than a turn apart draw the part of the turn they name, once.
  if (sweep.End - sweep.Start > 360 || sweep.End - sweep.Start <= 0) {
    long double turn = std::fmod(AEnd - AStart, 360.0L);
    if (turn <= 0) turn += 360;
    sweep.End = AStart + turn;
  }
  return sweep;
}

TCad_Arc::TCad_Arc(TCad_Object* AOwner, TCad_Layer& ALayer) : TCad_Entity(AOwner, ALayer) {
  Pass = 1;
}

std::unique_ptr<TCad_Arc> TCad_Arc::CreatePass2(TCad_Object* AOwner, TCad_Layer& ALayer) {
  auto arc = std::make_unique<TCad_Arc>(AOwner, ALayer);
  arc->Pass = 2;
  return arc;
}

bool TCad_Arc::IsOnPage(long double OffX, long double OffY, long double PageW,
                        long double PageH) const {
  const TPoint3 c = TransformPoint(Center);
  const TPoint3 r = TransformRadii(Radii);
  // Mirroring scales give negative radii; the box keeps its size.
  const long double rx = std::fabs(r.X);
  const long double ry = std::fabs(r.Y);
  const long double cx = OffX + c.X;
  const long double cy = OffY + c.Y;
  return cx + rx >= 0 && cx - rx <= PageW && cy + ry >= 0 && cy - ry <= PageH;
}

void TCad_Arc::Draw(TCad_Insert* Insert, TPdfCanvas& Canvas, long double OffX, long double OffY,
                    std::uint8_t Pass) {
  SetParent(Insert);
  if (!DrawsIn(Pass)) return;
  TPDFPrinter& printer = Printer();
  if (!IsOnPage(OffX, OffY, printer.PageWidth(), printer.PageHeight())) return;
  const TPoint3 c = TransformPoint(Center);
  const TPoint3 r = TransformRadii(Radii);
  const long double tilt = TransformAngle(AxisAngle);
  if (!cad::AllWritable({StartAngle, EndAngle})) return;
  const TArcSweep sweep = ArcSweep(StartAngle, EndAngle);
  const long double cx = OffX + c.X;
  const long double cy = OffY + c.Y;
  if (!cad::AllWritable({cx, cy, r.X, r.Y, tilt, LineWidth})) return;
  printer.DrawArc(Canvas, Color, r.X, r.Y, cx, cy, sweep.Start, sweep.End, tilt, LineWidth,
                  DashPattern(), Filled != 0);
}

}  // namespace kyrovane
