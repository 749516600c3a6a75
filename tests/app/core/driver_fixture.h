#pragma once

// The conversion driver in a scratch folder, talking to the scripted user interface, with the
// two-layer drawing to convert; for the driver's tests.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/core/ConversionDriver.h"
#include "app/core/scripted_ui.h"
#include "import/TextVariables.h"
#include "import/support/jww_writer.h"
#include "support/test_support.h"

namespace kyrovane::test {

class DriverFixture : public ::testing::Test {
 protected:
  // Texts get the time of TextClock, which the driver only keeps a reference to.
  explicit DriverFixture(const Clock& TextClock) : driver{env, ui, TextClock, cache} {
    WriteFile(drawing, TwoLayerLines());
  }

  // Nothing the driver shows outlives a conversion.
  void TearDown() override {
    EXPECT_FALSE(ui.ProgressUp);
    EXPECT_EQ(ui.BusyDepth, 0);
  }

  // "PDF変換開始" with its dialogs answered: the input, and the output unless it is a preview.
  std::optional<std::filesystem::path> Convert(const std::filesystem::path& input,
                                               const std::optional<std::filesystem::path>& output,
                                               const TConversionOptions& options = {}) {
    ui.OpenAnswers.push_back(input);
    if (!options.PreviewOnly) ui.SaveAnswers.push_back(output);
    return driver.Convert(options);
  }

  // Writes the list file; returns its text.
  std::string WriteList(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    WriteFile(list, text);
    return text;
  }

  TempDir dir;
  const std::filesystem::path drawing = dir / "plan.jww";
  const std::filesystem::path pdf = dir / "plan.pdf";
  const std::filesystem::path list = dir / "plans.lst";
  const std::filesystem::path cache = dir / "cache";
  REnvironment env = DefaultEnvironment();
  ScriptedUi ui;
  TConversionDriver driver;
};

}  // namespace kyrovane::test
