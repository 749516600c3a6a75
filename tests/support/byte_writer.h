#pragma once

// Little-endian byte building for test files: the drawing writers of the tests put records
// together with it, valid or deliberately damaged.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace kyrovane::test {

class ByteWriter {
 public:
  ByteWriter& U8(uint8_t v) { return Raw(&v, 1); }
  ByteWriter& U16(uint16_t v) { return Raw(&v, 2); }
  ByteWriter& U32(uint32_t v) { return Raw(&v, 4); }
  ByteWriter& I16(int16_t v) { return Raw(&v, 2); }
  ByteWriter& I32(int32_t v) { return Raw(&v, 4); }
  ByteWriter& F32(float v) { return Raw(&v, 4); }
  ByteWriter& F64(double v) { return Raw(&v, 8); }
  ByteWriter& Bytes(std::string_view bytes) {
    bytes_.append(bytes);
    return *this;
  }
  ByteWriter& Zeros(std::size_t n) {
    bytes_.append(n, '\0');
    return *this;
  }
  // Overwrites earlier bytes, e.g. a count or offset known only at the end.
  ByteWriter& PatchU32(std::size_t pos, uint32_t v) {
    std::memcpy(bytes_.data() + pos, &v, 4);
    return *this;
  }

  std::size_t Size() const { return bytes_.size(); }
  const std::string& Data() const { return bytes_; }

 private:
  ByteWriter& Raw(const void* p, std::size_t n) {
    bytes_.append(static_cast<const char*>(p), n);
    return *this;
  }

  std::string bytes_;
};

}  // namespace kyrovane::test
