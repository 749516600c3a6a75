#pragma once

// Reading back the PDF files the drawing component writes: the data of every stream, inflated,
// and the verdict of the PDF readers installed on the machine.

#include <filesystem>
#include <string>
#include <vector>

namespace kyrovane::test {

// The data of every stream of the file in file order, inflated where the stream says
// FlateDecode. Fails the current test on a stream whose length or compression is broken.
std::vector<std::string> StreamData(const std::string& pdf);

// Runs qpdf --check, pdftoppm, mutool draw and ghostscript with errors made fatal on the file and
// expects each to accept it without a word on standard error.
void ExpectReadersAccept(const std::filesystem::path& pdf);

}  // namespace kyrovane::test
