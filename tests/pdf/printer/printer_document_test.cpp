// Documents, pages and settings of the drawing component.

#include <fstream>
#include <regex>
#include <sstream>

#include "pdf/ParallelDeflate.h"
#include "pdf_inspection.h"
#include "printer_fixture.h"

namespace kyrovane::test {
namespace {

std::vector<std::string> MediaBoxes(const std::string& pdf) {
  std::vector<std::string> boxes;
  std::regex box("/MediaBox \\[([^\\]]*)\\]");
  for (auto it = std::sregex_iterator(pdf.begin(), pdf.end(), box); it != std::sregex_iterator();
       ++it) {
    boxes.push_back((*it)[1]);
  }
  return boxes;
}

TEST(TPDFPrinterSettings, LineTypePresets) {
  TPDFPrinter printer;
  const std::vector<std::vector<long double>> presets = {{},
                                                         {0},
                                                         {2},
                                                         {4},
                                                         {6, 2},
                                                         {10, 2, 2, 2},
                                                         {13, 2, 2, 2},
                                                         {4, 2, 1, 2, 1, 2},
                                                         {12, 2, 1, 2, 1, 2},
                                                         {1}};
  for (int slot = 0; slot < TPDFPrinter::kLineTypeCount; ++slot) {
    SCOPED_TRACE(slot);
    const TLineType& lineType = printer.GetLineType(slot);
    EXPECT_EQ(lineType.Values, slot < 10 ? presets[slot] : std::vector<long double>{});
    EXPECT_EQ(lineType.Phase, 0);
  }
}

TEST(TPDFPrinterSettings, LineTypeSlotsAreCopiesAndBounded) {
  TPDFPrinter printer;
  TLineType mine{{3, 1}, 2};
  printer.SetLineType(20, mine);
  mine.Values.push_back(9);
  EXPECT_EQ(printer.GetLineType(20).Values, (std::vector<long double>{3, 1}));
  EXPECT_EQ(printer.GetLineType(20).Phase, 2);
  EXPECT_THROW(printer.SetLineType(21, mine), EPdfInvalidValue);
  EXPECT_THROW(printer.SetLineType(-1, mine), EPdfInvalidValue);
  EXPECT_THROW(printer.GetLineType(21), EPdfInvalidValue);
}

TEST(TPDFPrinterSettings, CallsThatNeedADocumentFailCleanlyWithoutOne) {
  TPDFPrinter printer;
  std::ostringstream out;
  try {
    printer.EndDoc(out);
    FAIL() << "EndDoc without a document";
  } catch (const EInvalidOperation& error) {
    EXPECT_STREQ(error.what(), "document is null..");
  }
  EXPECT_THROW(printer.NewPage(), EInvalidOperation);
  EXPECT_THROW(printer.GetCanvas(), EInvalidOperation);
  EXPECT_THROW(printer.GetPCanvas(), EInvalidOperation);
  EXPECT_THROW(printer.DrawSpline({}, 0, 1, 0, {}), EInvalidOperation);
  EXPECT_THROW(printer.TextOut(100, "a", 0, 0, 0, 0, "Arial", 10, 0, false), EInvalidOperation);
  EXPECT_EQ(out.str(), "");
}

TEST_F(PrinterTest, EmptyDocumentHasTheFixedObjectsInOrder) {
  printer.Author = "me";
  printer.Title = "plan (1)";
  printer.PageMode = pmUseOutlines;
  printer.BeginDoc();
  const std::string pdf = EndFile();
  EXPECT_FALSE(printer.HasDoc());
  const std::string head =
      "%PDF-1.2 \r\n"
      "1 0 obj\r\n<<\r\n/Type /Catalog\r\n/Outlines 2 0 R\r\n/Pages 4 0 R\r\n"
      "/PageMode /UseOutlines\r\n>>\r\nendobj\r\n"
      "2 0 obj\r\n<<\r\n/Type /Outlines\r\n/Count 0\r\n>>\r\nendobj\r\n"
      "3 0 obj\r\n<<\r\n/Producer (Orvesta)\r\n/Author (me)\r\n"
      "/CreationDate (D:20250102030405)\r\n/Creator ()\r\n/Keywords ()\r\n/Subject ()\r\n"
      "/Title (plan \\(1\\))\r\n/ModDate (D:20250102030408)\r\n>>\r\nendobj\r\n"
      "4 0 obj\r\n<<\r\n/Type /Pages\r\n/Kids [5 0 R ]\r\n/Count 1\r\n>>\r\nendobj\r\n"
      "5 0 obj\r\n<<\r\n/Type /Page\r\n/Parent 4 0 R\r\n/MediaBox [0 0 596 842 ]\r\n"
      "/Resources <<\r\n/Font <<\r\n/F0 7 0 R\r\n>>\r\n/Pattern <<\r\n>>\r\n/XObject <<\r\n>>\r\n"
      "/ProcSet [/PDF /Text /ImageC ]\r\n>>\r\n/Contents 6 0 R\r\n>>\r\nendobj\r\n"
      "6 0 obj\r\n<<\r\n/Length 18\r\n/Filter [/FlateDecode ]\r\n>>\r\nstream\r\n";
  EXPECT_EQ(pdf.substr(0, head.size()), head);
  EXPECT_EQ(StreamData(pdf), std::vector<std::string>{"/F0 10 Tf\n"});
}

TEST_F(PrinterTest, BeginDocDiscardsAnOpenDocument) {
  printer.NewPage();
  printer.DrawLine(Canvas(), 0, 0, 0, 1, 1, 1, {}, true);
  printer.BeginDoc();
  EXPECT_EQ(EndPages(), std::vector<std::string>{"/F0 10 Tf\n"});
}

TEST_F(PrinterTest, PagesTakeThePageSizeSetLast) {
  printer.NewPage();
  printer.SetPageWidth(842);
  printer.SetPageHeight(596);
  printer.NewPage();
  printer.SetPageWidth(2384);
  printer.SetPageHeight(1684);
  EXPECT_EQ(printer.PageWidth(), 2384);
  EXPECT_EQ(MediaBoxes(EndFile()),
            (std::vector<std::string>{"0 0 596 842 ", "0 0 842 596 ", "0 0 2384 1684 "}));
  CommandResult info = test::Run("pdfinfo -f 1 -l 3 " + ShellQuote(file.string()));
  EXPECT_NE(info.out.find("Page    3 size:  2384 x 1684 pts"), std::string::npos) << info.out;
}

TEST(TPDFPrinterDocuments, PageSizeSetBeforeTheDocumentIsKeptForItsPages) {
  ScopedPdfClock clock;
  TPDFPrinter printer;
  printer.SetPageWidth(1191);
  printer.SetPageHeight(842);
  printer.BeginDoc();
  printer.NewPage();
  std::ostringstream out;
  printer.EndDoc(out);
  EXPECT_EQ(MediaBoxes(out.str()), (std::vector<std::string>{"0 0 1191 842 ", "0 0 1191 842 "}));
}

TEST(TPDFPrinterDocuments, SettingsOutliveTheDocument) {
  ScopedPdfClock clock;
  TPDFPrinter printer;
  printer.SetLineType(12, {{5, 5}, 0});
  for (int round = 0; round < 2; ++round) {
    printer.BeginDoc();
    printer.DrawLine(printer.GetCanvas(), 0, 0, 0, 1, 1, 1, printer.GetLineType(12), true);
    std::ostringstream out;
    printer.EndDoc(out);
    EXPECT_NE(StreamData(out.str()).at(0).find("[5 5 ] 0 d"), std::string::npos);
  }
}

TEST_F(PrinterTest, ManyPagesOfDrawingsPassEveryReader) {
  for (int page = 0; page < 5; ++page) {
    if (page > 0) printer.NewPage();
    printer.DrawArc(Canvas(), 0xFF0000, 100, 60, 300, 400, 0, 300, page * 15, 2,
                    printer.GetLineType(page + 2), page % 2 == 1);
    printer.TextOut(100, "page", 50, 50, 1, page * 10, "Times-Bold", 24, 0x008000, true);
  }
  EXPECT_EQ(EndPages().size(), 5u);
}

// A page far larger than one deflate piece goes through the parallel compression.
TEST_F(PrinterTest, LargePageContentsStayOneValidStream) {
  std::string expected = "/F0 10 Tf\n";
  for (int i = 0; i < 60000; ++i) {
    printer.DrawLine(Canvas(), 0, i % 500, i % 700, 1 + i % 300, 2, 1, {}, true);
    expected += Lines({"1 w", "0 0 0 RG", "[] 0 d"}) + std::to_string(i % 500) + " " +
                std::to_string(i % 700) + " m\n" + std::to_string(1 + i % 300) + " 2 l\nS\n";
  }
  ASSERT_GT(expected.size(), 4 * kDeflatePieceSize);
  EXPECT_EQ(EndPages(), std::vector<std::string>{expected});
}

// Page contents are compressed while they are drawn, on the threads set: the file is the same
// on any number of them, with pages of many pieces and of less than one.
TEST(TPDFPrinterDocuments, TheFileIsTheSameWhateverTheNumberOfDeflateThreads) {
  const std::initializer_list<int> pages = {30000, 200, 32000, 200};
  const std::string oneThread = LinesDocument(1, pages);
  EXPECT_EQ(LinesDocument(2, pages), oneThread);
  EXPECT_EQ(LinesDocument(8, pages), oneThread);
  const std::vector<std::string> contents = StreamData(oneThread);
  ASSERT_EQ(contents.size(), 4u);
  EXPECT_GT(contents[0].size(), 4 * kDeflatePieceSize);
}

}  // namespace
}  // namespace kyrovane::test
