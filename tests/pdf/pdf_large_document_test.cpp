// Long documents: thousands of pages under a small descriptor limit, and no buffer file left
// behind, whether the document is freed or the process is killed.

#include <gtest/gtest.h>

#include "pdf_test_support.h"
#include "support/test_support.h"

namespace kyrovane {
namespace {

using test::ShellQuote;

// The writer program with its own temp folder.
std::string Writer(const test::TempDir& temp) {
  return "TMPDIR=" + ShellQuote(temp.path().string()) + " " + ShellQuote(KYROVANE_PDF_MANY_PAGES);
}

TEST(PdfLargeDocuments, FiveThousandPagesUnderSixtyFourDescriptors) {
  test::TempDir temp, dir;
  auto path = dir / "long.pdf";
  test::CommandResult result =
      test::Run("ulimit -n 64 && " + Writer(temp) + " 5000 " + ShellQuote(path.string()));
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "saved\n");
  EXPECT_TRUE(std::filesystem::is_empty(temp.path()));

  test::CommandResult info = test::Run("pdfinfo " + ShellQuote(path.string()));
  EXPECT_NE(info.out.find("Pages:           5000\n"), std::string::npos) << info.out;
  test::CommandResult last =
      test::Run("qpdf --show-object=10006 --filtered-stream-data " + ShellQuote(path.string()));
  EXPECT_NE(last.out.find("(Page 5000) Tj"), std::string::npos);
  test::ExpectReadersAccept(path, 3);
}

TEST(PdfLargeDocuments, AKilledProcessLeavesNoBufferFile) {
  test::TempDir temp;
  test::CommandResult result = test::Run(Writer(temp) + " 300 --kill");
  EXPECT_NE(result.exitCode, 0);
  // The pages were buffered in one file in the temp folder, which had no name to leave behind.
  EXPECT_EQ(result.out, "buffer files: 1\n");
  EXPECT_TRUE(std::filesystem::is_empty(temp.path()));
}

}  // namespace
}  // namespace kyrovane
