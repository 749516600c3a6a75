// Converts arbitrary bytes as a JWW drawing: read, build under settings that the last two
// bytes pick, and page output into a discarded stream. Nothing may crash, hang, grow without
// bound or throw.

#include <cstddef>
#include <cstdint>
#include <ios>
#include <ostream>
#include <streambuf>
#include <string_view>

#include "app/settings/ConversionContext.h"
#include "app/settings/Environment.h"
#include "cad/CadPage.h"
#include "import/JwwBuilder.h"
#include "import/TextVariables.h"
#include "import/jwwunit.h"

namespace {

using namespace kyrovane;

// Drops what is written but keeps the position, which the document writer reads back.
class DiscardingBuffer : public std::streambuf {
 protected:
  int overflow(int c) override {
    if (!traits_type::eq_int_type(c, traits_type::eof())) ++position_;
    return traits_type::not_eof(c);
  }
  std::streamsize xsputn(const char*, std::streamsize n) override {
    position_ += n;
    return n;
  }
  pos_type seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode) override {
    if (dir == std::ios_base::cur && off == 0) return position_;
    return pos_type(off_type(-1));
  }
  pos_type seekpos(pos_type pos, std::ios_base::openmode) override {
    position_ = pos;
    return pos;
  }

 private:
  off_type position_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  jwwunit::JwwData jww;
  if (!jwwunit::ParseJwwFile(bytes, jww)) return 0;

  const uint8_t flags = size > 0 ? data[size - 1] : 0;
  const uint8_t output = size > 1 ? data[size - 2] : 0;
  REnvironment env = DefaultEnvironment();
  env.UseSpline = flags & 0x01;
  env.UseColor = flags & 0x02;
  env.UseLayerColor = flags & 0x04;
  env.HalfScale = flags & 0x08;
  env.FitToPaper = flags & 0x10;
  env.PaperMode = flags & 0x20 ? 3 : 4;
  ConversionContext context;
  context.CurrentFileName = "/nonexistent/fuzz.jww";
  context.UseListMasks = flags & 0x80 ? 1 : 0;
  context.ListGroupMask = 0xFFFF;
  context.ListLayerMask.fill(0x5555);

  TCad_Page page;
  // Blocks fanning out reach the budget of inserted drawing at once; a small one keeps each
  // run within the fuzzer's time limit.
  page.InsertedDrawsPerPass = 100000;
  page.Output.DefaultFontName = env.TextFont;
  page.Output.ReverseOrder = jww.JwwHeader.ReverseOrderFlag > 0 ? 1 : 0;
  BuildJwwDrawing(page, jww, env, context, SystemClock(), flags & 0x40);

  DiscardingBuffer discard;
  std::ostream stream(&discard);
  const int rotations[4] = {0, 90, 180, 270};
  page.PrintToPdf(stream, output & 0x04 ? 2 : 1, false, rotations[output & 0x03]);
  return 0;
}
