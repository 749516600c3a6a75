#include "cad/CadObject.h"

namespace kyrovane {

bool TCad_Object::IsOnPage(long double, long double, long double, long double) const {
  return true;
}

void TCad_Object::Draw(TCad_Insert*, TPdfCanvas&, long double, long double, std::uint8_t) {}

int TCad_Line_Type::AddDash(long double ALength) {
  Dashes.push_back(ALength);
  return DashCount() - 1;
}

}  // namespace kyrovane
