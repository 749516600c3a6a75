#include "pdf/PdfDeflatedData.h"

#include <algorithm>

#include "pdf/ParallelDeflate.h"
#include "pdf/PdfStreamStore.h"

namespace kyrovane {

// A piece whose compressed bytes go to the store.
struct TStoredPiece : TDeflatePiece {
  explicit TStoredPiece(TPdfStreamStore& store) : Store(store) {}

  TPdfStreamStore& Store;
  std::uint64_t Offset = 0;
  std::uint64_t Length = 0;

 protected:
  void Keep(std::string_view compressed) override {
    Offset = Store.Append(compressed);
    Length = compressed.size();
  }
};

namespace {

// Room for the writes that complete the next piece, so that its buffer is rarely moved.
constexpr std::size_t kPendingCapacity = kDeflateWindowSize + kDeflatePieceSize + 16384;

}  // namespace

void TPdfDeflatedData::Write(std::string_view bytes) {
  if (bytes.empty()) return;
  if (flushed_) {
    pending_.resize(flushedSize_);
    store_.Read(flushedAt_, pending_.data(), flushedSize_);
    flushed_ = false;
  }
  last_.reset();
  pending_.append(bytes);
  // A full piece leaves once a byte follows it: the last piece is compressed differently.
  while (pending_.size() - dictionarySize_ > kDeflatePieceSize) SubmitFullPiece();
}

void TPdfDeflatedData::SubmitFullPiece() {
  const std::size_t end = dictionarySize_ + kDeflatePieceSize;
  std::string next;
  next.reserve(std::max(kPendingCapacity, pending_.size() - end + kDeflateWindowSize));
  next.append(pending_, end - kDeflateWindowSize);
  pending_.resize(end);
  auto piece = std::make_shared<TStoredPiece>(store_);
  piece->Input = std::move(pending_);
  piece->DictionarySize = dictionarySize_;
  pending_ = std::move(next);
  dictionarySize_ = kDeflateWindowSize;
  pieces_.push_back(piece);
  store_.Workers().Submit(std::move(piece));
}

void TPdfDeflatedData::Flush() {
  if (flushed_) return;
  flushedAt_ = pending_.empty() ? 0 : store_.Append(pending_);
  flushedSize_ = pending_.size();
  if (!last_) {
    last_ = std::make_shared<TStoredPiece>(store_);
    last_->Input = std::move(pending_);
    last_->DictionarySize = dictionarySize_;
    last_->Last = true;
    store_.Workers().Submit(last_);
  }
  std::string().swap(pending_);
  flushed_ = true;
}

TPdfDeflatedData::TStream TPdfDeflatedData::Finish() {
  TDeflateWorkers& workers = store_.Workers();
  if (!last_) {
    auto last = std::make_shared<TStoredPiece>(store_);
    last->Input = pending_;
    last->DictionarySize = dictionarySize_;
    last->Last = true;
    workers.CompressHere(*last);
    last_ = std::move(last);
  }
  TStream stream;
  stream.store_ = &store_;
  stream.pieces_.assign(pieces_.begin(), pieces_.end());
  stream.pieces_.push_back(last_);
  stream.size_ = ZlibHeader(kPdfDeflateLevel).size() + ZlibTrailer(1).size();
  for (const std::shared_ptr<TStoredPiece>& piece : pieces_) workers.Wait(*piece);
  workers.Wait(*last_);
  for (const auto& piece : stream.pieces_) {
    stream.size_ += piece->Length;
    stream.adler_ = CombineAdler(stream.adler_, piece->Adler, piece->DataSize);
  }
  return stream;
}

void TPdfDeflatedData::TStream::WriteTo(const TZWriteFunc& sink) const {
  const std::string header = ZlibHeader(kPdfDeflateLevel);
  sink(header.data(), header.size());
  std::string block;
  for (const auto& piece : pieces_) {
    for (std::uint64_t done = 0; done < piece->Length;) {
      const auto count = static_cast<std::size_t>(
          std::min<std::uint64_t>(kStreamReadBlockSize, piece->Length - done));
      block.resize(count);
      store_->Read(piece->Offset + done, block.data(), count);
      sink(block.data(), count);
      done += count;
    }
  }
  const std::string trailer = ZlibTrailer(adler_);
  sink(trailer.data(), trailer.size());
}

}  // namespace kyrovane
