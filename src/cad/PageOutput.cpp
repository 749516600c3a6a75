// Page output of the document: page size, tiles, rotation, background and drawing passes.

#include <algorithm>
#include <cmath>

#include "cad/CadPage.h"
#include "pdf/PDFPrinter.h"

namespace kyrovane {
namespace {

constexpr int kSheetWidth = 1031;  // tiles of mode 0
constexpr int kSheetHeight = 729;

// Whole points of a margin; a damaged margin is none.
long double MarginPoints(long double mm) {
  const long double points = std::nearbyint(MmToPt(mm));
  return std::isfinite(points) ? points : 0;
}

int TilesAcross(int length, int tile) {
  return length / tile + (length % tile != 0 ? 1 : 0);
}

}  // namespace

void TCad_Page::DrawLayers(TPdfCanvas& Canvas, std::uint8_t Pass, long double OffX,
                           long double OffY) {
  insertedDrawsLeft_ = kInsertedDrawsPerPass;
  const int count = LayerCount();
  for (const bool first : {true, false}) {
    for (int k = 0; k < count; ++k) {
      const int i = Output.ReverseOrder ? count - 1 - k : k;
      const bool marked = i < static_cast<int>(Output.LayerDrawFirst.size()) &&
                          Output.LayerDrawFirst[static_cast<std::size_t>(i)] != 0;
      if (marked == first) GetLayer(i)->Draw(nullptr, Canvas, OffX, OffY, Pass);
    }
  }
}

void TCad_Page::PrintToPdf(std::ostream& AStream, int ATiles, bool ASwap, int ARotation) {
  Output.PaintBackground = 1;
  Printer->BeginDoc();
  PrintDrawing(ARotation, ATiles, ASwap);
  Printer->EndDoc(AStream);
}

void TCad_Page::PrintPages(int ARotation, int ATiles) {
  PrintDrawing(ARotation, ATiles, false);
}

void TCad_Page::SetPrinterPage(int AWidth, int AHeight) {
  Printer->SetPageWidth(std::clamp(AWidth, kMinPageSize, kMaxPageSize));
  Printer->SetPageHeight(std::clamp(AHeight, kMinPageSize, kMaxPageSize));
}

void TCad_Page::PrintDrawing(int ARotation, int ATiles, bool ASwap) {
  const int width = std::clamp(PageWidth, kMinPageSize, kMaxPageSize);
  const int height = std::clamp(PageHeight, kMinPageSize, kMaxPageSize);
  SetPrinterPage(ASwap ? height : width, ASwap ? width : height);
  const int W = Printer->PageWidth();
  const int H = Printer->PageHeight();
  const long double mx = MarginPoints(MarginX);
  const long double my = MarginPoints(MarginY);

  switch (ATiles) {
    case 2:
      SetPrinterPage(W / 2, H);
      for (int k = 0; k < 2; ++k) {
        if (k > 0) Printer->NewPage();
        DrawPage(-k * (W / 2), 0, mx, my);
      }
      break;
    case 4:
    case 16: {
      const int n = ATiles == 4 ? 2 : 4;
      SetPrinterPage(W / n, H / n);
      for (int k = 0; k < ATiles; ++k) {
        if (k > 0) Printer->NewPage();
        DrawPage(-(k % n) * (W / n), -(k / n) * (H / n), mx, my);
      }
      break;
    }
    case 8:
      SetPrinterPage(W / 4, H / 2);
      for (int k = 0; k < 8; ++k) {
        if (k > 0) Printer->NewPage();
        DrawPage(-(k % 4) * (W / 4), -(k / 4) * (H / 2), mx, my);
      }
      break;
    case 0: {
      SetPrinterPage(kSheetWidth, kSheetHeight);
      const int columns = TilesAcross(width, kSheetWidth);
      const int rows = TilesAcross(height, kSheetHeight);
      for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
          if (r > 0 || c > 0) Printer->NewPage();
          DrawPage(-c * kSheetWidth, -r * kSheetHeight, mx, my);
        }
      }
      break;
    }
    default:
      PrintRotated(ARotation, width, height, mx, my);
      break;
  }
}

// One page with the whole drawing turned by ARotation about the page origin and moved back
// onto the page. The margin is a shift of the drawing, so it turns with it: every side of a
// page sized drawing plus twice the margin keeps its margin.
void TCad_Page::PrintRotated(int ARotation, int AWidth, int AHeight, long double mx,
                             long double my) {
  for (const auto& layer : Layers) layer->Angle = ARotation;
  switch (ARotation) {
    case 0:
      DrawPage(0, 0, mx, my);
      break;
    case 90:
      SetPrinterPage(AHeight, AWidth);
      DrawPage(AHeight, 0, -my, mx);
      break;
    case 180:
      DrawPage(AWidth, AHeight, -mx, -my);
      break;
    case 270:
      SetPrinterPage(AHeight, AWidth);
      DrawPage(0, AWidth, my, -mx);
      break;
    default:
      DrawPage(0, 0, mx, my);
      break;
  }
}

// The page sequence of one page or tile: round line caps (the graphics state of every page
// starts afresh), the background rectangle, then passes 2, 1 and 3 with the margin. No
// entity carries pass 4, so that pass is not drawn.
void TCad_Page::DrawPage(long double OffX, long double OffY, long double MarginDX,
                         long double MarginDY) {
  TPdfCanvas& canvas = Printer->GetCanvas();
  canvas.SetLineCap(1);
  if (Output.PaintBackground) {
    canvas.SetRGBStrokeColor(Output.BackgroundColor);
    canvas.SetRGBFillColor(Output.BackgroundColor);
    canvas.Rectangle(0, 0, Printer->PageWidth(), Printer->PageHeight());
    canvas.FillStroke();
    canvas.SetRGBFillColor(0);
    canvas.SetRGBStrokeColor(0);
  }
  for (const std::uint8_t pass : {2, 1, 3}) {
    DrawLayers(canvas, pass, OffX + MarginDX, OffY + MarginDY);
  }
}

}  // namespace kyrovane
