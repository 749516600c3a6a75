#pragma once

// Reading back the PDF files the drawing component writes: the data of every stream, inflated.

#include <string>
#include <vector>

namespace kyrovane::test {

// Inflates a whole zlib stream; fails the current test on a broken stream or on bytes after
// its end.
std::string Inflate(const std::string& data);

// The data of every stream of the file in file order, inflated where the stream says
// FlateDecode. Fails the current test on a stream whose length or compression is broken.
std::vector<std::string> StreamData(const std::string& pdf);

}  // namespace kyrovane::test
