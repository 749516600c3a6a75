#include "cad/CadContainer.h"

#include <cmath>
#include <limits>

#include "cad/CadEntity.h"
#include "cad/CadPage.h"

namespace kyrovane {

std::string ShortName(std::string_view AName) {
  return std::string(AName.substr(0, 255));
}

TCad_Container::TCad_Container(TCad_Object* AOwner, std::string_view AName, TCad_Page& APage)
    : TCad_Object(AOwner),
      Page(APage),
      Name(ShortName(AName)),
      cachedAngle_(std::numeric_limits<long double>::quiet_NaN()) {}

TCad_Container::~TCad_Container() = default;

int TCad_Container::Add(std::unique_ptr<TCad_Entity> Item) {
  Items.push_back(std::move(Item));
  return Count() - 1;
}

void TCad_Container::Draw(TCad_Insert* Insert, TPdfCanvas& Canvas, long double OffX,
                          long double OffY, std::uint8_t Pass) {
  if (Page.Output.ReverseOrder) {
    for (auto it = Items.rbegin(); it != Items.rend(); ++it) {
      (*it)->Draw(Insert, Canvas, OffX, OffY, Pass);
    }
  } else {
    for (const auto& item : Items) item->Draw(Insert, Canvas, OffX, OffY, Pass);
  }
}

TPoint3 TCad_Container::LayerTransform(const TPoint3& q) const {
  if (!(Angle == cachedAngle_)) {
    const long double radians = cad::DegToRad(Angle);
    sin_ = std::sin(radians);
    cos_ = std::cos(radians);
    cachedAngle_ = Angle;
  }
  const long double tx = q.X * Scale.X;
  const long double ty = q.Y * Scale.Y;
  const long double ux = tx + MmToPt(Origin.X * Scale.X);
  const long double uy = ty + MmToPt(Origin.Y * Scale.Y);
  return {ux * cos_ - uy * sin_, ux * sin_ + uy * cos_, 0};
}

}  // namespace kyrovane
