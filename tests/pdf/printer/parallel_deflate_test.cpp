#include "pdf/ParallelDeflate.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>

#include "pdf_inspection.h"
#include "printer_fixture.h"

namespace kyrovane {
namespace {

// Hands out the input in reads of at most `readSize` bytes.
auto Source(const std::string& input, std::size_t& offset, std::size_t readSize = 100000) {
  return [&input, &offset, readSize](char* buffer, std::size_t capacity) {
    std::size_t n = std::min({capacity, readSize, input.size() - offset});
    std::memcpy(buffer, input.data() + offset, n);
    offset += n;
    return n;
  };
}

std::string Compress(const std::string& input, int level, unsigned threads) {
  std::size_t offset = 0;
  std::string output;
  ParallelZCompress(
      Source(input, offset), [&](const char* data, std::size_t size) { output.append(data, size); },
      level, threads);
  return output;
}

// zlib's own one-stream compression of the input.
std::string ZlibCompress(const std::string& input, int level) {
  uLongf size = compressBound(static_cast<uLong>(input.size()));
  std::string reference(size, '\0');
  EXPECT_EQ(compress2(reinterpret_cast<Bytef*>(reference.data()), &size,
                      reinterpret_cast<const Bytef*>(input.data()),
                      static_cast<uLong>(input.size()), level),
            Z_OK);
  reference.resize(size);
  return reference;
}

// Text much like page contents: it compresses well and repeats across piece boundaries.
std::string ContentLike(std::size_t size) {
  std::mt19937 random(7);
  std::string text;
  while (text.size() < size) {
    text += std::to_string(random() % 1191) + " " + std::to_string(random() % 842) + " m\n";
    text += std::to_string(random() % 1191) + " 40.5 l\nS\n";
  }
  text.resize(size);
  return text;
}

TEST(ParallelZCompress, EmptyInputIsTheEmptyZlibStream) {
  EXPECT_EQ(Compress("", 9, 4), std::string("\x78\xDA\x03\x00\x00\x00\x00\x01", 8));
}

TEST(ParallelZCompress, OnePieceGivesZlibsOwnBytes) {
  std::string input = ContentLike(kDeflatePieceSize - 1);
  EXPECT_EQ(Compress(input, 9, 8), ZlibCompress(input, 9));
}

TEST(ParallelZCompress, InflatesBackAtEverySizeAroundPieceBoundaries) {
  const std::size_t piece = kDeflatePieceSize;
  for (std::size_t size :
       {std::size_t{1}, piece - 1, piece, piece + 1, 3 * piece, 5 * piece + 12345}) {
    SCOPED_TRACE(size);
    std::string input = ContentLike(size);
    for (unsigned threads : {1u, 3u, 8u}) {
      std::string compressed = Compress(input, 9, threads);
      EXPECT_EQ(compressed.substr(0, 2), "\x78\xDA");
      EXPECT_EQ(test::Inflate(compressed), input);
    }
  }
}

TEST(ParallelZCompress, HeaderNamesTheLevelLikeZlib) {
  std::string input = ContentLike(3 * kDeflatePieceSize);
  for (int level : {0, 1, 5, -1, 6, 9}) {
    SCOPED_TRACE(level);
    const std::string reference = ZlibCompress(input, level);
    std::string compressed = Compress(input, level, 4);
    EXPECT_EQ(compressed.substr(0, 2), reference.substr(0, 2));
    EXPECT_EQ(compressed.substr(compressed.size() - 4), reference.substr(reference.size() - 4));
    EXPECT_EQ(test::Inflate(compressed), input);
  }
}

TEST(ParallelZCompress, CompressesAboutAsWellAsOneStream) {
  std::string input = ContentLike(8 * kDeflatePieceSize);
  EXPECT_LT(Compress(input, 9, 8).size(), ZlibCompress(input, 9).size() * 101 / 100);
}

TEST(ParallelZCompress, SourceAndSinkErrorsStopTheWorkers) {
  std::string input = ContentLike(10 * kDeflatePieceSize);
  std::size_t offset = 0;
  auto source = [&, read = Source(input, offset)](char* buffer, std::size_t capacity) {
    if (offset > 6 * kDeflatePieceSize) throw std::runtime_error("read failed");
    return read(buffer, capacity);
  };
  EXPECT_THROW(ParallelZCompress(
                   source, [](const char*, std::size_t) {}, 9, 4),
               std::runtime_error);
  offset = 0;
  std::size_t written = 0;
  auto failingSink = [&](const char*, std::size_t size) {
    written += size;
    if (written > 1000) throw std::runtime_error("disk full");
  };
  EXPECT_THROW(ParallelZCompress(source, failingSink, 9, 4), std::runtime_error);
}

TEST(ParallelZCompress, ZlibErrorsRaiseTheCompressionError) {
  for (std::size_t size : {std::size_t{10}, 3 * kDeflatePieceSize}) {
    std::string input = ContentLike(size);
    try {
      Compress(input, 42, 2);
      ADD_FAILURE() << "an invalid level was taken";
    } catch (const EZCompressionError& error) {
      EXPECT_STREQ(error.what(), "stream error");
    }
  }
}

// How a child process ended: kSame or kDifferent as its body said, kRaised when the body threw,
// or 128 + the signal that ended it.
constexpr int kSame = 0;
constexpr int kDifferent = 1;
constexpr int kRaised = 2;
constexpr int kNoLimit = 3;

int InChild(const std::function<int()>& body) {
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    int code = kRaised;
    try {
      code = body();
    } catch (const std::exception&) {
    }
    _exit(code);
  }
  int status = 0;
  EXPECT_EQ(waitpid(child, &status, 0), child);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Threads count against the limit on processes of their user; root is not held to it, so the
// child first becomes a user that has no other process.
bool LimitThreads(rlim_t tasks, uid_t user) {
  if (geteuid() == 0 && (setgid(user) != 0 || setuid(user) != 0)) return false;
  const rlimit limit{tasks, tasks};
  return setrlimit(RLIMIT_NPROC, &limit) == 0;
}

TEST(DeflateThreads, ThreadsThatCannotStartLeaveTheirWorkToTheOthersAndTheBytesAsTheyAre) {
  const std::string input = ContentLike(8 * kDeflatePieceSize);
  const std::string expected = Compress(input, 9, 1);
  const std::string page = test::LinesDocument(1, {40000});
  // One task: no thread starts. Three: the process and two threads, when the limit counts
  // this process alone.
  for (const rlim_t tasks : {rlim_t{1}, rlim_t{3}}) {
    SCOPED_TRACE(tasks);
#if defined(__SANITIZE_THREAD__)
    const bool alone = false;  // the sanitizer's own thread counts too
#else
    const bool alone = geteuid() == 0;
#endif
    EXPECT_EQ(InChild([&] {
                if (!LimitThreads(tasks, 54300 + static_cast<uid_t>(tasks))) return kNoLimit;
                TDeflateWorkers workers(8, 9);
                auto piece = std::make_shared<TBufferedPiece>();
                piece->Last = true;
                workers.Submit(piece);
                workers.Wait(*piece);
                if (alone && workers.ThreadCount() != tasks - 1) return kDifferent;
                return Compress(input, 9, 8) == expected && test::LinesDocument(8, {40000}) == page
                           ? kSame
                           : kDifferent;
              }),
              kSame);
  }
}

// Address space runs out at the thread stacks, at the compression buffers or wherever: the
// compression gives its bytes or raises bad_alloc or zlib's error, and never ends the program.
TEST(DeflateThreads, UnderAnyAddressSpaceLimitCompressionSucceedsOrRaises) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the sanitizers need far more address space than a limit leaves";
#endif
  const std::string input = ContentLike(8 * kDeflatePieceSize);
  const std::string expected = Compress(input, 9, 1);
  std::size_t pages = 0;
  std::ifstream("/proc/self/statm") >> pages;
  const auto used = static_cast<rlim_t>(pages * static_cast<std::size_t>(getpagesize()));
  for (const rlim_t moreMiB : {0, 1, 4, 16, 64, 256}) {
    SCOPED_TRACE(moreMiB);
    const int ended = InChild([&] {
      const rlimit limit{used + (moreMiB << 20), used + (moreMiB << 20)};
      if (setrlimit(RLIMIT_AS, &limit) != 0) return kNoLimit;
      return Compress(input, 9, 8) == expected ? kSame : kDifferent;
    });
    EXPECT_TRUE(ended == kSame || ended == kRaised) << "ended " << ended;
  }
}

// ZCompressStream at the best level with the given number of deflate threads.
std::string StreamCompress(const std::string& input, unsigned threads) {
  std::size_t offset = 0;
  std::string output;
  SetDeflateThreadCount(threads);
  ZCompressStream(
      Source(input, offset), [&](const char* data, std::size_t size) { output.append(data, size); },
      zcMax);
  SetDeflateThreadCount(0);
  return output;
}

TEST(ZCompressStream, GivesTheSameBytesWhateverTheThreadCount) {
  const std::string small = ContentLike(kDeflatePieceSize / 2);
  EXPECT_EQ(StreamCompress(small, 4), ZlibCompress(small, 9));
  const std::string large = ContentLike(6 * kDeflatePieceSize + 7);
  const std::string oneCore = StreamCompress(large, 1);
  EXPECT_EQ(test::Inflate(oneCore), large);
  for (unsigned threads : {2u, 3u, 8u})
    EXPECT_EQ(StreamCompress(large, threads), oneCore) << threads;
  EXPECT_EQ(Compress(large, 9, 1), oneCore);
}

}  // namespace
}  // namespace kyrovane
