#pragma once

// The drawing document: its layers, line types and blocks, its page size and margins, the
// printer it draws through, and the output settings that the converter sets before drawing.

#include <array>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "cad/CadContainer.h"
#include "cad/CadObject.h"
#include "cad/OutputNotices.h"
#include "cad/PictureNames.h"
#include "cad/PictureStore.h"

namespace kyrovane {

class TPDFPrinter;

// What the conversion driver and the builders set for the drawing of a document.
struct TCad_OutputGlobals {
  std::string DefaultFontName;              // for texts without a font name ("Gothic" or "Mincyo")
  std::int32_t BackgroundColor = 0xFFFFFF;  // 0x00BBGGRR of the page background rectangle
  std::uint8_t PaintBackground = 1;
  std::uint8_t ReverseOrder = 0;  // draw layers and container children last to first
  long double OutputScale = 1;    // scale of the whole output; paper-sized texts use it
  // Per layer position: non-zero draws the layer in the first of the two layer loops.
  std::array<std::uint8_t, 256> LayerDrawFirst{};
  int ImageSerial = 0;  // handed to each new picture entity, then incremented
};

class TCad_Page {
 public:
  TCad_Page();
  ~TCad_Page();
  TCad_Page(const TCad_Page&) = delete;
  TCad_Page& operator=(const TCad_Page&) = delete;

  // Frees every layer, line type and block, restores the default page and empties the
  // notices; the printer, the document open in it and the pictures stay (the drawings of a
  // list go into one document).
  void Clear();
  // As Clear, with a new printer and no pictures kept.
  void Reset();

  // Each returns the index of the first element of that name, appending a new one if none.
  int AddLayer(std::string_view AName);
  int AddLineType(std::string_view AName);
  int AddBlock(std::string_view AName, TCad_Layer* ALayer);

  // The first element whose name equals AName byte for byte; null when none.
  TCad_Layer* FindLayer(std::string_view AName) const;
  TCad_Line_Type* FindLineType(std::string_view AName) const;
  TCad_Block* FindBlock(std::string_view AName) const;

  int LayerCount() const { return static_cast<int>(Layers.size()); }
  TCad_Layer* GetLayer(int I) const { return Layers.at(static_cast<std::size_t>(I)).get(); }
  TCad_Line_Type* GetLineType(int I) const {
    return LineTypes.at(static_cast<std::size_t>(I)).get();
  }
  TCad_Block* GetBlock(int I) const { return Blocks.at(static_cast<std::size_t>(I)).get(); }

  // Draws every layer once, the layers marked in LayerDrawFirst first.
  void DrawLayers(TPdfCanvas& Canvas, std::uint8_t Pass, long double OffX, long double OffY);

  // Makes a whole PDF of the drawing and writes it to AStream. ATiles is 1, 2, 4, 8 or 16
  // pages per drawing, or 0 for sheets of 1031 x 729 points; ARotation (0, 90, 180, 270)
  // applies to single pages only; ASwap starts with the page turned to portrait.
  void PrintToPdf(std::ostream& AStream, int ATiles, bool ASwap, int ARotation);
  // The same pages, added to the document open in the printer: the first page drawn is its
  // current page.
  void PrintPages(int ARotation, int ATiles);

  // Inserts draw their blocks through this budget: every member visited through an insert
  // costs one, per pass of a page (an export of the model draws on the same budget). An insert
  // whose block no longer fits is not drawn, which bounds drawings whose blocks fan out
  // exponentially; real drawings stay far below it.
  bool ChargeInsertedDraws(int AMembers);
  static constexpr long long kInsertedDrawsPerPass = 3000000;
  long long InsertedDrawsPerPass = kInsertedDrawsPerPass;
  // Counts an insert that is not drawn (once per insert) in the notices.
  void NoteCutInsert(const TCad_Insert& AInsert);
  // Links followed from an insert to the one enclosing it since the last Clear or Reset.
  // Drawing keeps the chain of every insert it goes through and follows none, so that the
  // work of a page does not grow with the depth of its blocks.
  long long ChainLinksFollowed = 0;

  // Each page written to the file is bounded by the PDF page limits; a drawing larger than
  // that is cut on its pages, and its sheets of 1031 x 729 points are at most kMaxSheetsAcross
  // in each direction.
  static constexpr int kMinPageSize = 3;
  static constexpr int kMaxPageSize = 14400;
  static constexpr int kMaxSheetsAcross = 32;

  std::unique_ptr<TPDFPrinter> Printer;
  int PageHeight = 1684;    // points
  int PageWidth = 2384;     // points
  long double MarginX = 0;  // millimetres left of the drawing
  long double MarginY = 0;  // millimetres below the drawing
  // The page is the drawing's box with the margins around it, not a sheet: turned, it keeps
  // the margins on every side.
  bool SizedToDrawing = false;
  TCad_OutputGlobals Output;
  // What drawing left out since the last Clear or Reset.
  TCad_OutputNotices Notices;
  // Resource names of the pictures drawn into the printer's documents.
  TCad_PictureNames PictureNames;
  // The pictures of the conversion, shared by the images that place them; kept until Reset.
  TCad_PictureStore Pictures;

 private:
  void PrintDrawing(int ARotation, int ATiles, bool ASwap);
  void PrintRotated(int ARotation, int AWidth, int AHeight, long double mx, long double my);
  void DrawPage(long double OffX, long double OffY, long double MarginDX, long double MarginDY);
  void SetPrinterPage(int AWidth, int AHeight);

  std::vector<std::unique_ptr<TCad_Layer>> Layers;
  std::vector<std::unique_ptr<TCad_Line_Type>> LineTypes;
  std::vector<std::unique_ptr<TCad_Block>> Blocks;
  long long insertedDrawsLeft_ = kInsertedDrawsPerPass;
  std::unordered_set<const TCad_Insert*> cutInserts_;
};

}  // namespace kyrovane
