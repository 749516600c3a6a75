#include "text/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace kyrovane::cp932 {
namespace {

// One iconv conversion descriptor, closed when it goes out of scope.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts one piece of input; returns false when the piece cannot be converted.
  bool Convert(std::string_view in, std::string& out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    std::string buffer(in.size() * 4 + 8, '\0');
    char* outPtr = buffer.data();
    size_t outLeft = buffer.size();
    if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) return false;
    if (iconv(cd_, nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1)) return false;
    out.append(buffer.data(), buffer.size() - outLeft);
    return true;
  }

 private:
  iconv_t cd_;
};

// UTF-16LE bytes of CP932 text, one character at a time so that a bad character costs only
// itself.
std::string Cp932ToUtf16Le(std::string_view text) {
  Converter converter("UTF-16LE", "CP932");
  std::string out;
  out.reserve(text.size() * 2);
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t len = CharLength(text, pos);
    if (!converter.Convert(text.substr(pos, len), out)) {
      out.push_back(static_cast<char>(kReplacement & 0xFF));
      out.push_back(static_cast<char>(kReplacement >> 8));
    }
    pos += len;
  }
  return out;
}

}  // namespace

std::size_t CountChars(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) ++count;
  return count;
}

std::u16string ToUtf16(std::string_view text) {
  std::string bytes = Cp932ToUtf16Le(text);
  std::u16string out(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                   static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  }
  return out;
}

std::string ToUtf8(std::string_view text) {
  Converter converter("UTF-8", "UTF-16LE");
  std::string out;
  converter.Convert(Cp932ToUtf16Le(text), out);
  return out;
}

std::string FromUtf8(std::string_view utf8) {
  Converter converter("CP932", "UTF-8");
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    unsigned char lead = static_cast<unsigned char>(utf8[pos]);
    std::size_t len = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (pos + len > utf8.size()) len = utf8.size() - pos;
    if (!converter.Convert(utf8.substr(pos, len), out)) out.push_back('?');
    pos += len;
  }
  return out;
}

}  // namespace kyrovane::cp932
