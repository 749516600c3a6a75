#pragma once

// A block definition placed into the drawing at a position with its own scale and rotation.
// Blocks may hold inserts of other blocks; a member of a block is then drawn through a chain
// of inserts, innermost first, each insert's Owner naming the insert that encloses it.

#include "cad/CadEntity.h"

namespace kyrovane {

// The composed placement of a chain of inserts: a block member's point p lies at
// Offset + Rot(Angle)(Scale.X * p.X, Scale.Y * p.Y) in the outermost insert's layer.
struct TInsertChain {
  long double Angle = 0;  // degrees
  TPoint3 Scale{1, 1, 1};
  TPoint3 Offset;  // millimetres
};

class TCad_Insert : public TCad_Entity {
 public:
  TCad_Insert(TCad_Object* AOwner, TCad_Layer& ALayer);

  void SetBlock(TCad_Block* ABlock) { Block = ABlock; }

  // Draws the block's members through this insert in every pass; each member draws in its
  // own pass. A block already being drawn further out in the chain (a block that inserts
  // itself, directly or through others), chains longer than kMaxChain and blocks beyond the
  // page's budget of inserted drawing are not drawn, and the page's notices count the insert.
  void Draw(TCad_Insert* Insert, TPdfCanvas& Canvas, long double OffX, long double OffY,
            std::uint8_t Pass) override;
  // The block's members placed by this insert, cut off as in drawing; the block is left as it
  // is.
  void ExportJwc(TCad_JwcTables& Tables, TCad_Insert* Insert) override;

  // The chain operations, called on the innermost insert. While the insert's block is gone
  // through, they take the chain kept when it was entered, so that every member placed
  // through it costs the same at any depth; otherwise they walk the chain.
  long double TotalAngle() const { return Chain().Angle; }
  TPoint3 TotalScale() const { return Chain().Scale; }
  TPoint3 TotalOffset() const { return Chain().Offset; }
  TInsertChain Chain() const;

  // The enclosing insert while drawing, null for an insert on a layer; counted in the page's
  // ChainLinksFollowed.
  const TCad_Insert* Enclosing() const;

  static constexpr int kMaxChain = 99;

  TPoint3 Position;
  TCad_Block* Block = nullptr;  // not owned
  TPoint3 Scale;
  long double Angle = 0;

 private:
  // Calls goThrough() with the block open inside Insert when Enter lets it in.
  template <class F>
  void GoThrough(TCad_Insert* Insert, F&& goThrough) {
    if (!Enter(Insert)) return;
    const TOpenBlock open(*this, Insert);
    goThrough();
  }
  // Whether the block is to be gone through inside Insert: not when the chain already goes
  // through it or would grow too long, nor when the page's budget of inserted members is
  // spent. Links the insert into the chain when it is. Costs the same whatever the depth, so
  // that the inserts turned away cost no more than the members the budget counts.
  bool Enter(TCad_Insert* Insert);

  // Marks the block as gone through inside AInsert, and keeps the chain of AInsert within
  // AEnclosing and its length, for as long as it lives.
  class TOpenBlock {
   public:
    TOpenBlock(TCad_Insert& AInsert, const TCad_Insert* AEnclosing);
    ~TOpenBlock();
    TOpenBlock(const TOpenBlock&) = delete;
    TOpenBlock& operator=(const TOpenBlock&) = delete;

   private:
    TCad_Insert& insert_;
  };

  // Set while the block is open inside this insert: the chain from the outermost insert to
  // this one, and the number of inserts in it.
  bool open_ = false;
  TInsertChain openChain_;
  int openDepth_ = 0;
};

}  // namespace kyrovane
