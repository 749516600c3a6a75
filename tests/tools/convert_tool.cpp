#include "convert_tool.h"

#include <gtest/gtest.h>

#include <fstream>

#include "pdf/printer/raster_image.h"
#include "pdf/reader_text.h"
#include "pdf_census.h"
#include "text/cp932.h"

namespace kyrovane::test {

namespace fs = std::filesystem;

CommandResult ConvertDrawing(const fs::path& input, const fs::path& output,
                             const std::string& options) {
  return Run(ShellQuote(KYROVANE_CONVERT_DRAWING) + " " + ShellQuote(input.string()) + " " +
             ShellQuote(output.string()) + (options.empty() ? "" : " " + options));
}

std::string SettingsOption(const fs::path& folder, const std::string& environment) {
  const fs::path file = folder / "settings.kvs";
  WriteFile(file, "[Application]\r\nDataVersion=130\r\n[Environment]\r\n" + environment);
  return " --settings " + ShellQuote(file.string());
}

void ExpectLooksLikeReviewedRender(const fs::path& pdf, const fs::path& reference, int dpi,
                                   double allowedShare, bool colour) {
  constexpr int kGreyThreshold = 64;
  TempDir dir;
  const CommandResult render =
      Run("pdftoppm -r " + std::to_string(dpi) + (colour ? "" : " -gray") + " -png -singlefile " +
          ShellQuote(pdf.string()) + " " + ShellQuote((dir / "render").string()));
  ASSERT_EQ(render.exitCode, 0) << render.err;
  const RasterImage rendered = ReadPng(dir / "render.png");
  const double share =
      fs::exists(reference) ? DifferingPixelShare(rendered, ReadPng(reference), kGreyThreshold) : 1;
  const fs::path kept = fs::current_path() / reference.filename();
  if (share > allowedShare) {
    fs::copy_file(dir / "render.png", kept, fs::copy_options::overwrite_existing);
    ADD_FAILURE() << share * 100 << "% of the pixels differ; the render is in " << kept;
  }
}

void ExpectReviewedCensus(const fs::path& pdf, const fs::path& list, const std::string& stem) {
  std::ifstream lines(list);
  std::string reviewed;
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with(stem + " ")) reviewed = line.substr(stem.size() + 1);
  }
  const std::string census = CensusLine(OperatorCounts(ReadFile(pdf)));
  EXPECT_EQ(census, reviewed) << "census line: " << stem << " " << census;
}

void ExpectEveryReaderGivesBackTheTexts(const fs::path& pdf,
                                        const std::vector<std::string>& texts) {
  std::string shown;
  for (const std::string& text : texts) shown += AsTyped(cp932::ToUtf8(text));
  for (const auto& [reader, given] : ExpectReadersGiveBackTheText(pdf)) {
    if (reader == TRenderer::Poppler) {
      std::string expected = shown;
      std::erase(expected, '~');
      EXPECT_EQ(MissingCharacters(expected, given, true), "") << RendererName(reader);
    } else {
      EXPECT_EQ(MissingCharacters(shown, given), "") << RendererName(reader);
    }
  }
}

}  // namespace kyrovane::test
