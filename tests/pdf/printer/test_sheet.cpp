#include "test_sheet.h"

#include <cmath>
#include <string>
#include <vector>

#include "pdf_test_support.h"

namespace kyrovane::test {

namespace {

constexpr TColor kBlack = 0x000000;
constexpr TColor kPens[10] = {0x000000, 0x0000FF, 0x00A000, 0xFF0000, 0x00A0A0,
                              0xA000A0, 0xA0A000, 0x808080, 0x004080, 0x800040};

const char* const kJapaneseFonts[] = {
    "Gothic",  "Gothic,Bold",  "Gothic,Italic",  "Gothic,BoldItalic",
    "Mincyo",  "Mincyo,Bold",  "Mincyo,Italic",  "Mincyo,BoldItalic",
    "PGothic", "PGothic,Bold", "PGothic,Italic", "PGothic,BoldItalic",
    "PMincyo", "PMincyo,Bold", "PMincyo,Italic", "PMincyo,BoldItalic"};

// 日本語テキスト (Japanese text) in code page 932.
const std::string kJapanese = "\x93\xFA\x96\x7B\x8C\xEA\x83\x65\x83\x4C\x83\x58\x83\x67";
// 縦書き (vertical writing).
const std::string kVertical = "\x8F\x63\x8F\x91\x82\xAB";

void Label(TPDFPrinter& printer, long double x, long double y, const std::string& text) {
  printer.TextOut(100, text, x, y, 0, 0, "Arial", 7, kBlack, false);
}

void DashPresetsAndPens(TPDFPrinter& printer, TPdfCanvas& canvas) {
  for (int slot = 0; slot < TPDFPrinter::kLineTypeCount; ++slot) {
    const long double y = 800 - slot * 12;
    Label(printer, 20, y - 2, "slot " + std::to_string(slot));
    printer.DrawLine(canvas, kBlack, 60, y, 260, y, 1, printer.GetLineType(slot), true);
  }
  for (int pen = 0; pen < 10; ++pen) {
    const long double y = 800 - pen * 12;
    const float width = 0.1f * static_cast<float>(pen + 1) * (pen < 5 ? 1 : 3);
    Label(printer, 290, y - 2, "pen " + std::to_string(pen));
    printer.DrawLine(canvas, kPens[pen], 320, y, 470, y, width, {}, true);
  }
  // An open path that the caller finishes: two segments stroked as one.
  printer.DrawLine(canvas, kPens[3], 320, 660, 395, 630, 2, printer.GetLineType(4), false);
  canvas.LineTo(470, 660);
  canvas.Stroke();
}

void ArcsAndPies(TPDFPrinter& printer, TPdfCanvas& canvas) {
  const long double sweeps[] = {30, 60, 61, 119, 120, 150, 270, 360};
  for (int i = 0; i < 8; ++i) {
    const long double cx = 530 + i * 80;
    Label(printer, cx - 20, 740, std::to_string(static_cast<int>(sweeps[i])) + " degrees");
    printer.DrawArc(canvas, kPens[i], 30, 30, cx, 785, 0, sweeps[i], 0, 1.5L, {}, false);
  }
  for (int i = 0; i < 4; ++i) {
    const long double cx = 530 + i * 110;
    printer.DrawArc(canvas, kPens[i + 4], 45, 20, cx, 680, 20 + i * 40, 200 + i * 40, i * 30, 1,
                    printer.GetLineType(i + 5), false);
    printer.DrawArc(canvas, kPens[i + 1], 35, 25, cx + 5, 600, 30, 120 + i * 60, i * 15, 1, {},
                    true);
  }
  for (int i = 0; i < 5; ++i) {
    printer.DrawFilledCircle(canvas, kPens[i + 2], 4 + i * 4, 4 + i * 2, 990 + i * 38, 680, 1, {});
  }
  printer.DrawFilledCircle(canvas, kPens[8], 40, 15, 1080, 610, 1, printer.GetLineType(4));
}

void SmoothedCurves(TPDFPrinter& printer) {
  std::vector<TSplinePoint> wave(1);
  for (int i = 0; i <= 12; ++i) {
    wave.push_back({40 + i * 30.0L, 420 + 40 * std::sin(i * 0.9L)});
  }
  printer.DrawSpline(wave, 13, 1.5L, kPens[1], {});
  const std::vector<TSplinePoint> loop = {{},         {500, 400}, {600, 380}, {640, 460},
                                          {560, 520}, {480, 470}, {500, 400}};
  printer.DrawSpline(loop, 6, 2, kPens[2], printer.GetLineType(6));
  const std::vector<TSplinePoint> chord = {{}, {700, 400}, {740, 500}, {780, 400}};
  printer.DrawSpline(chord, 3, 1, kPens[3], {});
  Label(printer, 40, 360, "open curve, closed curve, three points drawn straight");
}

void Texts(TPDFPrinter& printer) {
  for (int i = 0; i < 12; ++i) {
    const char* font = kStandardFonts[i].name;
    printer.TextOut(100, std::string(font) + ": AaBbGg 0123 (x)", 40, 330 - i * 14, 0, 0, font, 11,
                    kBlack, false);
  }
  printer.TextOut(100, "E = mc^u2, H^d2O, x^o-, a^bb, 0^n/, T^m1", 320, 330, 0, 0, "Times-Roman",
                  14, kPens[8], true);
  printer.TextOut(100, "E = mc^u2 with escapes off", 320, 305, 0, 0, "Times-Roman", 14, kPens[8],
                  false);
  printer.TextOut(100, "spaced out", 320, 280, 4, 0, "Arial", 12, kPens[5], false);
  printer.TextOut(50, "narrow 50%", 320, 260, 0, 0, "Arial", 12, kPens[6], false);
  printer.TextOut(200, "wide 200%", 420, 260, 0, 0, "Arial", 12, kPens[6], false);
  printer.TextOut(100, "turned 30 degrees", 320, 200, 0, 30, "Times-Italic", 12, kPens[1], false);
  printer.TextOut(100, "turned 90", 560, 180, 0, 90, "Arial-Bold", 12, kPens[3], false);

  // The half-width space of the fixed families is left out: poppler draws it as a missing glyph
  // with the substitute fonts (ghostscript draws it right).
  for (int i = 0; i < 16; ++i) {
    printer.TextOut(100, std::string(kJapaneseFonts[i]) + ":" + kJapanese + "AB",
                    620 + (i / 8) * 280, 330 - (i % 8) * 18, 0, 0, kJapaneseFonts[i], 12, kBlack,
                    false);
  }
  printer.TextOut(100, kJapanese + "^u2", 620, 170, 2, 0, "Gothic", 14, kPens[4], true);
  // Vertical fonts turn by 90 degrees more: at -90 degrees the characters stand upright and
  // run down the page.
  printer.TextOut(100, kVertical + "ABC", 1130, 330, 0, -90, "GothicV", 14, kPens[8], false);
  printer.TextOut(100, kVertical + kJapanese, 1160, 330, 1, -90, "MincyoV", 14, kPens[9], false);
}

}  // namespace

void DrawTestSheet(TPDFPrinter& printer) {
  printer.SetPageWidth(1191);
  printer.SetPageHeight(842);
  printer.BeginDoc();
  TPdfCanvas& canvas = printer.GetCanvas();
  DashPresetsAndPens(printer, canvas);
  ArcsAndPies(printer, canvas);
  SmoothedCurves(printer);
  Texts(printer);
}

}  // namespace kyrovane::test
