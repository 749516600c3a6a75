#include "cad/CadObject.h"

#include <cmath>

namespace kyrovane {

bool TCad_Object::IsOnPage(long double, long double, long double, long double) const {
  return true;
}

void TCad_Object::ExportJwc(TCad_JwcTables&, TCad_Insert*) {}

void TCad_Object::WriteDxf(std::ostream&) {}

void TCad_Object::Draw(TCad_Insert*, TPdfCanvas&, long double, long double, std::uint8_t) {}

int TCad_Line_Type::AddDash(long double ALength) {
  Dashes.push_back(ALength);
  return DashCount() - 1;
}

const TLineType& TCad_Line_Type::Pattern() const {
  if (!patternMade_ || patternDashes_ != Dashes || !(patternPhase_ == Phase)) {
    pattern_ = DashPatternOf(this);
    patternDashes_ = Dashes;
    patternPhase_ = Phase;
    patternMade_ = true;
  }
  return pattern_;
}

TLineType DashPatternOf(const TCad_Line_Type* ALineType) {
  TLineType pattern;
  if (ALineType == nullptr) return pattern;
  pattern.Values.reserve(ALineType->Dashes.size());
  for (const long double length : ALineType->Dashes) {
    // A dash array must hold no negative length: a mirrored or negative pitch keeps its
    // magnitude, and a length that is not a number draws as the shortest dash.
    long double points = std::nearbyint(MmToPt(std::fabs(length)));
    if (length == 0 || !std::isfinite(points)) points = 1;
    pattern.Values.push_back(points);
  }
  const long double phase = std::nearbyint(ALineType->Phase);
  pattern.Phase = std::isfinite(phase) ? phase : 0;
  return pattern;
}

}  // namespace kyrovane
