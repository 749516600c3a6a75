#include "cad/CadEntity.h"

#include <cmath>

#include "cad/CadInsert.h"
#include "cad/CadPage.h"

namespace kyrovane {

TCad_Entity::TCad_Entity(TCad_Object* AOwner, TCad_Layer& ALayer)
    : TCad_Object(AOwner), Layer(&ALayer) {
  LineType = ALayer.Page.FindLineType(ALayer.LineTypeName);
  Visible = ALayer.Visible;
  Color = ALayer.Color;
}

void TCad_Entity::SetLineType(const std::string& AName) {
  LineType = Page().FindLineType(AName);
}

const TCad_Insert* TCad_Entity::CurrentInsert() const {
  return dynamic_cast<const TCad_Insert*>(Owner);
}

TPDFPrinter& TCad_Entity::Printer() const {
  return *Page().Printer;
}

TPoint3 TCad_Entity::TransformPoint(const TPoint3& P) const {
  const TCad_Insert* insert = CurrentInsert();
  if (insert == nullptr) return Layer->LayerTransform(PointToPt(P));
  const TInsertChain chain = insert->Chain();
  const long double mx = chain.Scale.X * P.X;
  const long double my = chain.Scale.Y * P.Y;
  const long double a = cad::DegToRad(chain.Angle);
  const long double rx = mx * std::cos(a) - my * std::sin(a);
  const long double ry = mx * std::sin(a) + my * std::cos(a);
  return Layer->LayerTransform({MmToPt(chain.Offset.X + rx), MmToPt(chain.Offset.Y + ry), 0});
}

TPoint3 TCad_Entity::TransformRadii(const TPoint3& R) const {
  const TCad_Insert* insert = CurrentInsert();
  const TPoint3 s = insert != nullptr ? insert->TotalScale() : TPoint3{1, 1, 1};
  return {MmToPt(R.X) * s.X * Layer->Scale.X, MmToPt(R.Y) * s.Y * Layer->Scale.Y, 0};
}

long double TCad_Entity::TransformAngle(long double A) const {
  const TCad_Insert* insert = CurrentInsert();
  return A + (insert != nullptr ? insert->TotalAngle() : 0) + Layer->Angle;
}

long double TCad_Entity::TransformLengthX(long double L) const {
  return MmToPt(InsertScaledX(L)) * Layer->Scale.X;
}

long double TCad_Entity::TransformLengthY(long double L) const {
  return MmToPt(InsertScaledY(L)) * Layer->Scale.Y;
}

long double TCad_Entity::InsertScaledX(long double L) const {
  const TCad_Insert* insert = CurrentInsert();
  return insert != nullptr ? L * insert->TotalScale().X : L;
}

long double TCad_Entity::InsertScaledY(long double L) const {
  const TCad_Insert* insert = CurrentInsert();
  return insert != nullptr ? L * insert->TotalScale().Y : L;
}

const TLineType& TCad_Entity::DashPattern() const {
  static const TLineType solid;
  return LineType != nullptr ? LineType->Pattern() : solid;
}

}  // namespace kyrovane
