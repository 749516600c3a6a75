// Times the JWW reader over files of about 10 MB that hold nothing but class tags, the input
// on which a class map with a linear look-up or an unbounded size would stall.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include "import/jwwunit.h"

namespace {

using namespace kyrovane::jwwunit;

constexpr std::size_t kSize = 10 * 1024 * 1024;

// Signature, version 230 and a header of zeros (every counted string empty), then an object
// count of 0.
std::string Header() {
  std::string bytes = "JwwData.";
  bytes += std::string("\xE6\x00\x00\x00", 4);
  bytes += std::string(4137 - bytes.size() + 2, '\0');
  return bytes;
}

std::string Repeat(std::string prefix, const std::string& unit) {
  prefix.reserve(kSize + unit.size());
  while (prefix.size() < kSize) prefix += unit;
  return prefix;
}

void Time(const char* what, const std::string& file) {
  const auto start = std::chrono::steady_clock::now();
  JwwData data;
  const JwwReadResult result = ParseJwwFile(file, data);
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  std::printf("%-44s %6.1f MB %8.3f s  %s\n", what, file.size() / 1048576.0, seconds.count(),
              result ? "read" : result.Reason.c_str());
}

}  // namespace

int main() {
  const std::string header = Header();
  // One class the reader does not know (map index 1), then objects of it.
  const std::string unknownClass = header + std::string(
                                                "\xFF\xFF\xE6\x00\x04\x00"
                                                "CXyz",
                                                10);
  Time("references 0x8001 to an unknown class", Repeat(unknownClass, std::string("\x01\x80", 2)));
  Time("big tags 0x7FFF 0x80000001",
       Repeat(unknownClass, std::string("\xFF\x7F\x01\x00\x00\x80", 6)));
  Time("new classes without a name", Repeat(header, std::string("\xFF\xFF\xE6\x00\x00\x00", 6)));
  Time("new classes with a name", Repeat(header, std::string("\xFF\xFF\xE6\x00\x01\x00X", 7)));
  Time("objects without a class", Repeat(header, std::string("\x01\x00", 2)));
  // For comparison, lines: a reference to the class of the first line and 45 bytes each.
  const std::string line(45, '\0');
  Time("lines", Repeat(header +
                           std::string("\xFF\xFF\xE6\x00\x08\x00"
                                       "CDataSen",
                                       14) +
                           line,
                       std::string("\x01\x80", 2) + line));
  return 0;
}
