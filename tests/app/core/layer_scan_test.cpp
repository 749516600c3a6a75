// The scan of the layers a drawing uses: records of every kind, block inserts counting for
// their own layer through nested and cyclic blocks, JWC drawings, and drawings with nothing
// to scan.

#include "app/core/LayerScan.h"

#include <gtest/gtest.h>

#include "app/core/DrawingFiles.h"
#include "app/core/scripted_ui.h"
#include "import/jwc/jwc_writer.h"
#include "import/jww/jww_samples.h"
#include "import/support/jww_writer.h"
#include "support/test_support.h"

namespace kyrovane {
namespace {

namespace s = jwwunit::samples;
using Masks = std::array<uint16_t, 16>;

struct LayerScanTest : ::testing::Test {
  TListEntry Scan(const std::filesystem::path& path) {
    TListEntry entry{path.string(), {}};
    entry.Param.Memo = "kept";
    ScanUsedLayers(entry, ui);
    return entry;
  }

  test::TempDir dir;
  test::ScriptedUi ui;
};

// The sample records sit on layer address = their seed (group x 16 + layer).
TEST_F(LayerScanTest, JwwRecordsMarkTheirLayersAndInsertsWhatTheirBlocksHold) {
  jwwunit::JWWHead head = test::DefaultJwwHead();
  head.Memo = "\x90\x7d\x96\xca";  // 図面
  jwwunit::CDataSen outside = s::Line(0x05);
  outside.Head.LayerGroup = 16;
  test::JwwWriter writer(head);
  writer.Count(10).Object(s::Line(0x02)).Object(s::Arc(0x03)).Object(s::Point(0x04));
  writer.Object(s::Solid(0x11, 1)).Object(s::Text(0x13)).Object(s::Dim(0x40)).Object(outside);
  writer.Object(s::Insert(0x25, 1));  // texts only
  writer.Object(s::Insert(0x60, 2));  // 2 and 3 insert each other; 3 holds a line
  writer.Object(s::Insert(0x70, 9));  // no such block
  writer.Word(3);
  writer.Object(s::Definition(1, 1)).Object(s::Text(0xA0));
  writer.Object(s::Definition(2, 1)).Object(s::Insert(0xA1, 3));
  writer.Object(s::Definition(3, 2)).Object(s::Insert(0xA2, 2)).Object(s::Line(0xA3));
  test::WriteFile(dir / "plan.JWW", writer.Data());

  const TParam param = Scan(dir / "plan.JWW").Param;
  EXPECT_EQ(param.UsedLayerMask, (Masks{0x001C, 0x0002, 0, 0, 0x0001, 0, 0x0001}));
  EXPECT_EQ(param.TextLayerMask, (Masks{0, 0x0008, 0x0020, 0, 0x0001}));
  EXPECT_EQ(param.UsedGroupMask, 0x0053);
  EXPECT_EQ(param.TextGroupMask, 0x0016);
  EXPECT_EQ(param.Memo, "図面");
  EXPECT_TRUE(param.Scanned);
  EXPECT_EQ(param.Masks(), TLayerMasks{});  // the output choice is not touched
}

TEST_F(LayerScanTest, JwcLinesArcsAndPointsAreGraphicsTextsAreText) {
  test::JwcDrawing jwc;
  jwc.Memo = "old";
  jwc.Lines = {{.LineType = 1, .PenColor = 1, .Layer = 0x12}};
  jwc.Arcs = {{.Layer = 0x13}};
  jwc.Points = {{.Layer = 0xFF, .PenColor = 1}};
  jwc.Pool = std::string("abc\0", 4);
  jwc.Texts = {{.TextType = 1, .Layer = 0x35}};
  test::WriteFile(dir / "old.jwc", test::WriteJwc(jwc));

  const TParam param = Scan(dir / "old.jwc").Param;
  EXPECT_EQ(param.UsedLayerMask, (Masks{0, 0x000C, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x8000}));
  EXPECT_EQ(param.TextLayerMask, (Masks{0, 0, 0, 0x0020}));
  EXPECT_EQ(param.UsedGroupMask, 0x8002);
  EXPECT_EQ(param.TextGroupMask, 0x0008);
  EXPECT_EQ(param.Memo, "old");
  EXPECT_TRUE(ui.Messages.empty());
}

TEST_F(LayerScanTest, DrawingsWithNothingToScanAreScannedEmptyAndDamagedOnesAreNot) {
  test::WriteFile(dir / "bad.jww", "not a drawing");
  test::WriteFile(dir / "bad.jwc", "not a drawing");
  test::WriteFile(dir / "parts.jwk", "anything");
  for (const char* name : {"missing.jww", "bad.jww", "bad.jwc", "parts.jwk"}) {
    const TParam param = Scan(dir / name).Param;
    EXPECT_TRUE(param.Scanned) << name;
    EXPECT_EQ(param.Memo, "kept") << name;
    EXPECT_EQ(param.UsedGroupMask | param.TextGroupMask, 0) << name;
  }
  const std::string whole = test::TwoLayerLines();
  test::WriteFile(dir / "cut.jww", whole.substr(0, whole.size() - 10));
  TListEntry cut{(dir / "cut.jww").string(), {}};
  EXPECT_TRUE(test::MessageOf([&] {
                ScanUsedLayers(cut, ui);
              }).starts_with(cut.Path + "\r\nは、壊れているため変換できません。"));
  EXPECT_FALSE(cut.Param.Scanned);
  EXPECT_TRUE(ui.Messages.empty());
}

}  // namespace
}  // namespace kyrovane
