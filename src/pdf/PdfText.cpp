#include "pdf/PdfText.h"

#include "text/cp932.h"

namespace kyrovane {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void AppendHex(std::string& out, unsigned char byte) {
  out.push_back(kHexDigits[byte >> 4]);
  out.push_back(kHexDigits[byte & 0x0F]);
}

}  // namespace

void WriteStringToStream(std::string_view text, std::ostream& stream) {
  stream.write(text.data(), static_cast<std::streamsize>(text.size()));
}

std::string EscapeText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '(':
      case ')':
      case '\\':
        out.push_back('\\');
        out.push_back(c);
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\f':
        out += "\\f";
        break;
      default:
        out.push_back(c);
    }
  }
  return out;
}

std::string EscapeName(std::string_view text) {
  static constexpr std::string_view kDelimiters = "#%()/<>[]{}";
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x21 || byte > 0x7E || kDelimiters.find(c) != std::string_view::npos) {
      out.push_back('#');
      AppendHex(out, byte);
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::string StrToHex(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char c : bytes) AppendHex(out, static_cast<unsigned char>(c));
  return out;
}

std::string StrToUnicodeHex(std::string_view text) {
  std::string out;
  for (char16_t unit : cp932::ToUtf16(text)) {
    AppendHex(out, static_cast<unsigned char>(unit >> 8));
    AppendHex(out, static_cast<unsigned char>(unit & 0xFF));
  }
  return out;
}

bool HasMultiByteChars(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size(); pos += cp932::CharLength(text, pos)) {
    if (cp932::IsLeadByte(static_cast<unsigned char>(text[pos]))) return true;
  }
  return false;
}

}  // namespace kyrovane
