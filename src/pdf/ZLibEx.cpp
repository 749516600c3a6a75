#include "pdf/ZLibEx.h"

#include <zlib.h>

#include "pdf/ParallelDeflate.h"

namespace kyrovane {
namespace {

int ZLibLevel(TZCompressionLevel level) {
  switch (level) {
    case zcNone:
      return Z_NO_COMPRESSION;
    case zcFastest:
      return Z_BEST_SPEED;
    case zcDefault:
      return Z_DEFAULT_COMPRESSION;
    case zcMax:
      return Z_BEST_COMPRESSION;
  }
  return Z_BEST_COMPRESSION;
}

const char* ZLibMessage(int code) {
  switch (code) {
    case Z_ERRNO:
      return "file error";
    case Z_STREAM_ERROR:
      return "stream error";
    case Z_DATA_ERROR:
      return "data error";
    case Z_MEM_ERROR:
      return "insufficient memory";
    case Z_BUF_ERROR:
      return "buffer error";
    case Z_VERSION_ERROR:
      return "incompatible version";
  }
  return "";
}

}  // namespace

int ZCompressCheck(int code) {
  if (code < 0) throw EZCompressionError(ZLibMessage(code));
  return code;
}

void ZCompressStream(const TZReadFunc& input, const TZWriteFunc& output, TZCompressionLevel level) {
  ParallelZCompress(input, output, ZLibLevel(level), DeflateThreadCount());
}

}  // namespace kyrovane
