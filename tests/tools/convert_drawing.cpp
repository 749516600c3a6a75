// convert-drawing INPUT OUTPUT.pdf [--rotation 0|90|180|270|a3|a4|half] [--tiles 1|2|4|8|16]
//                 [--all-area] [--settings FILE]
//
// Converts a drawing or a list file (.lst) through the program's conversion driver for the
// end-to-end tests, answering its open dialog with INPUT and its save dialog with OUTPUT, under
// the default settings or those of a settings file. Every message the driver shows is printed
// to standard error as "caption: text". Exit status 0 when the PDF was written, 1 when not, 2
// for bad arguments. A test tool: never installed.

#include <exception>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "app/core/AppPaths.h"
#include "app/core/ConversionDriver.h"
#include "app/core/SettingsFiles.h"
#include "app/core/scripted_ui.h"
#include "import/TextVariables.h"

namespace kyrovane::tools {
namespace {

namespace fs = std::filesystem;

// The items of the rotation box by their argument.
const std::map<std::string_view, int> kAngleItems = {
    {"0", 0}, {"90", 1}, {"180", 2}, {"270", 3}, {"a3", 4}, {"a4", 5}, {"half", 6},
};

struct TArguments {
  fs::path Input;
  fs::path Output;
  TConversionOptions Options;
  std::optional<fs::path> SettingsFile;
};

constexpr std::string_view kUsage =
    "usage: convert-drawing INPUT OUTPUT.pdf [--rotation 0|90|180|270|a3|a4|half] "
    "[--tiles 1|2|4|8|16] [--all-area] [--settings FILE]\n";

std::optional<TArguments> ParseArguments(int argc, char** argv) {
  TArguments arguments;
  arguments.Options.OpenAfter = false;
  int files = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    const bool hasValue = i + 1 < argc;
    if (argument == "--all-area") {
      arguments.Options.IgnorePrintRange = true;
    } else if (argument == "--rotation" && hasValue) {
      const auto item = kAngleItems.find(argv[++i]);
      if (item == kAngleItems.end()) return std::nullopt;
      arguments.Options.AngleItem = item->second;
    } else if (argument == "--tiles" && hasValue) {
      const std::string_view tiles = argv[++i];
      if (tiles != "1" && tiles != "2" && tiles != "4" && tiles != "8" && tiles != "16") {
        return std::nullopt;
      }
      arguments.Options.Tiles = std::stoi(std::string(tiles));
    } else if (argument == "--settings" && hasValue) {
      arguments.SettingsFile = argv[++i];
    } else if (!argument.starts_with("--") && files < 2) {
      (files++ == 0 ? arguments.Input : arguments.Output) = argument;
    } else {
      return std::nullopt;
    }
  }
  if (files != 2) return std::nullopt;
  return arguments;
}

int Convert(const TArguments& arguments) {
  test::ScriptedUi ui;
  REnvironment env = DefaultEnvironment();
  if (arguments.SettingsFile) {
    if (!fs::is_regular_file(*arguments.SettingsFile)) {
      std::cerr << arguments.SettingsFile->string() << ": no settings file\n";
      return 1;
    }
    ReadSettingsFile(*arguments.SettingsFile, env, ui);
  }
  ui.OpenAnswers.push_back(arguments.Input);
  ui.SaveAnswers.push_back(arguments.Output);
  const SystemClock clock;
  TConversionDriver driver(env, ui, clock, CacheFolder());
  const bool written = driver.Convert(arguments.Options).has_value();
  for (const auto& message : ui.Messages) {
    std::cerr << message.Caption << ": " << message.Text << "\n";
  }
  return written ? 0 : 1;
}

}  // namespace
}  // namespace kyrovane::tools

int main(int argc, char** argv) {
  using namespace kyrovane::tools;
  const std::optional<TArguments> arguments = ParseArguments(argc, argv);
  if (!arguments) {
    std::cerr << kUsage;
    return 2;
  }
  try {
    return Convert(*arguments);
  } catch (const std::exception& error) {
    std::cerr << error.what() << "\n";
    return 1;
  }
}
