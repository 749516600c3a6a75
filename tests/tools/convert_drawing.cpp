// convert-drawing INPUT OUTPUT.pdf [--rotation 0|90|180|270|a3|a4|half] [--tiles 1|2|4|8|16]
//                 [--all-area] [--settings FILE]
//
// Converts one drawing (JWW, JWC or JWK, by its extension) the way the program's conversion
// driver does, for the end-to-end tests: header check, read, build under the settings record
// (its defaults, or the values of a settings file), page output; parts files always on one
// unturned page. A drawing the program refuses gives its message and exit status 1; bad
// arguments give status 2. A test tool: never installed. It repeats the steps of
// the conversion driver for one drawing, and is to call the driver once there is one.

#include <unistd.h>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "app/core/SettingsFiles.h"
#include "app/core/scripted_ui.h"
#include "app/settings/ConversionContext.h"
#include "app/settings/Environment.h"
#include "app/settings/Units.h"
#include "cad/CadPage.h"
#include "import/JwcBuilder.h"
#include "import/JwkBuilder.h"
#include "import/JwwBuilder.h"
#include "import/TextVariables.h"
#include "import/jwcunit.h"
#include "import/jwkunit.h"
#include "import/jwwunit.h"
#include "pdf/PDFPrinter.h"
#include "text/AsciiCase.h"

namespace kyrovane::tools {
namespace {

namespace fs = std::filesystem;

// A choice of the rotation box: the rotation, or a sheet to fit, or half scale.
struct TRotationItem {
  int Rotation = 0;
  int PaperMode = 0;  // 3 or 4 fits to A3 or A4
  bool HalfScale = false;
};

const std::map<std::string_view, TRotationItem> kRotationItems = {
    {"0", {0}},     {"90", {90}},   {"180", {180}},         {"270", {270}},
    {"a3", {0, 3}}, {"a4", {0, 4}}, {"half", {0, 0, true}},
};

struct TOptions {
  fs::path Input;
  fs::path Output;
  TRotationItem Rotation;
  int Tiles = 1;
  bool AllArea = false;
  std::optional<fs::path> SettingsFile;
};

constexpr std::string_view kUsage =
    "usage: convert-drawing INPUT OUTPUT.pdf [--rotation 0|90|180|270|a3|a4|half] "
    "[--tiles 1|2|4|8|16] [--all-area] [--settings FILE]\n";

std::optional<TOptions> ParseArguments(int argc, char** argv) {
  TOptions options;
  int files = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    const bool hasValue = i + 1 < argc;
    if (argument == "--all-area") {
      options.AllArea = true;
    } else if (argument == "--rotation" && hasValue) {
      const auto item = kRotationItems.find(argv[++i]);
      if (item == kRotationItems.end()) return std::nullopt;
      options.Rotation = item->second;
    } else if (argument == "--tiles" && hasValue) {
      const std::string_view tiles = argv[++i];
      if (tiles != "1" && tiles != "2" && tiles != "4" && tiles != "8" && tiles != "16") {
        return std::nullopt;
      }
      options.Tiles = std::stoi(std::string(tiles));
    } else if (argument == "--settings" && hasValue) {
      options.SettingsFile = argv[++i];
    } else if (!argument.starts_with("--") && files < 2) {
      (files++ == 0 ? options.Input : options.Output) = argument;
    } else {
      return std::nullopt;
    }
  }
  if (files != 2) return std::nullopt;
  return options;
}

// The PDF goes into a file beside the target, renamed into place only when it is complete.
class TOutputFile {
 public:
  explicit TOutputFile(const fs::path& target)
      : target_(target),
        partial_(target.parent_path() /
                 ("." + target.filename().string() + "." + std::to_string(getpid()) + ".part")),
        stream_(partial_, std::ios::binary | std::ios::trunc) {}
  ~TOutputFile() {
    std::error_code error;
    if (!done_) fs::remove(partial_, error);
  }

  bool IsOpen() const { return stream_.is_open(); }
  std::ostream& Stream() { return stream_; }

  // Closes the file and moves it to the target; false when either fails.
  bool Commit() {
    stream_.close();
    if (stream_.fail()) return false;
    std::error_code error;
    fs::rename(partial_, target_, error);
    done_ = !error;
    return done_;
  }

