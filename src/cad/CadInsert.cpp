#include "cad/CadInsert.h"

#include <array>
#include <cmath>

#include "cad/CadPage.h"

namespace kyrovane {

TCad_Insert::TCad_Insert(TCad_Object* AOwner, TCad_Layer& ALayer) : TCad_Entity(AOwner, ALayer) {
  Pass = 0;
}

const TCad_Insert* TCad_Insert::Enclosing() const {
  ++Page().ChainLinksFollowed;
  return dynamic_cast<const TCad_Insert*>(Owner);
}

namespace {

// The chain of an insert within the chain of the inserts that enclose it: its position is
// turned by their angles and scaled by their scales.
TInsertChain Within(TInsertChain chain, const TCad_Insert& I) {
  const long double x = chain.Scale.X * I.Position.X;
  const long double y = chain.Scale.Y * I.Position.Y;
  const long double b = cad::DegToRad(chain.Angle);
  chain.Offset.X += x * std::cos(b) - y * std::sin(b);
  chain.Offset.Y += x * std::sin(b) + y * std::cos(b);
  chain.Angle += I.Angle;
  chain.Scale.X *= I.Scale.X;
  chain.Scale.Y *= I.Scale.Y;
  chain.Scale.Z *= I.Scale.Z;
  return chain;
}

}  // namespace

TInsertChain TCad_Insert::Chain() const {
  if (open_) return openChain_;
  std::array<const TCad_Insert*, kMaxChain> links{};
  std::size_t n = 0;
  for (const TCad_Insert* I = this; I != nullptr && n < links.size(); I = I->Enclosing()) {
    links[n++] = I;
  }
  // From the outermost insert inwards.
  TInsertChain chain;
  while (n > 0) chain = Within(chain, *links[--n]);
  return chain;
}

bool TCad_Insert::Enter(TCad_Insert* Insert) {
  if (Block == nullptr) {
    SetParent(Insert);
    return false;
  }
  // The enclosing inserts are all open: their blocks are marked and the innermost knows the
  // length of the chain. The guard runs before Owner is rewritten, so that a rejected insert
  // never links to itself.
  const int depth = Insert != nullptr ? Insert->openDepth_ : 0;
  if (Block->Open || depth >= kMaxChain || !Page().ChargeInsertedDraws(Block->Count())) {
    Page().NoteCutInsert(*this);
    return false;
  }
  SetParent(Insert);
  return true;
}

TCad_Insert::TOpenBlock::TOpenBlock(TCad_Insert& AInsert, const TCad_Insert* AEnclosing)
    : insert_(AInsert) {
  insert_.openChain_ =
      Within(AEnclosing != nullptr ? AEnclosing->Chain() : TInsertChain{}, insert_);
  insert_.openDepth_ = (AEnclosing != nullptr ? AEnclosing->openDepth_ : 0) + 1;
  insert_.open_ = true;
  insert_.Block->Open = true;
}

TCad_Insert::TOpenBlock::~TOpenBlock() {
  insert_.Block->Open = false;
  insert_.open_ = false;
}

void TCad_Insert::Draw(TCad_Insert* Insert, TPdfCanvas& Canvas, long double OffX, long double OffY,
                       std::uint8_t Pass) {
  if (Visible == 0) {
    SetParent(Insert);
    return;
  }
  GoThrough(Insert, [&] { Block->Draw(this, Canvas, OffX, OffY, Pass); });
}

}  // namespace kyrovane
