#include "pdf/ParallelDeflate.h"

#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <system_error>

namespace kyrovane {

namespace {

std::atomic<unsigned> configuredThreads{0};

std::size_t InputDataSize(const TDeflatePiece& piece) {
  return piece.Input.size() - piece.DictionarySize;
}

// Reads the next piece, primed with the last 32 KB of the previous one.
std::shared_ptr<TBufferedPiece> ReadPiece(const TZReadFunc& source, const TDeflatePiece* previous) {
  auto piece = std::make_shared<TBufferedPiece>();
  if (previous) {
    const std::size_t keep = std::min(kDeflateWindowSize, InputDataSize(*previous));
    piece->Input.assign(previous->Input.end() - static_cast<std::ptrdiff_t>(keep),
                        previous->Input.end());
    piece->DictionarySize = keep;
  }
  std::size_t filled = 0;
  piece->Input.resize(piece->DictionarySize + kDeflatePieceSize);
  while (filled < kDeflatePieceSize) {
    std::size_t got =
        source(piece->Input.data() + piece->DictionarySize + filled, kDeflatePieceSize - filled);
    if (got == 0) break;
    filled += got;
  }
  piece->Input.resize(piece->DictionarySize + filled);
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

std::string ZlibHeader(int level) {
  if (level == Z_DEFAULT_COMPRESSION) level = 6;
  unsigned levelFlags = level < 2 ? 0 : level < 6 ? 1 : level == 6 ? 2 : 3;
  unsigned header = (0x78u << 8) | (levelFlags << 6);
  header += 31 - header % 31;
  return {static_cast<char>(header >> 8), static_cast<char>(header & 0xFF)};
}

std::string ZlibTrailer(std::uint32_t adler) {
  return {static_cast<char>(adler >> 24), static_cast<char>(adler >> 16),
          static_cast<char>(adler >> 8), static_cast<char>(adler)};
}

std::uint32_t CombineAdler(std::uint32_t first, std::uint32_t second, std::uint64_t secondSize) {
  return static_cast<std::uint32_t>(
      adler32_combine(first, second, static_cast<z_off_t>(secondSize)));
}

struct TZlibDeflater::TState {
  z_stream stream{};
};

TZlibDeflater::TZlibDeflater(int level) : level_(level) {}

TZlibDeflater::~TZlibDeflater() {
  if (state_) deflateEnd(&state_->stream);
}

void TZlibDeflater::Compress(TDeflatePiece& piece) {
  if (!state_) {
    auto state = std::make_unique<TState>();
    ZCompressCheck(deflateInit2(&state->stream, level_, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY));
    state_ = std::move(state);
  } else {
    ZCompressCheck(deflateReset(&state_->stream));
  }
  z_stream& zs = state_->stream;
  if (piece.DictionarySize > 0) {
    ZCompressCheck(deflateSetDictionary(&zs, reinterpret_cast<const Bytef*>(piece.Input.data()),
                                        static_cast<uInt>(piece.DictionarySize)));
  }
  const std::size_t size = piece.Input.size() - piece.DictionarySize;
  const auto* data = reinterpret_cast<const Bytef*>(piece.Input.data() + piece.DictionarySize);
  zs.next_in = const_cast<Bytef*>(data);
  zs.avail_in = static_cast<uInt>(size);
  // Room for the worst case plus the empty stored block of the flush.
  const std::size_t room = deflateBound(&zs, static_cast<uLong>(size)) + 16;
  if (output_.size() < room) output_.resize(room);
  const int flush = piece.Last ? Z_FINISH : Z_SYNC_FLUSH;
  std::size_t produced = 0;
  for (;;) {
    if (produced == output_.size()) output_.resize(output_.size() * 2);
    zs.next_out = reinterpret_cast<Bytef*>(output_.data() + produced);
    zs.avail_out = static_cast<uInt>(output_.size() - produced);
    const int rc = deflate(&zs, flush);
    produced = output_.size() - zs.avail_out;
    if (rc == Z_STREAM_END) break;
    if (rc != Z_BUF_ERROR) ZCompressCheck(rc);
    if (!piece.Last && zs.avail_in == 0 && zs.avail_out != 0) break;
  }
  piece.DataSize = size;
  piece.Adler = static_cast<std::uint32_t>(adler32(1, data, static_cast<uInt>(size)));
  piece.Keep(std::string_view(output_.data(), produced));
  std::string().swap(piece.Input);
}

TDeflateWorkers::TDeflateWorkers(unsigned threads, int level)
    : wanted_(threads), level_(level), inline_(level) {}

TDeflateWorkers::~TDeflateWorkers() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    queue_.clear();
  }
  wake_.notify_all();
  for (std::thread& thread : threads_) thread.join();
}

// As many threads as the system lets start: a process or address-space limit leaves fewer, or
// none, and the pieces are then compressed where they are submitted.
void TDeflateWorkers::Start() {
  started_ = true;
  if (wanted_ < 2) return;
  try {
    threads_.reserve(wanted_);
    while (threads_.size() < wanted_) threads_.emplace_back([this] { Work(); });
  } catch (const std::system_error&) {
  } catch (const std::bad_alloc&) {
  }
}

void TDeflateWorkers::Submit(std::shared_ptr<TDeflatePiece> piece) {
  {
    std::unique_lock lock(mutex_);
    if (!started_) Start();
    if (!threads_.empty()) {
      room_.wait(lock, [&] { return queue_.size() < 2 * threads_.size(); });
      queue_.push_back(std::move(piece));
      lock.unlock();
      wake_.notify_one();
      return;
    }
  }
  CompressHere(*piece);
}

void TDeflateWorkers::CompressHere(TDeflatePiece& piece) {
  std::exception_ptr failure;
  {
    std::lock_guard lock(inlineMutex_);
    try {
      inline_.Compress(piece);
    } catch (...) {
      failure = std::current_exception();
    }
  }
  std::lock_guard lock(mutex_);
  piece.failure_ = failure;
  piece.done_ = true;
}

void TDeflateWorkers::Wait(TDeflatePiece& piece) {
  {
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [&] { return piece.done_; });
  }
  if (piece.failure_) std::rethrow_exception(piece.failure_);
}

