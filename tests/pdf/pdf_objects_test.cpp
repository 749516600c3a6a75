// The object model and the exact bytes of every object kind.

#include <gtest/gtest.h>

#include <sstream>

#include "pdf/PdfErrors.h"
#include "pdf/PdfTypes.h"
#include "pdf/PdfXref.h"
#include "pdf_test_support.h"
#include "support/test_support.h"

namespace kyrovane {
namespace {

using test::Body;
using test::Definition;

TEST(PdfScalars, Bodies) {
  TPdfNumber number(2.0L / 3);
  TPdfReal real(1.0 / 3);
  TPdfName name("A B#");
  TPdfText text("a(b)\\");
  TPdfText empty("");
  EXPECT_EQ(Body(number), "0.667");
  EXPECT_EQ(Body(real), "0.333333333333333");
  EXPECT_EQ(Body(name), "/A#20B#23");
  EXPECT_EQ(Body(text), "(a\\(b\\)\\\\)");
  EXPECT_EQ(Body(empty), "()");
}

TEST(PdfScalars, TextBeyondAsciiIsWrittenAsUtf16) {
  TPdfText japanese("\x93\xFA\x96\x7B");  // 日本
  TPdfText katakana("\xB1");              // half-width ｱ, which PDFDocEncoding would misread
  EXPECT_EQ(Body(japanese), "<FEFF001B6A61001B65E5672C>");
  EXPECT_EQ(Body(katakana), "<FEFF001B6A61001BFF71>");
}

// The object number decides the kind; only indirect objects have a definition.
TEST(PdfObjectKinds, NumberDecidesTheKind) {
  TPdfNumber number(1);
  EXPECT_THROW(Definition(number), EPdfInvalidOperation);
  number.SetObjectNumber(4);
  EXPECT_EQ(Body(number), "4 0 R");
  EXPECT_EQ(Definition(number), "4 0 obj\r\n1\r\nendobj\r\n");
  number.SetObjectNumber(0);
  EXPECT_EQ(Body(number), "1");
  auto placeholder = TPdfVirtualObject::CreateVirtual(9);
  EXPECT_EQ(Body(*placeholder), "9 0 R");
  EXPECT_EQ(test::MessageOf([&] { Definition(*placeholder); }), "");
}

TEST(PdfArrays, EveryItemIsFollowedByASpace) {
  auto box = TPdfArray::CreateNumArray(nullptr, {0, 0, 596, 842});
  TPdfArray empty(nullptr);
  EXPECT_EQ(Body(*box), "[0 0 596 842 ]");
  EXPECT_EQ(Body(empty), "[]");
}

TEST(PdfArrays, IndirectItemsAreStoredAsPlaceholders) {
  TPdfXref xref;
  auto& shared = xref.Register(std::make_unique<TPdfName>("Shared"));
  TPdfArray first(&xref), second(&xref);
  first.AddItem(shared);
  first.AddItem(shared);
  second.AddItem(shared);
  EXPECT_EQ(Body(first), "[1 0 R 1 0 R ]");
  EXPECT_EQ(Body(second), "[1 0 R ]");
  EXPECT_EQ(first.Items(1), &shared);  // looked up, the placeholder is the registered object
  TPdfNumber direct(1);
  EXPECT_THROW(first.AddItem(direct), EPdfInvalidOperation);
}

TEST(PdfArrays, FindNameIsExact) {
  TPdfArray filter(nullptr);
  filter.AddItem(std::make_unique<TPdfNumber>(1));
  filter.AddItem(std::make_unique<TPdfName>("FlateDecode"));
  EXPECT_NE(filter.FindName("FlateDecode"), nullptr);
  EXPECT_EQ(filter.FindName("flatedecode"), nullptr);
  EXPECT_EQ(filter.FindName("Flate"), nullptr);
}

TEST(PdfDictionaries, ElementLinesEndWithCrLf) {
  TPdfXref xref;
  auto& parent = xref.Register(std::make_unique<TPdfDictionary>(&xref));
  TPdfDictionary page(&xref);
  page.AddNameItem("Type", "Page");
  page.AddItem("Parent", parent);
  page.AddItem("Resources", std::make_unique<TPdfDictionary>(&xref));
  page.AddNumberItem("Rotate", 90);
  EXPECT_EQ(Body(page),
            "<<\r\n/Type /Page\r\n/Parent 1 0 R\r\n/Resources <<\r\n>>\r\n/Rotate 90\r\n>>");
  EXPECT_EQ(page.TypeOf(), "Page");
}

TEST(PdfDictionaries, EmptyAndInternalOnlyLookTheSame) {
  TPdfDictionary empty(nullptr);
  TPdfDictionary internal(nullptr);
  internal.AddInternalItem("_Font_Size", std::make_unique<TPdfReal>(10));
  EXPECT_EQ(Body(empty), "<<\r\n>>");
  EXPECT_EQ(Body(internal), "<<\r\n>>");
  ASSERT_NE(internal.PdfRealByName("_Font_Size"), nullptr);
  EXPECT_EQ(internal.PdfRealByName("_Font_Size")->Value(), 10);
  EXPECT_EQ(empty.TypeOf(), "");
}

TEST(PdfDictionaries, AddingAKeyAgainMovesItLast) {
  TPdfDictionary info(nullptr);
  info.AddItem("Producer", std::make_unique<TPdfText>("x"));
  info.AddItem("ModDate", std::make_unique<TPdfText>("1"));
  info.AddItem("Author", std::make_unique<TPdfText>("a"));
  info.AddItem("ModDate", std::make_unique<TPdfText>("2"));
  EXPECT_EQ(Body(info), "<<\r\n/Producer (x)\r\n/Author (a)\r\n/ModDate (2)\r\n>>");
  EXPECT_EQ(info.ItemCount(), 3u);
  info.RemoveItem("Author");
  info.RemoveItem("Missing");
  EXPECT_EQ(Body(info), "<<\r\n/Producer (x)\r\n/ModDate (2)\r\n>>");
}

TEST(PdfDictionaries, AMissingValueIsRefused) {
  TPdfDictionary dictionary(nullptr);
  EXPECT_THROW(dictionary.AddItem("Key", nullptr), EPdfInvalidValue);
  EXPECT_EQ(test::MessageOf([&] { dictionary.AddItem("Key", nullptr); }), "");
  EXPECT_EQ(dictionary.ItemCount(), 0u);
}

TEST(PdfXrefTable, NumbersObjectsInOrder) {
  TPdfXref xref;
  auto& first = xref.Register(std::make_unique<TPdfNumber>(1));
  auto& second = xref.Register(std::make_unique<TPdfNumber>(2));
  EXPECT_EQ(first.ObjectNumber(), 1);
  EXPECT_EQ(xref.GetObject(2), &second);
  EXPECT_EQ(xref.GetObject(3), nullptr);
  EXPECT_EQ(xref.GetObject(-1), nullptr);
}

TEST(PdfXrefTable, OnlyDirectObjectsCanBeRegistered) {
  TPdfXref xref;
  auto numbered = std::make_unique<TPdfNumber>(1);
  numbered->SetObjectNumber(7);
  EXPECT_EQ(test::MessageOf([&] { xref.AddObject(std::move(numbered)); }), "");
  EXPECT_THROW(xref.AddObject(TPdfVirtualObject::CreateVirtual(1)), EPdfInvalidOperation);
  EXPECT_EQ(xref.ItemCount(), 1);
}

TEST(PdfXrefTable, TwentyByteLines) {
  TPdfXref xref;
  xref.Register(std::make_unique<TPdfNumber>(1));
  xref.Items(1).ByteOffset = 11;
  std::ostringstream out;
  xref.WriteToStream(out);
  EXPECT_EQ(out.str(), "xref\r\n0 2\r\n0000000000 65535 f\r\n0000000011 00000 n\r\n");
}

}  // namespace
}  // namespace kyrovane
