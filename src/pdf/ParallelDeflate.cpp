#include "pdf/ParallelDeflate.h"

#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace kyrovane {

namespace {

constexpr std::size_t kWindowSize = 32 * 1024;

std::atomic<unsigned> configuredThreads{0};

struct Piece {
  std::vector<char> input;  // the dictionary (the input just before the piece), then the data
  std::size_t dictionarySize = 0;
  bool last = false;
  std::vector<char> output;
  uLong adler = 1;
  int error = Z_OK;
  bool done = false;

  std::size_t DataSize() const { return input.size() - dictionarySize; }
  const char* Data() const { return input.data() + dictionarySize; }
};

// The two header bytes zlib itself writes for a level (window 32 KB, no preset dictionary).
void AppendZlibHeader(int level, const TZWriteFunc& sink) {
  if (level == Z_DEFAULT_COMPRESSION) level = 6;
  unsigned levelFlags = level < 2 ? 0 : level < 6 ? 1 : level == 6 ? 2 : 3;
  unsigned header = (0x78u << 8) | (levelFlags << 6);
  header += 31 - header % 31;
  const char bytes[2] = {static_cast<char>(header >> 8), static_cast<char>(header & 0xFF)};
  sink(bytes, 2);
}

// Raw deflate of one piece, ending on a byte boundary, or with the final block for the last.
void CompressPiece(Piece& piece, int level) {
  z_stream zs{};
  piece.error = deflateInit2(&zs, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
  if (piece.error != Z_OK) return;
  if (piece.dictionarySize > 0) {
    piece.error = deflateSetDictionary(&zs, reinterpret_cast<const Bytef*>(piece.input.data()),
                                       static_cast<uInt>(piece.dictionarySize));
  }
  const std::size_t size = piece.DataSize();
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(piece.Data()));
  zs.avail_in = static_cast<uInt>(size);
  // Room for the worst case plus the empty stored block of the flush.
  piece.output.resize(deflateBound(&zs, static_cast<uLong>(size)) + 16);
  const int flush = piece.last ? Z_FINISH : Z_SYNC_FLUSH;
  std::size_t produced = 0;
  while (piece.error == Z_OK) {
    if (produced == piece.output.size()) piece.output.resize(piece.output.size() * 2);
    zs.next_out = reinterpret_cast<Bytef*>(piece.output.data() + produced);
    zs.avail_out = static_cast<uInt>(piece.output.size() - produced);
    int rc = deflate(&zs, flush);
    produced = piece.output.size() - zs.avail_out;
    if (rc == Z_STREAM_END) break;
    if (rc != Z_OK && rc != Z_BUF_ERROR) {
      piece.error = rc;
    } else if (!piece.last && zs.avail_in == 0 && zs.avail_out != 0) {
      break;
    }
  }
  int endCode = deflateEnd(&zs);
  if (piece.error == Z_OK && endCode != Z_OK && endCode != Z_DATA_ERROR) piece.error = endCode;
  piece.output.resize(produced);
  piece.adler = adler32(1, reinterpret_cast<const Bytef*>(piece.Data()), static_cast<uInt>(size));
}

// Workers that compress pieces in any order; the caller collects them in input order.
class PieceWorkers {
 public:
  PieceWorkers(unsigned count, int level) : level_(level) {
    for (unsigned i = 0; i < count; ++i) threads_.emplace_back([this] { Work(); });
  }
  ~PieceWorkers() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& thread : threads_) thread.join();
  }
  PieceWorkers(const PieceWorkers&) = delete;
  PieceWorkers& operator=(const PieceWorkers&) = delete;

  void Submit(std::shared_ptr<Piece> piece) {
    {
      std::lock_guard lock(mutex_);
      queue_.push_back(std::move(piece));
    }
    wake_.notify_one();
  }

  void WaitFor(const Piece& piece) {
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [&] { return piece.done; });
  }

 private:
  void Work() {
    for (;;) {
      std::shared_ptr<Piece> piece;
      {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
        if (stopping_) return;
        piece = std::move(queue_.front());
        queue_.pop_front();
      }
      try {
        CompressPiece(*piece, level_);
      } catch (const std::bad_alloc&) {
        piece->error = Z_MEM_ERROR;
      }
      {
        std::lock_guard lock(mutex_);
        piece->done = true;
      }
      finished_.notify_all();
    }
  }

  const int level_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable finished_;
  std::deque<std::shared_ptr<Piece>> queue_;
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

// Reads the next piece, primed with the last 32 KB of the previous one.
std::shared_ptr<Piece> ReadPiece(const TZReadFunc& source, const Piece* previous) {
  auto piece = std::make_shared<Piece>();
  if (previous) {
    std::size_t keep = std::min(kWindowSize, previous->DataSize());
    const char* end = previous->Data() + previous->DataSize();
    piece->input.assign(end - keep, end);
    piece->dictionarySize = keep;
  }
  std::size_t filled = 0;
  piece->input.resize(piece->dictionarySize + kDeflatePieceSize);
  while (filled < kDeflatePieceSize) {
    std::size_t got =
        source(piece->input.data() + piece->dictionarySize + filled, kDeflatePieceSize - filled);
    if (got == 0) break;
    filled += got;
  }
  piece->input.resize(piece->dictionarySize + filled);
  return piece;
}

}  // namespace

unsigned DeflateThreadCount() {
  unsigned threads = configuredThreads.load();
  if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
  return threads;
}

void SetDeflateThreadCount(unsigned threads) {
  configuredThreads.store(threads);
}

void ParallelZCompress(const TZReadFunc& source, const TZWriteFunc& sink, int level,
                       unsigned threads) {
  AppendZlibHeader(level, sink);
  std::shared_ptr<Piece> current = ReadPiece(source, nullptr);
  std::shared_ptr<Piece> next;
  if (current->DataSize() == kDeflatePieceSize) next = ReadPiece(source, current.get());
  uLong adler = 1;
  auto emit = [&](Piece& piece) {
    ZCompressCheck(piece.error);
    sink(piece.output.data(), piece.output.size());
    adler = adler32_combine(adler, piece.adler, static_cast<z_off_t>(piece.DataSize()));
  };

  if (threads <= 1 || !next || next->DataSize() == 0) {
    // One core, or one piece: no thread is worth starting. The pieces are the same as with
    // many threads, so the output is too.
    for (;;) {
      current->last = !next || next->DataSize() == 0;
      CompressPiece(*current, level);
      emit(*current);
      if (current->last) break;
      current = std::move(next);
      if (current->DataSize() == kDeflatePieceSize) next = ReadPiece(source, current.get());
    }
  } else {
    PieceWorkers workers(threads, level);
    const std::size_t maxInFlight = 2 * static_cast<std::size_t>(threads) + 1;
    std::deque<std::shared_ptr<Piece>> inFlight;
    auto collectFront = [&] {
      workers.WaitFor(*inFlight.front());
      emit(*inFlight.front());
      inFlight.pop_front();
    };
    for (;;) {
      current->last = !next || next->DataSize() == 0;
      inFlight.push_back(current);
      workers.Submit(current);
      if (current->last) break;
      current = std::move(next);
      if (current->DataSize() == kDeflatePieceSize) next = ReadPiece(source, current.get());
      while (inFlight.size() >= maxInFlight) collectFront();
    }
    while (!inFlight.empty()) collectFront();
  }

  const char trailer[4] = {static_cast<char>(adler >> 24), static_cast<char>(adler >> 16),
                           static_cast<char>(adler >> 8), static_cast<char>(adler)};
  sink(trailer, 4);
}

}  // namespace kyrovane
