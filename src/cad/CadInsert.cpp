#include "cad/CadInsert.h"

#include <array>
#include <cmath>

#include "cad/CadPage.h"

namespace kyrovane {

TCad_Insert::TCad_Insert(TCad_Object* AOwner, TCad_Layer& ALayer) : TCad_Entity(AOwner, ALayer) {
  Pass = 0;
}

const TCad_Insert* TCad_Insert::Enclosing() const {
  return dynamic_cast<const TCad_Insert*>(Owner);
}

TInsertChain TCad_Insert::Chain() const {
  std::array<const TCad_Insert*, kMaxChain> links{};
  std::size_t n = 0;
  for (const TCad_Insert* I = this; I != nullptr && n < links.size(); I = I->Enclosing()) {
    links[n++] = I;
  }
  // From the outermost insert inwards: each position is turned by the angles and scaled by
  // the scales of the inserts that enclose it.
  TInsertChain chain;
  while (n > 0) {
    const TCad_Insert& I = *links[--n];
    const long double x = chain.Scale.X * I.Position.X;
    const long double y = chain.Scale.Y * I.Position.Y;
    const long double b = cad::DegToRad(chain.Angle);
    chain.Offset.X += x * std::cos(b) - y * std::sin(b);
    chain.Offset.Y += x * std::sin(b) + y * std::cos(b);
    chain.Angle += I.Angle;
    chain.Scale.X *= I.Scale.X;
    chain.Scale.Y *= I.Scale.Y;
    chain.Scale.Z *= I.Scale.Z;
  }
  return chain;
}

bool TCad_Insert::Enter(TCad_Insert* Insert) {
  if (Block == nullptr) {
    SetParent(Insert);
    return false;
  }
  // The guard runs before Owner is rewritten, so that a rejected insert never links to itself.
  int depth = 0;
  for (const TCad_Insert* I = Insert; I != nullptr; I = I->Enclosing()) {
    if (I->Block == Block || ++depth >= kMaxChain) {
      Page().NoteCutInsert(*this);
      return false;
    }
  }
  if (!Page().ChargeInsertedDraws(Block->Count())) {
    Page().NoteCutInsert(*this);
    return false;
  }
  SetParent(Insert);
  return true;
}

void TCad_Insert::Draw(TCad_Insert* Insert, TPdfCanvas& Canvas, long double OffX, long double OffY,
                       std::uint8_t Pass) {
  if (Visible == 0) {
    SetParent(Insert);
    return;
  }
  if (Enter(Insert)) Block->Draw(this, Canvas, OffX, OffY, Pass);
}

}  // namespace kyrovane
