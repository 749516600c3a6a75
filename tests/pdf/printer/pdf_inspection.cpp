#include "pdf_inspection.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>

namespace kyrovane::test {

std::string Inflate(const std::string& data) {
  z_stream zs{};
  EXPECT_EQ(inflateInit(&zs), Z_OK);
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  zs.avail_in = static_cast<uInt>(data.size());
  std::string out;
  char buffer[65536];
  int rc;
  do {
    zs.next_out = reinterpret_cast<Bytef*>(buffer);
    zs.avail_out = sizeof buffer;
    rc = inflate(&zs, Z_NO_FLUSH);
    out.append(buffer, sizeof buffer - zs.avail_out);
  } while (rc == Z_OK);
  EXPECT_EQ(rc, Z_STREAM_END) << "a stream does not inflate";
  EXPECT_EQ(zs.avail_in, 0u) << "bytes after the end of a compressed stream";
  inflateEnd(&zs);
  return out;
}

std::vector<std::string> StreamData(const std::string& pdf) {
  std::vector<std::string> streams;
  const std::string keyword = "\r\nstream\r\n";
  for (std::size_t at = pdf.find(keyword); at != std::string::npos;
       at = pdf.find(keyword, at + 1)) {
    const std::size_t dictionaryStart = pdf.rfind("obj\r\n", at);
    const std::string dictionary = pdf.substr(dictionaryStart, at - dictionaryStart);
    const std::size_t lengthAt = dictionary.find("/Length ");
    if (lengthAt == std::string::npos) {
      ADD_FAILURE() << "stream without /Length";
      continue;
    }
    const std::size_t length = std::strtoul(dictionary.c_str() + lengthAt + 8, nullptr, 10);
    const std::size_t dataStart = at + keyword.size();
    EXPECT_EQ(pdf.compare(dataStart + length, 10, "\nendstream"), 0) << "wrong /Length";
    const std::string data = pdf.substr(dataStart, length);
    streams.push_back(dictionary.find("/FlateDecode") != std::string::npos ? Inflate(data) : data);
  }
  return streams;
}

}  // namespace kyrovane::test
