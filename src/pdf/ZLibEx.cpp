#include "pdf/ZLibEx.h"

#include <zlib.h>

#include <array>
#include <vector>

#include "pdf/ParallelDeflate.h"

namespace kyrovane {
namespace {

constexpr std::size_t kBufferSize = 32768;

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

// Ends the deflate stream on every way out; a failure to end it is reported only when
// nothing else failed first.
class Deflater {
 public:
  explicit Deflater(int level) {
    ZCompressCheck(deflateInit2(&stream_, level, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY));
  }
  ~Deflater() {
    if (!ended_) deflateEnd(&stream_);
  }
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;

  // Runs deflate over the given input until it is consumed (when finishing, until the stream
  // ends), handing what each round produced to the writer.
  void Run(char* input, std::size_t size, int flush, const TZWriteFunc& output) {
    stream_.next_in = reinterpret_cast<Bytef*>(input);
    stream_.avail_in = static_cast<uInt>(size);
    int code;
    do {
      stream_.next_out = out_.data();
      stream_.avail_out = static_cast<uInt>(out_.size());
      code = deflate(&stream_, flush);
      // "No progress possible" only tells that the last round filled the buffer exactly.
      if (code != Z_BUF_ERROR) ZCompressCheck(code);
      std::size_t produced = out_.size() - stream_.avail_out;
      if (produced > 0) output(reinterpret_cast<const char*>(out_.data()), produced);
    } while (stream_.avail_out == 0 || (flush == Z_FINISH && code != Z_STREAM_END));
  }

  void End() {
    ended_ = true;
    ZCompressCheck(deflateEnd(&stream_));
  }

 private:
  z_stream stream_{};
  std::array<Bytef, kBufferSize> out_;
  bool ended_ = false;
};

}  // namespace

int ZCompressCheck(int code) {
  if (code < 0) throw EZCompressionError(ZLibMessage(code));
  return code;
}

void ZCompressStream(const TZReadFunc& input, const TZWriteFunc& output, TZCompressionLevel level) {
  // Large streams are spread over the cores; a stream of one piece comes out as written here.
  if (const unsigned threads = DeflateThreadCount(); threads > 1) {
    ParallelZCompress(input, output, ZLibLevel(level), threads);
    return;
  }
  Deflater deflater(ZLibLevel(level));
  std::vector<char> in(kBufferSize);
  while (std::size_t read = input(in.data(), in.size())) {
    deflater.Run(in.data(), read, Z_NO_FLUSH, output);
  }
  deflater.Run(nullptr, 0, Z_FINISH, output);
  deflater.End();
}

}  // namespace kyrovane