unsigned TDeflateWorkers::ThreadCount() {
  std::lock_guard lock(mutex_);
  return static_cast<unsigned>(threads_.size());
}

void TDeflateWorkers::Work() {
  TZlibDeflater deflater(level_);
  for (;;) {
    std::shared_ptr<TDeflatePiece> piece;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
      if (stopping_) return;
      piece = std::move(queue_.front());
      queue_.pop_front();
    }
    room_.notify_one();
    std::exception_ptr failure;
    try {
      deflater.Compress(*piece);
    } catch (...) {
      failure = std::current_exception();
    }
    {
      std::lock_guard lock(mutex_);
      piece->failure_ = failure;
      piece->done_ = true;
    }
    finished_.notify_all();
  }
}

void ParallelZCompress(const TZReadFunc& source, const TZWriteFunc& sink, int level,
                       unsigned threads) {
  const std::string header = ZlibHeader(level);
  sink(header.data(), header.size());
  std::shared_ptr<TBufferedPiece> current = ReadPiece(source, nullptr);
  std::shared_ptr<TBufferedPiece> next;
  if (InputDataSize(*current) == kDeflatePieceSize) next = ReadPiece(source, current.get());
  // One core, or one piece: no thread is worth starting. The pieces are the same as with many
  // threads, so the output is too.
  const bool onePiece = !next || InputDataSize(*next) == 0;
  TDeflateWorkers workers(onePiece ? 1 : threads, level);

  std::uint32_t adler = 1;
  const std::size_t maxInFlight = 2 * static_cast<std::size_t>(std::max(threads, 1u)) + 1;
  std::deque<std::shared_ptr<TBufferedPiece>> inFlight;
  auto collectFront = [&] {
    TBufferedPiece& piece = *inFlight.front();
    workers.Wait(piece);
    sink(piece.Output.data(), piece.Output.size());
    adler = CombineAdler(adler, piece.Adler, piece.DataSize);
    inFlight.pop_front();
  };
  for (;;) {
    current->Last = !next || InputDataSize(*next) == 0;
    inFlight.push_back(current);
    workers.Submit(current);
    if (current->Last) break;
    current = std::move(next);
    if (InputDataSize(*current) == kDeflatePieceSize) next = ReadPiece(source, current.get());
    while (inFlight.size() >= maxInFlight) collectFront();
  }
  while (!inFlight.empty()) collectFront();

  const std::string trailer = ZlibTrailer(adler);
  sink(trailer.data(), trailer.size());
}

}  // namespace kyrovane
