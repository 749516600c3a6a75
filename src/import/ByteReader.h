#pragma once

// Bounds-checked little-endian reading of a drawing file held in memory. Every read checks the
// bytes that remain, so a short or hostile file ends in EReadError instead of reading past the
// end; counts are checked against the remaining bytes before anything is allocated for them.
//
// The readers' reasons (what() of EReadError, and the reasons of their results) are for the
// user: Japanese, without the closing "。", which the message that shows them adds.

#include <bit>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kyrovane {

class EReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The reason for a file that ends before what it holds.
inline constexpr const char* kUnexpectedEnd = "ファイルが途中で終わっています";

class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

  std::size_t Position() const { return pos_; }
  std::size_t Size() const { return bytes_.size(); }
  std::size_t Remaining() const { return bytes_.size() - pos_; }
  bool AtEnd() const { return pos_ == bytes_.size(); }

  void Seek(std::size_t pos) {
    if (pos > bytes_.size()) throw EReadError("ファイルの外の位置を指しています");
    pos_ = pos;
  }
  void Skip(std::size_t n) { Bytes(n); }

  std::string_view Bytes(std::size_t n) {
    if (n > Remaining()) throw EReadError(kUnexpectedEnd);
    std::string_view out = bytes_.substr(pos_, n);
    pos_ += n;
    return out;
  }

  uint8_t U8() { return Fixed<uint8_t>(); }
  uint16_t U16() { return Fixed<uint16_t>(); }
  uint32_t U32() { return Fixed<uint32_t>(); }
  int16_t I16() { return Fixed<int16_t>(); }
  int32_t I32() { return Fixed<int32_t>(); }
  float F32() { return Fixed<float>(); }
  double F64() { return Fixed<double>(); }

  // Refuses `count` records that cannot fit in what remains when each takes at least
  // `minRecordSize` bytes; call before sizing any container from a count in the file.
  void RequireRecords(uint64_t count, std::size_t minRecordSize) const {
    if (minRecordSize == 0) minRecordSize = 1;
    if (count > Remaining() / minRecordSize)
      throw EReadError("レコード数がファイルの大きさを超えています");
  }

 private:
  template <typename T>
  T Fixed() {
    static_assert(std::endian::native == std::endian::little);
    std::string_view raw = Bytes(sizeof(T));
    T value;
    std::memcpy(&value, raw.data(), sizeof(T));
    return value;
  }

  std::string_view bytes_;
  std::size_t pos_ = 0;
};

}  // namespace kyrovane
