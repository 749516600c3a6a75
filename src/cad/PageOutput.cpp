// Page output of the document: page size, tiles, rotation, background and drawing passes.

#include <algorithm>
#include <cmath>
#include <utility>

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

// Length of each of n tiles that together cover the length: rounded up, so that no strip at
// the edge of the sheet, often its frame, is left out.
int TileLength(int length, int n) {
  return length / n + (length % n != 0 ? 1 : 0);
}

// Sheets of mode 0 along one direction of the page.
int SheetsAcross(int length, int sheet) {
  return std::min(TileLength(length, sheet), TCad_Page::kMaxSheetsAcross);
}

}  // namespace

void TCad_Page::DrawLayers(TPdfCanvas& Canvas, std::uint8_t Pass, long double OffX,
                           long double OffY) {
  insertedDrawsLeft_ = InsertedDrawsPerPass;
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

// The tiles are cut from the whole drawing; only each page written is bounded.
void TCad_Page::PrintDrawing(int ARotation, int ATiles, bool ASwap) {
  const int width = std::max(PageWidth, kMinPageSize);
  const int height = std::max(PageHeight, kMinPageSize);
  const int W = ASwap ? height : width;
  const int H = ASwap ? width : height;
  SetPrinterPage(W, H);
  const long double mx = MarginPoints(MarginX);
  const long double my = MarginPoints(MarginY);
  // Tiles of `across` columns and `up` rows, drawn row by row from the bottom.
  const auto tiles = [&](int across, int up) {
    const int w = TileLength(W, across);
    const int h = TileLength(H, up);
    SetPrinterPage(w, h);
    for (int k = 0; k < across * up; ++k) {
      if (k > 0) Printer->NewPage();
      DrawPage(-static_cast<long double>(k % across) * w, -static_cast<long double>(k / across) * h,
               mx, my);
    }
  };

  switch (ATiles) {
    case 2:
      tiles(2, 1);
      break;
    case 4:
      tiles(2, 2);
      break;
    case 8:
      tiles(4, 2);
      break;
    case 16:
      tiles(4, 4);
      break;
    case 0: {
      SetPrinterPage(kSheetWidth, kSheetHeight);
      const int columns = SheetsAcross(width, kSheetWidth);
      const int rows = SheetsAcross(height, kSheetHeight);
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
// onto the page. On a sheet the margins are the paper's and stay where they are. On a page
// sized to the drawing they are part of the drawing's box and turn with it, so that every
// side keeps its margin.
void TCad_Page::PrintRotated(int ARotation, int AWidth, int AHeight, long double mx,
                             long double my) {
  for (const auto& layer : Layers) layer->Angle = ARotation;
  const auto turned = [&](long double x, long double y) {
    return SizedToDrawing ? std::pair{x, y} : std::pair{mx, my};
  };
  switch (ARotation) {
    case 90: {
      SetPrinterPage(AHeight, AWidth);
      const auto [dx, dy] = turned(-my, mx);
      DrawPage(AHeight, 0, dx, dy);
      break;
    }
    case 180: {
      const auto [dx, dy] = turned(-mx, -my);
      DrawPage(AWidth, AHeight, dx, dy);
      break;
    }
    case 270: {
      SetPrinterPage(AHeight, AWidth);
      const auto [dx, dy] = turned(my, -mx);
      DrawPage(0, AWidth, dx, dy);
      break;
    }
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
