// Damaged parts files: every prefix is refused, and a file with any one byte changed is refused
// or read consistently, never read out of bounds (these tests run under the sanitizers).

#include <gtest/gtest.h>

#include "import/common/damage.h"
#include "import/jwk/jwk_writer.h"
#include "import/jwkunit.h"
#include "support/test_support.h"

namespace kyrovane {
namespace {

std::vector<std::string> TestFiles() {
  std::vector<std::string> files = {test::WriteJwk(test::SampleJwkDrawing())};
  for (const char* name : {"jw/B-KIT.JWK", "jw/DESK.JWK", "jw/選択拡張子.jwk"}) {
    files.push_back(test::ReadFile(test::SharedTestData(name)));
  }
  return files;
}

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

TEST(JwkDamage, EveryPrefixIsRefused) {
  for (const std::string& file : TestFiles()) {
    test::CheckEveryPrefix(file, [](std::string_view bytes) -> std::string {
      JwkData data;
      JwkReadResult result = ReadJwkData(bytes, data);
      if (result.Ok) return "a cut file was read as whole";
      return Inconsistency(result, data);
    });
  }
}

constexpr std::size_t kTextHeader = 2 * 200;  // the two header lines

TEST(JwkDamage, EverySingleByteChangeIsRefusedOrReadConsistently) {
  JwkData data;  // reused, so every read must replace what the one before left
  for (const std::string& file : TestFiles()) {
    test::CheckEveryByteChange(file, kTextHeader, file.size(), [&](std::string_view bytes) {
      return Inconsistency(ReadJwkData(bytes, data), data);
    });
  }
}

}  // namespace
}  // namespace kyrovane
