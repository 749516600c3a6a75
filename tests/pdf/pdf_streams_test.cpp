// Stream objects: buffering in the shared temporary file, the bytes around the data, and the
// deflate compression of Flate streams.

#include <gtest/gtest.h>
#include <zlib.h>

#include <sstream>
#include <thread>

#include "pdf/ParallelDeflate.h"
#include "pdf/PdfStreamStore.h"
#include "pdf/PdfTypes.h"
#include "pdf/PdfXref.h"
#include "pdf/ZLibEx.h"
#include "pdf/printer/pdf_inspection.h"
#include "pdf_test_support.h"

namespace kyrovane {
namespace {

using test::Body;

std::string Compress(const std::string& input, TZCompressionLevel level) {
  std::size_t done = 0;
  std::string out;
  ZCompressStream(
      [&](char* buffer, std::size_t size) {
        std::size_t count = std::min(size, input.size() - done);
        input.copy(buffer, count, done);
        done += count;
        return count;
      },
      [&](const char* data, std::size_t size) { out.append(data, size); }, level);
  return out;
}

// Content that does not repeat within zlib's window, so it stays large when compressed.
std::string Pattern(std::size_t size) {
  std::string text;
  unsigned value = 1;
  while (text.size() < size) {
    value = value * 1103515245 + 12345;
    text += std::to_string(value >> 8) + " 0 l\n";
  }
  text.resize(size);
  return text;
}

void AddFlate(TPdfStream& stream) {
  stream.Attributes().PdfArrayByName("Filter")->AddItem(std::make_unique<TPdfName>("FlateDecode"));
}

TEST(PdfStreamBytes, EmptyUnfilteredStream) {
  TPdfStream stream(nullptr);
  EXPECT_EQ(Body(stream), "<<\r\n/Length 0\r\n/Filter []\r\n>>\r\nstream\r\n\nendstream");
}

TEST(PdfStreamBytes, DataBetweenTheKeywordsAndItsLength) {
  TPdfXref xref;
  auto& stream = xref.Register(std::make_unique<TPdfStream>(&xref));
  stream.Data().Write("0 0 m\n");
  stream.Data().Write("1 1 l\n");
  EXPECT_EQ(test::Definition(stream),
            "1 0 obj\r\n<<\r\n/Length 12\r\n/Filter []\r\n>>\r\nstream\r\n0 0 m\n1 1 l\n"
            "\nendstream\r\nendobj\r\n");
}

TEST(PdfStreamBytes, FlateStreamsCarryTheCompressedLength) {
  TPdfStream stream(nullptr);
  AddFlate(stream);
  stream.Data().Write("/F0 10 Tf\n");
  std::string body = Body(stream);
  const std::string compressed(
      "\x78\xDA\xD3\x77\x33\x50\x30\x34\x50\x08\x49\xE3\x02\x00\x0B\x1E\x02\x0B", 18);
  EXPECT_EQ(body, "<<\r\n/Length 18\r\n/Filter [/FlateDecode ]\r\n>>\r\nstream\r\n" + compressed +
                      "\nendstream");
  // Writing again compresses again and gives the same bytes.
  EXPECT_EQ(Body(stream), body);
}

TEST(PdfStreamBuffers, LargeDataComesBackWhole) {
  test::ScopedTempFolder folder;
  TPdfXref xref;
  auto& plain = xref.Register(std::make_unique<TPdfStream>(&xref));
  auto& flate = xref.Register(std::make_unique<TPdfStream>(&xref));
  AddFlate(flate);
  const std::string data = Pattern(300000);
  // Written in uneven pieces, interleaved, so that the pieces of both lie mixed in the file.
  for (std::size_t pos = 0; pos < data.size(); pos += 7001) {
    plain.Data().Write(std::string_view(data).substr(pos, 7001));
    flate.Data().Write(std::string_view(data).substr(pos, 7001));
  }
  EXPECT_EQ(plain.Data().Size(), data.size());
  EXPECT_EQ(plain.EncodedData(), data);
  EXPECT_EQ(test::Inflate(flate.EncodedData()), data);
  flate.Data().Flush();
  flate.Data().Write("tail");
  EXPECT_EQ(test::Inflate(flate.EncodedData()), data + "tail");
}

TEST(PdfStreamBuffers, OneUnnamedFileInTheTempFolderPerDocumentAndNoneForSmallStreams) {
  test::ScopedTempFolder folder;
  {
    TPdfXref xref;
    auto& small = xref.Register(std::make_unique<TPdfStream>(&xref));
    small.Data().Write("q\nQ\n");
    EXPECT_EQ(small.EncodedData(), "q\nQ\n");
    EXPECT_EQ(test::OpenFilesIn(folder.path()), 0);
    for (int i = 0; i < 200; ++i) {
      auto& stream = xref.Register(std::make_unique<TPdfStream>(&xref));
      stream.Data().Write(Pattern(1000));
      stream.Data().Flush();
    }
    EXPECT_EQ(test::OpenFilesIn(folder.path()), 1);
    EXPECT_TRUE(folder.IsEmpty());
  }
  EXPECT_EQ(test::OpenFilesIn(folder.path()), 0);
  EXPECT_TRUE(folder.IsEmpty());
}

TEST(PdfStreamBuffers, StreamsCanBeEncodedInParallel) {
  test::ScopedTempFolder folder;
  TPdfXref xref;
  std::vector<TPdfStream*> streams;
  for (int i = 0; i < 8; ++i) {
    auto& stream = xref.Register(std::make_unique<TPdfStream>(&xref));
    AddFlate(stream);
    stream.Data().Write(Pattern(100000 + i));
    stream.Data().Flush();
    streams.push_back(&stream);
  }
  std::vector<std::string> sequential, parallel(streams.size());
  for (TPdfStream* stream : streams) sequential.push_back(stream->EncodedData());
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < streams.size(); ++i) {
    threads.emplace_back([&, i] { parallel[i] = streams[i]->EncodedData(); });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(parallel, sequential);
}

// Threads appending at once (deflate workers storing their pieces) each get a range of their
// own, and every block reads back as it was written.
TEST(PdfStreamBuffers, BlocksAppendedFromManyThreadsAtOnceReadBackWhole) {
  test::ScopedTempFolder folder;
  TPdfStreamStore store;
  constexpr int kThreads = 8;
  constexpr int kBlocks = 4000;
  const auto block = [](int thread, int i) {
    return std::string(1 + i % 97, char('a' + thread)) + std::to_string(i);
  };
  std::vector<std::vector<std::uint64_t>> offsets(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < kBlocks; ++i) offsets[t].push_back(store.Append(block(t, i)));
    });
  }
  for (auto& thread : threads) thread.join();
  int damaged = 0;
  for (int t = 0; t < kThreads; ++t) {
    for (int i = 0; i < kBlocks; ++i) {
      std::string expected = block(t, i);
      std::string read(expected.size(), '\0');
      store.Read(offsets[t][i], read.data(), read.size());
      damaged += read != expected;
    }
  }
  EXPECT_EQ(damaged, 0);
}

