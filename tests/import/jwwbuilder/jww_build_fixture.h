#pragma once

// Drawings made record by record: written as a JWW file, read back with the reader and built
// into a model with the settings, list masks and clock a test sets.

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <variant>
#include <vector>

#include <gmock/gmock.h>

#include "app/settings/ConversionContext.h"
#include "app/settings/Environment.h"
#include "cad/CadGeometry.h"
#include "cad/CadInsert.h"
#include "cad/CadPage.h"
#include "cad/CadPolyLine.h"
#include "cad/CadText.h"
#include "import/jwwrecords.h"
#include "import/support/fixed_clock.h"

namespace kyrovane::test {

using JwwRecord =
    std::variant<jwwunit::CDataSen, jwwunit::CDataEnko, jwwunit::CDataTen, jwwunit::CDataMoji,
                 jwwunit::CDataSunpou, jwwunit::CDataSolid, jwwunit::CDataBlock>;

// The settings, list masks, clock and margins of a build, and the page it fills: the default
// settings and the drawing /plans/a.jww.
class BuildInputs {
 public:
  BuildInputs();

  TCad_Layer& Layer(int index);

  REnvironment env;
  ConversionContext context;
  FixedClock clock;
  long double marginX = 0;
  long double marginY = 0;
  TCad_Page page;

 protected:
  // Resets the page and gives it the margins, as the driver does before a build.
  void ResetPage();
};

class JwwBuild : public BuildInputs {
 public:
  // Every layer group and layer visible.
  JwwBuild();

  template <class Rec>
  JwwBuild& Add(const Rec& rec) {
    records_.emplace_back(rec);
    return *this;
  }
  // A block definition of that number on layer group x 16 + layer, with its members.
  JwwBuild& Block(uint32_t number, std::vector<JwwRecord> members, int layerGroup = 0,
                  int layer = 0);

  // The drawing's random line type t (11..15) with the given teeth.
  void SetRandomType(int t, uint32_t pitch, uint32_t width, uint32_t pattern);

  // Writes the drawing, reads it and builds it into page, which is reset first and then gets
  // the margins, as the driver does.
  TCad_Page& Build(bool allArea = false);

  TCad_Block& BlockNamed(const std::string& name);

  jwwunit::JWWHead head;

 private:
  struct Definition {
    jwwunit::CDataList list;
    std::vector<JwwRecord> members;
  };
  std::vector<JwwRecord> records_;
  std::vector<Definition> blocks_;
};

// Item i of a container as the entity class T; throws when it is missing or of another class.
template <class T>
T& Item(TCad_Container& container, int i) {
  if (i >= container.Count()) throw std::out_of_range("no item " + std::to_string(i));
  T* item = dynamic_cast<T*>(container.GetItem(i));
  if (item == nullptr)
    throw std::runtime_error("item " + std::to_string(i) + " is no " + typeid(T).name());
  return *item;
}

// The points of a curve's or polyline's vertices.
template <class Path>
std::vector<TPoint3> Points(const Path& path) {
  std::vector<TPoint3> points;
  for (int i = 0; i < path.VertexCount(); ++i) points.push_back(path.GetVertex(i)->Point);
  return points;
}

// Half-sheet offset of the default sheet (paper code 0), mm.
inline constexpr long double kHalfX = 594.5L;
inline constexpr long double kHalfY = 420.5L;

// Points equal within a nanometre.
MATCHER_P2(IsPoint, x, y, "") {
  return std::fabs(arg.X - (x)) < 1e-9L && std::fabs(arg.Y - (y)) < 1e-9L && arg.Z == 0;
}
// The points moved by (dx, dy).
std::vector<TPoint3> Shifted(std::vector<TPoint3> points, long double dx, long double dy);

// A record head: line type, pen, layer group and layer.
jwwunit::JWWEntityHead Head(int lineType = 1, int pen = 1, int layerGroup = 0, int layer = 0);

jwwunit::CDataSen Line(double x1, double y1, double x2, double y2,
                       jwwunit::JWWEntityHead head = Head());
jwwunit::CDataEnko Arc(double cx, double cy, double r, double start, double sweep,
                       jwwunit::JWWEntityHead head = Head());
jwwunit::CDataMoji Text(const std::string& text, double x, double y, double endX, double endY,
                        jwwunit::JWWEntityHead head = Head());
jwwunit::CDataBlock Insert(uint32_t number, double x, double y,
                           jwwunit::JWWEntityHead head = Head());

}  // namespace kyrovane::test
