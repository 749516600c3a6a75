// Damaged parts files: every prefix is refused, and a file with any one byte changed is refused
// or read consistently, never read out of bounds (these tests run under the sanitizers).

#include <gtest/gtest.h>

#include "import/common/damage.h"
#include "import/jwk/jwk_writer.h"
#include "import/jwkunit.h"
#include "support/test_support.h"

namespace kyrovane {
namespace {

std::string Inconsistency(const JwkReadResult& result, const JwkData& data) {
  const jwkunit::THeader& header = data.JwkHeader;
  if (result.Ok == !result.Error.empty()) return "success and error disagree";
  if (result.Ok && (data.JwkLines.size() != static_cast<std::size_t>(header.LineCount) ||
                    data.JwkArcs.size() != static_cast<std::size_t>(header.ArcCount) ||
                    data.JwkPoints.size() != static_cast<std::size_t>(header.PointCount) ||
                    data.JwkTexts.size() != static_cast<std::size_t>(header.TextCount))) {
    return "records differ from the declared counts";
  }
  for (const TMoji2& text : data.JwkTexts) {
    if (static_cast<int64_t>(text.Text.size()) > std::max(0, header.PoolSize)) {
      return "text longer than the pool";
    }
  }
  return {};
}

// The written sample drawing (an empty name) and the parts files of the shared data.
class JwkDamage : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    if (GetParam().empty()) {
      file = test::WriteJwk(test::SampleJwkDrawing());
      return;
    }
    KYROVANE_NEEDS_SHARED_TESTDATA();
    file = test::ReadFile(test::SharedTestData(GetParam()));
  }

  std::string file;
};

TEST_P(JwkDamage, EveryPrefixIsRefused) {
  test::CheckEveryPrefix(file, [](std::string_view bytes) -> std::string {
    JwkData data;
    JwkReadResult result = ReadJwkData(bytes, data);
    if (result.Ok) return "a cut file was read as whole";
    return Inconsistency(result, data);
  });
}

constexpr std::size_t kTextHeader = 2 * 200;  // the two header lines

TEST_P(JwkDamage, EverySingleByteChangeIsRefusedOrReadConsistently) {
  JwkData data;  // reused, so every read must replace what the one before left
  test::CheckEveryByteChange(file, kTextHeader, file.size(), [&](std::string_view bytes) {
    return Inconsistency(ReadJwkData(bytes, data), data);
  });
}

INSTANTIATE_TEST_SUITE_P(Files, JwkDamage,
                         ::testing::Values("", "jw/B-KIT.JWK", "jw/DESK.JWK", "jw/選択拡張子.jwk"),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           return info.param.empty() ? std::string("Sample")
                                                     : "Shared" + std::to_string(info.index);
                         });

}  // namespace
}  // namespace kyrovane