// The definition of a Flate stream of object 1 holding the zlib stream.
std::string FlateDefinition(const std::string& compressed) {
  return "1 0 obj\r\n<<\r\n/Length " + std::to_string(compressed.size()) +
         "\r\n/Filter [/FlateDecode ]\r\n>>\r\nstream\r\n" + compressed +
         "\nendstream\r\nendobj\r\n";
}

TEST(PdfFlateStreams, CompressedWhileWrittenOnAnyNumberOfThreadsTheyAreWhatOneGoGives) {
  const std::size_t piece = kDeflatePieceSize;
  for (const std::size_t size : {std::size_t{0}, piece, piece + 1, 3 * piece + 5}) {
    SCOPED_TRACE(size);
    const std::string data = Pattern(size);
    const std::string expected = FlateDefinition(Compress(data, zcMax));
    for (const unsigned threads : {1u, 2u, 8u}) {
      SetDeflateThreadCount(threads);
      TPdfXref xref;
      auto& stream = xref.Register(std::make_unique<TPdfStream>(&xref));
      stream.SetFlateDecode();
      // Writes of page operators, and now and then one of several pieces at once.
      for (std::size_t at = 0, n = 0; at < data.size(); at += n) {
        n = at % 7 == 0 ? 3 * piece / 2 : 1 + at % 97;
        stream.Data().Write(std::string_view(data).substr(at, n));
      }
      EXPECT_EQ(test::Definition(stream), expected) << threads;
      EXPECT_EQ(stream.Data().Size(), size);
    }
  }
  SetDeflateThreadCount(0);
}

