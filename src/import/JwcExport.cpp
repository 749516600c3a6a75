#include "import/JwcExport.h"

#include "import/JwBuilderRules.h"

namespace kyrovane {
namespace {

constexpr uint8_t kPen = 1;
constexpr uint8_t kLineType = 1;

uint8_t LayerByte(int layer) {
  return static_cast<uint8_t>(layer);
}

}  // namespace

TJwcExportTables::TJwcExportTables(JwcData& data)
    : data_(data), scale_(SoundScale(data.JwcHeader.Scale)) {}

void TJwcExportTables::AddPoint(const TPoint3& P, int Layer) {
  TJwcPoint point;
  point.X = Units(P.X);
  point.Y = Units(P.Y);
  point.Layer = LayerByte(Layer);
  point.PenColor = kPen;
  data_.JwcPoints.push_back(point);
}

void TJwcExportTables::AddLine(const TPoint3& P1, const TPoint3& P2, int Layer) {
  TJwcLine line;
  line.X1 = Units(P1.X);
  line.Y1 = Units(P1.Y);
  line.X2 = Units(P2.X);
  line.Y2 = Units(P2.Y);
  line.LineType = kLineType;
  line.PenColor = kPen;
  line.Layer = LayerByte(Layer);
  data_.JwcLines.push_back(line);
}

void TJwcExportTables::AddArc(const TPoint3& Centre, long double Radius, long double Flatness,
                              long double StartAngle, long double EndAngle, long double AxisAngle,
                              int Layer) {
  TJwcArc arc;
  arc.CenterX = Units(Centre.X);
  arc.CenterY = Units(Centre.Y);
  arc.Radius = Units(Radius);
  arc.Ratio = static_cast<float>(Flatness);
  arc.StartAngle = static_cast<float>(StartAngle);
  arc.EndAngle = static_cast<float>(EndAngle);
  arc.AxisAngle = static_cast<float>(AxisAngle);
  arc.LineType = kLineType;
  arc.PenColor = kPen;
  arc.Layer = LayerByte(Layer);
  data_.JwcArcs.push_back(arc);
}

void TJwcExportTables::AddText(const TPoint3& Start, const TPoint3& End, int TextType,
                               const std::string& Text, int Layer) {
  TMoji2 text;
  text.X = Units(Start.X);
  text.Y = Units(Start.Y);
  text.X2 = Units(End.X);
  text.Y2 = Units(End.Y);
  text.TextType = static_cast<uint8_t>(TextType);
  text.Layer = LayerByte(Layer);
  text.Text = Text;
  data_.JwcTexts.push_back(text);
}

}  // namespace kyrovane
