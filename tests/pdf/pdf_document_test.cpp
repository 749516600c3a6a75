// The document: fixed objects, pages, fonts and image objects, and the file it writes.

#include <gtest/gtest.h>

#include "pdf/PdfClassRegistry.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfErrors.h"
#include "pdf/PdfImageCreator.h"
#include "pdf_test_support.h"
#include "support/test_support.h"

namespace kyrovane {
namespace {

using test::SaveChecked;

// The text between "n 0 obj" CR LF and CR LF "endobj" in a saved file.
std::string ObjectText(const std::string& file, int number) {
  std::string head = "\n" + std::to_string(number) + " 0 obj\r\n";
  std::size_t start = file.find(head);
  if (start == std::string::npos) return "missing";
  start += head.size();
  return file.substr(start, file.find("\r\nendobj\r\n", start) - start);
}

class PdfDocument : public ::testing::Test {
 protected:
  test::ScopedTestImageCreator images_;
  test::ScopedPdfClock clock_;
  TPdfDoc doc_;
};

TEST_F(PdfDocument, OneEmptyPageMatchesTheGoldenFiles) {
  for (auto [method, golden] :
       {std::pair{cmNone, "pdf/empty-page.pdf"}, {cmFlateDecode, "pdf/empty-page-flate.pdf"}}) {
    SCOPED_TRACE(golden);
    test::ScopedPdfClock clock;
    doc_.SetCompressionMethod(method);
    doc_.NewDoc();
    doc_.AddPage();
    EXPECT_EQ(SaveChecked(doc_), test::ReadFile(test::TestData(golden)));
  }
}

TEST_F(PdfDocument, CrossReferenceLinesPointAtTheirObjects) {
  doc_.NewDoc();
  for (int i = 0; i < 3; ++i) doc_.AddPage();
  doc_.GetCanvas().SetFont("Times-Roman", 12);
  std::string file = SaveChecked(doc_);

  std::size_t xref = file.find("\r\nxref\r\n") + 2;
  std::size_t startxref = file.find("startxref\r\n") + 11;
  EXPECT_EQ(std::stoul(file.substr(startxref)), xref);
  // Catalog, outlines, information, page tree, the first page with its contents and font,
  // two more pages with their contents and the second font.
  const int count = 4 + 3 + 2 * 2 + 1 + 1;
  ASSERT_EQ(file.substr(xref, 12), "xref\r\n0 " + std::to_string(count) + "\r\n");
  EXPECT_NE(file.find("/Size " + std::to_string(count) + "\r\n"), std::string::npos);
  std::size_t line = xref + 12;
  EXPECT_EQ(file.substr(line, 20), "0000000000 65535 f\r\n");
  for (int number = 1; number < count; ++number) {
    std::string entry = file.substr(line + 20 * number, 20);
    ASSERT_EQ(entry.substr(10), " 00000 n\r\n");
    std::string definition = std::to_string(number) + " 0 obj\r\n";
    EXPECT_EQ(file.substr(std::stoul(entry.substr(0, 10)), definition.size()), definition);
  }
  EXPECT_EQ(file.substr(line + 20 * count, 9), "trailer\r\n");
}

TEST_F(PdfDocument, PagesJoinThePageTreeAndStartWithTheDefaultFont) {
  doc_.NewDoc();
  for (int i = 0; i < 3; ++i) doc_.AddPage();
  std::string file = SaveChecked(doc_);
  EXPECT_EQ(ObjectText(file, 4),
            "<<\r\n/Type /Pages\r\n/Kids [5 0 R 8 0 R 10 0 R ]\r\n/Count 3\r\n>>");
  // Every page names the default font and selects it first, also after a page that ended
  // with it.
  for (int page : {5, 8, 10}) {
    EXPECT_NE(ObjectText(file, page).find("/Font <<\r\n/F0 7 0 R\r\n>>"), std::string::npos);
    EXPECT_NE(ObjectText(file, page).find("/Contents " + std::to_string(page + 1) + " 0 R"),
              std::string::npos);
    EXPECT_NE(ObjectText(file, page + 1).find("stream\r\n/F0 10 Tf\n\nendstream"),
              std::string::npos);
  }
}

TEST_F(PdfDocument, PageSizeAndCompressionApplyToNewPages) {
  doc_.SetDefaultPageWidth(842);
  doc_.SetDefaultPageHeight(595);
  doc_.SetCompressionMethod(cmFlateDecode);
  doc_.NewDoc();
  doc_.AddPage();
  std::string file = SaveChecked(doc_);
  EXPECT_NE(ObjectText(file, 5).find("/MediaBox [0 0 842 595 ]"), std::string::npos);
  EXPECT_NE(ObjectText(file, 6).find("/Filter [/FlateDecode ]"), std::string::npos);
}

TEST_F(PdfDocument, NewDocStartsAgainAtObjectOne) {
  test::ScopedTempFolder folder;
  doc_.NewDoc();
  doc_.AddPage();
  doc_.GetCanvas().Rectangle(0, 0, 10, 10);
  doc_.AddPage();  // the first page's contents go to the buffer file
  EXPECT_EQ(test::OpenFilesIn(folder.path()), 1);
  {
    test::ScopedPdfClock restart;
    doc_.NewDoc();
    EXPECT_EQ(test::OpenFilesIn(folder.path()), 0);
    doc_.AddPage();
    EXPECT_EQ(SaveChecked(doc_), test::ReadFile(test::TestData("pdf/empty-page.pdf")));
  }
  doc_.FreeDoc();
  EXPECT_FALSE(doc_.HasDoc());
  EXPECT_TRUE(folder.IsEmpty());
}

TEST_F(PdfDocument, SavingTwiceWritesTheFileAgainWithANewModDate) {
  doc_.NewDoc();
  doc_.AddPage();
  std::ostringstream out;
  doc_.SaveToStream(out);
  std::string first = out.str();
  doc_.SaveToStream(out);
  std::string second = out.str();
  ASSERT_EQ(second.size(), first.size());
  std::size_t modDate = first.find("/ModDate (D:20250102030406)");
  ASSERT_NE(modDate, std::string::npos);
  EXPECT_EQ(second.substr(modDate, 27), "/ModDate (D:20250102030407)");
  EXPECT_EQ(second.substr(0, modDate), first.substr(0, modDate));
  EXPECT_EQ(second.substr(modDate + 27), first.substr(modDate + 27));
}

TEST_F(PdfDocument, InformationKeysFollowTheOrderOfSetting) {
  doc_.NewDoc();
  TPdfInfo& info = doc_.GetInfo();
  info.SetAuthor("a");
  info.SetCreationDate(EncodeDateTime(2024, 5, 6, 7, 8, 9));
  info.SetCreator("c");
  info.SetKeywords("k");
  info.SetModDate(0);
  info.SetSubject("s");
  info.SetTitle("t");
  doc_.GetRoot().SetPageMode(pmUseNone);
  doc_.AddPage();
  std::string file = SaveChecked(doc_);
  EXPECT_EQ(ObjectText(file, 3),
            "<<\r\n/Producer (Orvesta)\r\n/Author (a)\r\n/CreationDate (D:20240506070809)\r\n"
            "/Creator (c)\r\n/Keywords (k)\r\n/Subject (s)\r\n/Title (t)\r\n"
            "/ModDate (D:20250102030406)\r\n>>");
  EXPECT_EQ(ObjectText(file, 1),
            "<<\r\n/Type /Catalog\r\n/Outlines 2 0 R\r\n/Pages 4 0 R\r\n/PageMode /UseNone\r\n>>");
}

TEST_F(PdfDocument, CatalogSettings) {
  doc_.NewDoc();
  TPdfCatalog& root = doc_.GetRoot();
  root.SetPageMode(pmFullScreen);
  root.SetPages(*root.Data());  // not a page tree: ignored
  root.SetPageMode(pmUseThumbs);
  EXPECT_TRUE(root.GetUseOutlines());
  root.SetUseOutlines(false);
  EXPECT_FALSE(root.GetUseOutlines());
  doc_.AddPage();
  std::string file = SaveChecked(doc_);
  EXPECT_EQ(ObjectText(file, 1),
            "<<\r\n/Type /Catalog\r\n/Pages 4 0 R\r\n/PageMode /UseThumbs\r\n>>");
  EXPECT_EQ(ObjectText(file, 2), "<<\r\n/Type /Outlines\r\n/Count 0\r\n>>");
}

TEST_F(PdfDocument, FontsAreMadeOncePerDocumentAndNamedInOrder) {
  doc_.NewDoc();
  TPdfFont& arial = doc_.GetFont("Arial");
  EXPECT_EQ(&doc_.GetFont("Arial"), &arial);
  TPdfFont& times = doc_.GetFont("Times-Roman");
  EXPECT_EQ(arial.Data()->PdfNameByName("Name")->Value(), "F0");
  EXPECT_EQ(times.Data()->PdfNameByName("Name")->Value(), "F1");
  EXPECT_EQ(times.Name(), "Times-Roman");
  doc_.NewDoc();
  EXPECT_EQ(doc_.GetFont("Times-Roman").Data()->PdfNameByName("Name")->Value(), "F0");
}

TEST_F(PdfDocument, AnUnknownFontAddsNothing) {
  doc_.NewDoc();
  int objects = doc_.GetXref().ItemCount();
  EXPECT_EQ(test::MessageOf([&] { doc_.GetFont("Helvetica"); }),
            "クラス Helvetica が見つかりません");
  EXPECT_THROW(doc_.GetFont("Test-Image"), EClassNotFound);  // a creator, not a font
  EXPECT_EQ(doc_.GetXref().ItemCount(), objects);
  EXPECT_EQ(doc_.GetFont("Arial").Data()->PdfNameByName("Name")->Value(), "F0");
}

TEST_F(PdfDocument, ImageObjectsAreMadeOncePerName) {
  doc_.NewDoc();
  doc_.AddPage();
  doc_.AddXObject("red", 1, "Test-Image");
  doc_.AddXObject("red", std::string("not looked at"), "Test-Image");
  EXPECT_EQ(test::ScopedTestImageCreator::calls, 1);
  TPdfXObject* image = doc_.GetXObject("red");
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->ObjectNumber(), 8);
  EXPECT_EQ(doc_.GetXObject("blue"), nullptr);
  EXPECT_EQ(ObjectText(SaveChecked(doc_), 8),
            std::string("<<\r\n/Length 6\r\n/Filter []\r\n/Type /XObject\r\n/Subtype /Image\r\n"
                        "/Width 2\r\n/Height 1\r\n/BitsPerComponent 8\r\n/ColorSpace /DeviceRGB\r\n"
                        "/Name /red\r\n>>\r\nstream\r\n\xFF\x00\x00\x00\x00\xFF\nendstream",
                        166));
}

TEST_F(PdfDocument, ImageObjectRegistrationErrors) {
  doc_.NewDoc();
  EXPECT_EQ(test::MessageOf([&] { doc_.AddXObject("x", 1, "Missing"); }),
            "クラス Missing が見つかりません");
  EXPECT_EQ(test::MessageOf([&] { doc_.AddXObject("x", 1.5, "Test-Image"); }),
            "Error AObject is null");
  EXPECT_EQ(test::MessageOf([&] { doc_.RegisterXObject(static_cast<TPdfXObject*>(nullptr), "x"); }),
            "Error AObject is null");
  auto untyped = std::make_unique<TPdfXObject>(&doc_.GetXref());
  EXPECT_EQ(test::MessageOf([&] { doc_.RegisterXObject(std::move(untyped), "x"); }),
            "Error AObject is null");

  int objects = doc_.GetXref().ItemCount();
  doc_.AddXObject("x", 1, "Test-Image");
  auto second = std::make_unique<TPdfXObject>(&doc_.GetXref());
  second->Attributes().AddNameItem("Type", "XObject");
  EXPECT_EQ(test::MessageOf([&] { doc_.RegisterXObject(std::move(second), "x"); }),
            "dupulicate name: x");
  EXPECT_EQ(doc_.GetXref().ItemCount(), objects + 1);
}

TEST_F(PdfDocument, AnImageObjectWithANameKeepsIt) {
  doc_.NewDoc();
  auto named = std::make_unique<TPdfXObject>(&doc_.GetXref());
  named->Attributes().AddNameItem("Type", "XObject");
  named->Attributes().AddNameItem("Name", "own");
  TPdfXObject* object = named.get();
  doc_.RegisterXObject(std::move(named), "other");
  EXPECT_EQ(object->ObjectType(), otIndirectObject);
  EXPECT_EQ(object->Attributes().PdfNameByName("Name")->Value(), "own");
  EXPECT_EQ(doc_.GetXObject("other"), nullptr);
  EXPECT_EQ(doc_.GetXObject("own"), nullptr);
}

TEST_F(PdfDocument, CallsWithoutADocument) {
  std::ostringstream out;
  EXPECT_EQ(test::MessageOf([&] { doc_.GetCanvas(); }), "Document is null");
  EXPECT_EQ(test::MessageOf([&] { doc_.GetInfo(); }), "this method can not use this state..");
  EXPECT_EQ(test::MessageOf([&] { doc_.GetRoot(); }), "this method can not use this state..");
  EXPECT_EQ(test::MessageOf([&] { doc_.GetFont("Arial"); }), "document is null.");
  EXPECT_EQ(test::MessageOf([&] { doc_.AddPage(); }), "internal error. current pages null.");
  EXPECT_EQ(test::MessageOf([&] { doc_.SaveToStream(out); }), "there is no document to save.");
  EXPECT_THROW(doc_.AddPage(), EPdfInvalidOperation);
  EXPECT_EQ(out.str(), "");
  // The second canvas needs no document, and draws nothing.
  EXPECT_THROW(doc_.GetPCanvas().MoveTo(0, 0), EPdfInvalidOperation);
}

TEST_F(PdfDocument, AFailingStreamIsReported) {
  doc_.NewDoc();
  doc_.AddPage();
  std::ostringstream out;
  out.setstate(std::ios::badbit);
  EXPECT_THROW(doc_.SaveToStream(out), EPdfInvalidOperation);
}

}  // namespace
}  // namespace kyrovane