TEST(PdfFlateStreams, WritingGoesOnAfterThePageIsLeftOrTheStreamWritten) {
  SetDeflateThreadCount(4);
  const std::string data = Pattern(2 * kDeflatePieceSize + 100);
  const std::string first = data.substr(0, kDeflatePieceSize + 10);
  TPdfXref xref;
  auto& stream = xref.Register(std::make_unique<TPdfStream>(&xref));
  stream.SetFlateDecode();
  stream.Data().Write(first);
  stream.Data().Flush();
  EXPECT_EQ(test::Definition(stream), FlateDefinition(Compress(first, zcMax)));
  stream.Data().Write(std::string_view(data).substr(first.size()));
  const std::string whole = FlateDefinition(Compress(data, zcMax));
  EXPECT_EQ(test::Definition(stream), whole);
  EXPECT_EQ(test::Definition(stream), whole);
  // The filter set once more changes nothing.
  stream.SetFlateDecode();
  EXPECT_EQ(test::Definition(stream), whole);
  SetDeflateThreadCount(0);
}

TEST(ZLibCompression, EmptyInputIsAValidStream) {
  EXPECT_EQ(Compress("", zcMax), std::string("\x78\xDA\x03\x00\x00\x00\x00\x01", 8));
}

TEST(ZLibCompression, LevelIndexesSelectTheZLibLevels) {
  const std::string input = Pattern(5000);
  // The second header byte tells the level class: 01 fastest or none, 9C default, DA best.
  EXPECT_EQ(Compress(input, zcNone)[1], '\x01');
  EXPECT_EQ(Compress(input, zcFastest)[1], '\x01');
  EXPECT_EQ(Compress(input, zcDefault)[1], '\x9C');
  EXPECT_EQ(Compress(input, zcMax)[1], '\xDA');
  EXPECT_GT(Compress(input, zcNone).size(), input.size());
  for (TZCompressionLevel level : {zcNone, zcFastest, zcDefault, zcMax}) {
    EXPECT_EQ(test::Inflate(Compress(input, level)), input);
  }
}

TEST(ZLibCompression, InputAroundTheBlockSizeComesBackWhole) {
  for (std::size_t size : {32767u, 32768u, 32769u, 65536u, 65537u}) {
    const std::string input = Pattern(size);
    EXPECT_EQ(test::Inflate(Compress(input, zcMax)), input) << size;
  }
}

TEST(ZLibCompression, NegativeCodesBecomeErrorsWithZLibsText) {
  EXPECT_EQ(ZCompressCheck(Z_OK), Z_OK);
  EXPECT_EQ(ZCompressCheck(Z_STREAM_END), Z_STREAM_END);
  const std::pair<int, const char*> cases[] = {
      {Z_ERRNO, "file error"},       {Z_STREAM_ERROR, "stream error"},
      {Z_DATA_ERROR, "data error"},  {Z_MEM_ERROR, "insufficient memory"},
      {Z_BUF_ERROR, "buffer error"}, {Z_VERSION_ERROR, "incompatible version"}};
  for (auto [code, message] : cases) {
    try {
      ZCompressCheck(code);
      ADD_FAILURE() << code;
    } catch (const EZCompressionError& error) {
      EXPECT_STREQ(error.what(), message);
    }
  }
}

}  // namespace
}  // namespace kyrovane
