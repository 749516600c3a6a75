#include "convert_tool.h"

namespace kyrovane::test {

CommandResult ConvertDrawing(const std::filesystem::path& input,
                             const std::filesystem::path& output, const std::string& options) {
  return Run(ShellQuote(KYROVANE_CONVERT_DRAWING) + " " + ShellQuote(input.string()) + " " +
             ShellQuote(output.string()) + (options.empty() ? "" : " " + options));
}

}  // namespace kyrovane::test
