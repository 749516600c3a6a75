#include "jww_build_fixture.h"

#include <gtest/gtest.h>

#include "import/JwwBuilder.h"
#include "import/jwwunit.h"
#include "import/support/jww_writer.h"

namespace kyrovane::test {

using namespace jwwunit;

BuildInputs::BuildInputs() : env(DefaultEnvironment()) {
  context.CurrentFileName = "/plans/a.jww";
}

void BuildInputs::ResetPage() {
  page.Reset();
  page.MarginX = marginX;
  page.MarginY = marginY;
}

TCad_Layer& BuildInputs::Layer(int index) {
  TCad_Layer* layer = page.FindLayer(std::to_string(index));
  if (layer == nullptr) throw std::out_of_range("no layer " + std::to_string(index));
  return *layer;
}

JwwBuild::JwwBuild() : head(DefaultJwwHead()) {
  for (JWWGroupRecord& group : head.Groups) {
    group.State = 2;
    for (JWWLayerRecord& layer : group.Layers) layer.State = 2;
  }
}

JwwBuild& JwwBuild::Block(uint32_t number, std::vector<JwwRecord> members, int layerGroup,
                          int layer) {
  CDataList list;
  list.Head = Head(1, 1, layerGroup, layer);
  list.BlockNumber = number;
  list.Name = "block" + std::to_string(number);
  list.MemberCount = static_cast<uint32_t>(members.size());
  blocks_.push_back({list, std::move(members)});
  return *this;
}

void JwwBuild::SetRandomType(int t, uint32_t pitch, uint32_t width, uint32_t pattern) {
  JWWRandomLineType& type = head.RandomLineTypes[t - 11];
  type.Pitch = pitch;
  type.Width = width;
  type.Pattern = pattern;
}

TCad_Page& JwwBuild::Build(bool allArea) {
  JwwWriter writer(head);
  writer.Count(static_cast<uint32_t>(records_.size()));
  const auto write = [&](const JwwRecord& record) {
    std::visit([&](const auto& rec) { writer.Object(rec); }, record);
  };
  for (const JwwRecord& record : records_) write(record);
  for (const Definition& block : blocks_) {
    writer.Object(block.list, JwwWriter::Form::Shortest);
    for (const JwwRecord& member : block.members) write(member);
  }
  JwwData data;
  const JwwReadResult read = ParseJwwFile(writer.Data(), data);
  EXPECT_TRUE(read) << read.Reason;
  ResetPage();
  BuildJwwDrawing(page, data, env, context, clock, allArea);
  return page;
}

TCad_Block& JwwBuild::BlockNamed(const std::string& name) {
  TCad_Block* block = page.FindBlock(name);
  if (block == nullptr) throw std::out_of_range("no block " + name);
  return *block;
}

std::vector<TPoint3> Shifted(std::vector<TPoint3> points, long double dx, long double dy) {
  for (TPoint3& point : points) {
    point.X += dx;
    point.Y += dy;
  }
  return points;
}

JWWEntityHead Head(int lineType, int pen, int layerGroup, int layer) {
  JWWEntityHead head;
  head.LineType = static_cast<uint8_t>(lineType);
  head.PenColor = static_cast<uint16_t>(pen);
  head.LayerGroup = static_cast<uint16_t>(layerGroup);
  head.Layer = static_cast<uint16_t>(layer);
  return head;
}

CDataSen Line(double x1, double y1, double x2, double y2, JWWEntityHead head) {
  return {head, x1, y1, x2, y2};
}

CDataEnko Arc(double cx, double cy, double r, double start, double sweep, JWWEntityHead head) {
  CDataEnko arc;
  arc.Head = head;
  arc.CenterX = cx;
  arc.CenterY = cy;
  arc.Radius = r;
  arc.StartAngle = start;
  arc.ArcAngle = sweep;
  arc.Flatness = 1;
  return arc;
}

CDataMoji Text(const std::string& text, double x, double y, double endX, double endY,
               JWWEntityHead head) {
  CDataMoji rec;
  rec.Head = head;
  rec.StartX = x;
  rec.StartY = y;
  rec.EndX = endX;
  rec.EndY = endY;
  rec.TextType = 1;
  rec.Width = 3;
  rec.Height = 3;
  rec.Text = text;
  return rec;
}

CDataBlock Insert(uint32_t number, double x, double y, JWWEntityHead head) {
  return {head, x, y, 1, 1, 0, number};
}

}  // namespace kyrovane::test
