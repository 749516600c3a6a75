// Damaged drawings: every prefix is refused, and a file with any one byte changed is refused or
// read consistently, never read out of bounds (these tests run under the sanitizers).

#include <gtest/gtest.h>

#include "import/common/damage.h"
#include "import/jwc/jwc_writer.h"
#include "import/jwcunit.h"

namespace kyrovane {
namespace {

std::vector<std::string> TestFiles() {
  test::JwcDrawing repaired = test::SampleJwcDrawing();
  repaired.Lines[0].PenColor = 7;
  repaired.Texts[1].TextType = 11;
  test::JwcDrawing empty;
  empty.ScaleDivisor = 0;
  return {test::WriteJwc(test::SampleJwcDrawing(true)),
          test::WriteJwc(test::SampleJwcDrawing(false)), test::WriteJwc(repaired),
          test::WriteJwc(empty)};
}

// What a read must satisfy whether or not it succeeded.
std::string Inconsistency(const JwcReadResult& result, const JwcData& data) {
  const jwcunit::THeader& header = data.JwcHeader;
  if (result.Ok == !result.Error.empty()) return "success and error disagree";
  if ((result.Repairs > 0) == result.Notice.empty()) return "repairs without notice";
  if (result.Ok && (data.JwcLines.size() != static_cast<std::size_t>(header.LineCount) ||
                    data.JwcArcs.size() != static_cast<std::size_t>(header.ArcCount) ||
                    data.JwcTexts.size() != static_cast<std::size_t>(header.TextCount) ||
                    data.JwcPoints.size() != static_cast<std::size_t>(header.PointCount))) {
    return "records differ from the declared counts";
  }
  int64_t poolSize = std::max<int64_t>(0, int64_t{header.PoolEnd} - header.PoolStart);
  for (const TMoji2& text : data.JwcTexts) {
    if (static_cast<int64_t>(text.Text.size()) > poolSize) return "text longer than the pool";
  }
  for (const TJwcLine& line : data.JwcLines) {
    if (line.PenColor < 1 || line.PenColor > 6 || line.LineType < 1 || line.LineType > 19) {
      return "line left unrepaired";
    }
  }
  if (header.Scale <= 0) return "scale not positive";
  return {};
}

TEST(JwcDamage, EveryPrefixIsRefused) {
  for (const std::string& file : TestFiles()) {
    test::CheckEveryPrefix(file, [](std::string_view bytes) -> std::string {
      JwcData data;
      JwcReadResult result = ReadJwcData(bytes, data);
      if (result.Ok) return "a cut file was read as whole";
      return Inconsistency(result, data);
    });
  }
}

// The four header blocks, and the header, the tables and the records of the test files; the
// names after them are plain text.
constexpr std::size_t kTextHeader = 4 * 200;
constexpr std::size_t kHeaderTablesAndRecords = 2700;

TEST(JwcDamage, EverySingleByteChangeIsRefusedOrReadConsistently) {
  JwcData data;  // reused, so every read must replace what the one before left
  // Both layouts of the group scales; the other test files differ only in record values.
  for (bool formatMark : {true, false}) {
    std::string file = test::WriteJwc(test::SampleJwcDrawing(formatMark));
    test::CheckEveryByteChange(
        file, kTextHeader, kHeaderTablesAndRecords,
        [&](std::string_view bytes) { return Inconsistency(ReadJwcData(bytes, data), data); });
  }
}

}  // namespace
}  // namespace kyrovane
