// What texts hand the printer: font, size, scaling, gap, matrix and the bytes shown, with the
// conventions of paper-sized texts.

#include <gtest/gtest.h>

#include "cad/CadText.h"
#include "cad/model_fixture.h"
#include "cad/pdf_probe.h"

namespace kyrovane::test {
namespace {

// The bytes of every string shown with Tj, in order.
std::string ShownText(const std::string& content) {
  std::string shown;
  for (const std::string& line : ContentLines(content)) {
    if (!line.ends_with(" Tj")) continue;
    const std::string operand = line.substr(0, line.size() - 3);
    if (operand.front() == '<') {
      for (std::size_t i = 1; i + 1 < operand.size(); i += 2) {
        shown += static_cast<char>(std::stoi(operand.substr(i, 2), nullptr, 16));
      }
    } else {
      for (std::size_t i = 1; i + 1 < operand.size(); ++i) {
        if (operand[i] == '\\') ++i;
        shown += operand[i];
      }
    }
  }
  return shown;
}

// The operand text of the first line that ends in the operator, empty when there is none.
std::string Operands(const std::string& content, const std::string& op) {
  for (const std::string& line : ContentLines(content)) {
    if (line.ends_with(" " + op)) return line.substr(0, line.size() - op.size() - 1);
  }
  return "";
}

class TextOutput : public ::testing::Test {
 protected:
  TextOutput() : text(model.Add<TCad_Text>()) {
    text.Position = {25.4L, 50.8L, 0};
    text.Height = PtToMm(12);  // 12 points
    text.HScale = 100;
  }
  std::string Draw() { return model.DrawPass(3); }

  ModelFixture model;
  TCad_Text& text;
};

TEST_F(TextOutput, PlainTextGoesToThePrinterUnchanged) {
  text.Text = "AB^2 ";
  text.Spacing = -PtToMm(1);
  const std::string body = Draw();
  EXPECT_EQ(body, PrinterWrites([](TPDFPrinter& printer, TPdfCanvas&) {
              printer.TextOut(100, "AB^2 ", 72, 144, -1, 0, "Times-Roman", 12, 0, false);
            }));
  EXPECT_EQ(Operands(body, "Tf"), "/F1 12");
  EXPECT_EQ(Operands(body, "Tm"), "1 0 0 1 72 144");
  EXPECT_EQ(text.Text, "AB^2 ");
  EXPECT_EQ(model.DrawPass(1), "");  // texts draw in pass 3 only
}

// Paper-sized texts: a trailing blank is dropped, a caret digit 1 to 9 narrows the text to
// that many bytes less, trailing middle dots become spacing, and a negative gap narrows.
TEST_F(TextOutput, PaperSizedConventions) {
  struct Case {
    const char* text;
    long double spacingPt;
    const char* shown;
    const char* tz;
    const char* tc;
  };
  const Case cases[] = {
      {"ABC ", 0, "ABC", "", ""},
      {"ABC  ", 0, "ABC ", "", ""},
      {"ABCDEF^2", 0, "ABCDEF", "67", ""},  // 100 x 4 / 6
      {"ABCDEF^0", 0, "ABCDEF^0", "", ""},
      {"AB\x83\x5E"
       "1",
       0,
       "AB\x83\x5E"
       "1",
       "", ""},                                       // the caret is a trail byte
      {"ABCD\x81\x45\x81\x45", 0, "ABCD", "", "16"},  // 4 x 12 x 100 / 100 / 3
      {"A\x81\x45", 0, "A", "", ""},                  // no gap to spread over
      {"AB\xA5\xA5", 0, "AB", "", "24"},
      {"ABC", -1.2L, "ABC", "90", ""},
  };
  text.PaperSized = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    text.Text = c.text;
    text.Spacing = PtToMm(c.spacingPt);
    const std::string body = Draw();
    EXPECT_EQ(ShownText(body), c.shown);
    EXPECT_EQ(Operands(body, "Tz"), c.tz);
    EXPECT_EQ(Operands(body, "Tc"), c.tc);
    EXPECT_EQ(text.Text, c.text);
  }
}

TEST_F(TextOutput, LayerScaleShrinksOnlyDrawingSizedTextsAndLayerAngleTurns) {
  text.Text = "A";
  model.layer->Scale = {0.5L, 0.5L, 1};
  model.page.Output.OutputScale = 0.5L;
  EXPECT_EQ(Operands(Draw(), "Tf"), "/F1 6");
  text.PaperSized = 1;
  model.page.Output.OutputScale = 1.5L;
  EXPECT_EQ(Operands(Draw(), "Tf"), "/F1 18");
  text.Angle = 30;
  model.layer->Angle = 60;
  EXPECT_EQ(Operands(Draw(), "Tm").substr(0, 9), "0 1 -1 0 ");
}

TEST(StripTrailingDots, RemovesDotsWhileThreeBytesRemain) {
  EXPECT_EQ(StripTrailingDots("AB\xA5\xA5"), "AB");
  EXPECT_EQ(StripTrailingDots("A\xA5"), "A\xA5");
  EXPECT_EQ(StripTrailingDots("AB\x81\x45\xA5"), "AB");
  EXPECT_EQ(StripTrailingDots("\x81\x45\x81\x45"), "\x81\x45");
  // 0xA5 as the second byte of a double-byte character is no dot.
  EXPECT_EQ(StripTrailingDots("AB\x83\xA5"), "AB\x83\xA5");
  EXPECT_EQ(StripTrailingDots("A\x88\x81\x45"), "A\x88\x81\x45");
}

}  // namespace
}  // namespace kyrovane::test