 private:
  fs::path target_;
  fs::path partial_;
  std::ofstream stream_;
  bool done_ = false;
};

constexpr std::string_view kInvalidDrawing = "\r\nは、jww 2.30未満または無効なファイルです。";
constexpr std::string_view kCannotSave = "ファイルが保存できませんでした。";
constexpr std::string_view kNotJwc = ": not a JWC drawing";
constexpr std::string_view kNotJwk = ": not a JWK parts file";
constexpr std::string_view kNotADrawing = ": only JWW, JWC and JWK drawings are converted";

// The settings' margins plus an add-on (points, taken as millimetres).
void SetMargins(TCad_Page& page, const REnvironment& env, long double addOn) {
  page.MarginX = env.LeftMargin + addOn;
  page.MarginY = env.BottomMargin + addOn;
}

// Reads and builds a JWW drawing; false after its message when the program refuses it.
bool BuildJww(const TOptions& options, const REnvironment& env, ConversionContext& context,
              TCad_Page& page) {
  jwwunit::JwwData jww;
  if (!jwwunit::ReadJwwHeader(options.Input, jww)) {
    std::cerr << options.Input.string() << kInvalidDrawing << "\n";
    return false;
  }
  if (const jwwunit::JwwReadResult read = jwwunit::ReadJwwFile(options.Input, jww); !read) {
    std::cerr << options.Input.string() << ": " << read.Reason << "\n";
    return false;
  }
  page.Output.ReverseOrder = jww.JwwHeader.ReverseOrderFlag > 0 ? 1 : 0;
  SetMargins(page, env, options.AllArea ? MmToPoint(1.0L) : 0);
  BuildJwwDrawing(page, jww, env, context, SystemClock(), options.AllArea);
  return true;
}

bool BuildJwc(const TOptions& options, const REnvironment& env, ConversionContext& context,
              TCad_Page& page) {
  if (!IsJwcFile(options.Input)) {
    std::cerr << options.Input.string() << kNotJwc << "\n";
    return false;
  }
  JwcData jwc;
  const JwcReadResult read = ReadJwcFile(options.Input, jwc);
  if (!read.Notice.empty()) std::cerr << read.Notice << "\n";
  if (!read.Ok) {
    std::cerr << options.Input.string() << ": " << read.Error << "\n";
    return false;
  }
  SetMargins(page, env, options.AllArea ? MmToPoint(1.0L) : 0);
  BuildJwcDrawing(page, jwc, env, context, SystemClock(), options.AllArea);
  return true;
}

// Parts files are sized to their drawing whatever the options, with half a millimetre's worth
// of points added to the margins.
bool BuildJwk(const TOptions& options, const REnvironment& env, ConversionContext& context,
              TCad_Page& page) {
  if (!IsJwkFile(options.Input)) {
    std::cerr << options.Input.string() << kNotJwk << "\n";
    return false;
  }
  JwkData jwk;
  if (const JwkReadResult read = ReadJwkFile(options.Input, jwk); !read.Ok) {
    std::cerr << options.Input.string() << ": " << read.Error << "\n";
    return false;
  }
  SetMargins(page, env, MmToPoint2(0.5L));
  BuildJwkDrawing(page, jwk, env, context, SystemClock());
  return true;
}

int Convert(const TOptions& options) {
  REnvironment env = DefaultEnvironment();
  if (options.SettingsFile) {
    if (!fs::is_regular_file(*options.SettingsFile)) {
      std::cerr << options.SettingsFile->string() << ": no settings file\n";
      return 1;
    }
    test::ScriptedUi ui;
    ReadSettingsFile(*options.SettingsFile, env, ui);
    for (const auto& message : ui.Messages) std::cerr << message.Text << "\n";
  }
  ConversionContext context;
  TCad_Page page;

  // The output settings of a conversion, then the paper choice of the rotation box.
  page.Output.DefaultFontName = env.TextFont;
  page.Output.ReverseOrder = 0;
  page.Output.PaintBackground = 1;
  page.Output.BackgroundColor = ColorIndexToColor(env.BackGroundColor, env);
  context.UseListMasks = 0;
  env.FitToPaper = options.Rotation.PaperMode != 0;
  env.PaperMode = options.Rotation.PaperMode;
  env.HalfScale = options.Rotation.HalfScale;
  page.Reset();
  page.Printer->PdfTextRise = env.TextRise;
  context.CurrentFileName = fs::absolute(options.Input).string();

  const std::string extension = options.Input.extension().string();
  int tiles = options.Tiles;
  int rotation = options.Rotation.Rotation;
  if (EqualIgnoringAsciiCase(extension, ".jww")) {
    if (!BuildJww(options, env, context, page)) return 1;
  } else if (EqualIgnoringAsciiCase(extension, ".jwc")) {
    if (!BuildJwc(options, env, context, page)) return 1;
  } else if (EqualIgnoringAsciiCase(extension, ".jwk")) {
    if (!BuildJwk(options, env, context, page)) return 1;
    tiles = 1;
    rotation = 0;
  } else {
    std::cerr << options.Input.string() << kNotADrawing << "\n";
    return 1;
  }

  TOutputFile output(options.Output);
  if (!output.IsOpen()) {
    std::cerr << options.Output.string() << ": " << kCannotSave << "\n";
    return 1;
  }
  page.PrintToPdf(output.Stream(), tiles, false, rotation);
  if (!output.Commit()) {
    std::cerr << options.Output.string() << ": " << kCannotSave << "\n";
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace kyrovane::tools

int main(int argc, char** argv) {
  using namespace kyrovane::tools;
  const std::optional<TOptions> options = ParseArguments(argc, argv);
  if (!options) {
    std::cerr << kUsage;
    return 2;
  }
  try {
    return Convert(*options);
  } catch (const std::exception& error) {
    std::cerr << error.what() << "\n";
    return 1;
  }
}
