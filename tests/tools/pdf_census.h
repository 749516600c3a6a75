#pragma once

// What a converted drawing's PDF holds: its drawing operators counted, and its page sizes.

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace kyrovane::test {

// How often each path, painting, text and image operator occurs in the file's streams, one
// operator per content line; operators that do not occur are left out.
std::map<std::string, int> OperatorCounts(const std::string& pdf);
// The counts as one line: "m=12 l=30 ...", in a fixed order.
std::string CensusLine(const std::map<std::string, int>& counts);

// Width and height in points of every page, as pdfinfo reports them.
std::vector<std::pair<double, double>> PageSizes(const std::filesystem::path& pdf);

}  // namespace kyrovane::test
