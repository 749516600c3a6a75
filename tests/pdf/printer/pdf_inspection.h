#pragma once

// Reading back the PDF files the drawing component writes: the data of every stream, inflated.

#include <string>
#include <vector>

namespace kyrovane::test {

// The data of every stream of the file in file order, inflated where the stream says
// FlateDecode. Fails the current test on a stream whose length or compression is broken.
std::vector<std::string> StreamData(const std::string& pdf);

}  // namespace kyrovane::test
