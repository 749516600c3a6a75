#include "pdf_census.h"

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string_view>

#include "pdf/printer/pdf_inspection.h"
#include "support/test_support.h"

namespace kyrovane::test {
namespace {

constexpr std::array<std::string_view, 11> kOperators = {"m", "l",  "c",  "re", "S", "f",
                                                         "B", "BT", "Tj", "TJ", "Do"};

}  // namespace

std::map<std::string, int> OperatorCounts(const std::string& pdf) {
  std::map<std::string, int> counts;
  for (const std::string& data : StreamData(pdf)) {
    std::istringstream lines(data);
    std::string line;
    while (std::getline(lines, line)) {
      const std::size_t last = line.find_last_of(' ');
      const std::string_view op =
          std::string_view(line).substr(last == std::string::npos ? 0 : last + 1);
      for (const std::string_view known : kOperators) {
        if (op == known) ++counts[std::string(op)];
      }
    }
  }
  return counts;
}

std::string CensusLine(const std::map<std::string, int>& counts) {
  std::string line;
  for (const std::string_view op : kOperators) {
    const auto found = counts.find(std::string(op));
    if (found == counts.end()) continue;
    if (!line.empty()) line += ' ';
    line += std::string(op) + "=" + std::to_string(found->second);
  }
  return line;
}

std::vector<std::pair<double, double>> PageSizes(const std::filesystem::path& pdf) {
  const CommandResult info = Run("pdfinfo -f 1 -l 9999 " + ShellQuote(pdf.string()));
  EXPECT_EQ(info.exitCode, 0) << info.err;
  std::vector<std::pair<double, double>> sizes;
  std::istringstream lines(info.out);
  std::string line;
  while (std::getline(lines, line)) {
    // "Page    1 size: 3368 x 2384 pts"
    const std::size_t at = line.find(" size: ");
    if (!line.starts_with("Page ") || at == std::string::npos) continue;
    std::istringstream numbers(line.substr(at + 7));
    double width = 0, height = 0;
    std::string x;
    numbers >> width >> x >> height;
    sizes.emplace_back(width, height);
  }
  return sizes;
}

}  // namespace kyrovane::test
