#pragma once

// Named owning lists of entities: the layers of the drawing and the block definitions that
// inserts draw. Only a layer's origin, scale and angle take part in the transform.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cad/CadObject.h"

namespace kyrovane {

class TCad_Entity;
class TCad_Page;

class TCad_Container : public TCad_Object {
 public:
  TCad_Container(TCad_Object* AOwner, std::string_view AName, TCad_Page& APage);
  ~TCad_Container() override;

  TCad_Entity* GetItem(int I) const { return Items.at(static_cast<std::size_t>(I)).get(); }
  int Count() const { return static_cast<int>(Items.size()); }
  // Takes ownership of the entity and returns its index.
  int Add(std::unique_ptr<TCad_Entity> Item);

  // Every child in list order.
  void ExportJwc(TCad_JwcTables& Tables, TCad_Insert* Insert) override;
  void WriteDxf(std::ostream& Stream) override;

  // Draws every child, first to last, or last to first when the page draws in reverse order.
  // The container's own Visible is not consulted.
  void Draw(TCad_Insert* Insert, TPdfCanvas& Canvas, long double OffX, long double OffY,
            std::uint8_t Pass) override;

  // Steps 2 to 5 of the model-to-page transform: scales a point given in page points and its
  // origin alike, shifts it by the origin and turns it about the page origin by Angle.
  TPoint3 LayerTransform(const TPoint3& q) const;

  TCad_Page& Page;
  std::string Name;  // at most 255 bytes
  TPoint3 Origin;
  TPoint3 Scale;
  long double Angle = 0;
  std::string LineTypeName;
  std::int32_t Color = 0;

 private:
  std::vector<std::unique_ptr<TCad_Entity>> Items;
  // Sine and cosine of Angle, recomputed when Angle changes: a page of a million lines
  // transforms two million points through one layer.
  mutable long double cachedAngle_;
  mutable long double sin_ = 0;
  mutable long double cos_ = 1;
};

class TCad_Layer : public TCad_Container {
 public:
  using TCad_Container::TCad_Container;

  int Index = 0;  // position in the page's layer list
};

class TCad_Objects : public TCad_Container {
 public:
  using TCad_Container::TCad_Container;
};

class TCad_Block : public TCad_Objects {
 public:
  TCad_Block(TCad_Object* AOwner, std::string_view AName, TCad_Layer* ALayer, TCad_Page& APage)
      : TCad_Objects(AOwner, AName, APage), Layer(ALayer) {}

  TCad_Layer* Layer;  // the layer the block belongs to, not owned
  bool Open = false;  // while an insert goes through the block
};

// Container and entity names are short strings of at most 255 bytes.
std::string ShortName(std::string_view AName);

}  // namespace kyrovane
