// The header of a JWW file: its acceptance tests, its layout and every field.

#include <gtest/gtest.h>

#include <cstring>

#include "import/ByteReader.h"
#include "import/jwwunit.h"
#include "import/support/jww_writer.h"
#include "jww_samples.h"

namespace kyrovane::jwwunit {
namespace {

using test::JwwWriter;

std::string HeaderFile(const JWWHead& head, JwwWriter::Form form = JwwWriter::Form::Shortest) {
  return JwwWriter(head, form).Count(0).Data();
}

// A header whose every field holds a value of its own.
JWWHead FullHead() {
  JWWHead head = test::DefaultJwwHead();
  head.Memo = std::string(300, 'm');  // longer than a length byte can say
  head.PaperSize = 11;
  head.Reserved1 = 0xA1;
  for (int g = 0; g < 16; ++g) {
    JWWGroupRecord& group = head.Groups[g];
    group.State = g % 3;
    group.Reserved1 = 100 + g;
    group.Reserved2 = g + 0.5;
    group.Reserved3 = 200 + g;
    for (int l = 0; l < 16; ++l) group.Layers[l] = {static_cast<uint32_t>((g + l) % 4), 7u * l};
    head.GroupNames[g] = "group" + std::to_string(g);
  }
  for (int i = 0; i < 256; ++i) head.LayerNames[i] = "\x83\x8c\x83\x43\x83\x84" + std::to_string(i);
  for (std::size_t i = 0; i < head.Reserved2.size(); ++i) head.Reserved2[i] = 1 + i % 250;
  for (std::size_t i = 0; i < head.Reserved3.size(); ++i) head.Reserved3[i] = 2 + i % 250;
  for (std::size_t i = 0; i < head.Reserved4.size(); ++i) head.Reserved4[i] = 3 + i;
  for (std::size_t i = 0; i < head.Reserved8.size(); ++i) head.Reserved8[i] = 4 + i;
  for (std::size_t i = 0; i < head.Reserved9.size(); ++i) head.Reserved9[i] = 5 + i;
  for (int t = 0; t < 5; ++t) {
    head.RandomLineTypes[t] = {0x40000000u >> t, 1u + t, 2u + t, 3u + t, 4u + t};
  }
  head.Reserved5 = {51, 52};
  head.SolidsFirst = 1;
  head.ReverseOrderFlag = 2;
  head.Reserved6 = {61, 62, 63, 64, 65, 66, 67};
  head.DrawingTime = 3725;
  head.Reserved7 = {71, 72, 73, 74};
  for (int t = 0; t < 10; ++t) head.TextTypes[t] = {t + 0.25, t + 0.5, t + 0.75, 90u + t};
  return head;
}

TEST(JwwHeader, EveryFieldIsReadAsWritten) {
  for (auto form : {JwwWriter::Form::Shortest, JwwWriter::Form::Word, JwwWriter::Form::Dword}) {
    JwwData data;
    const JwwReadResult result = ParseJwwHeader(HeaderFile(FullHead(), form), data);
    ASSERT_TRUE(result) << result.Reason;
    EXPECT_TRUE(data.JwwHeader == FullHead());
  }
}

TEST(JwwHeader, LongCountedStrings) {
  // A memo of 300 bytes: 0xFF and a WORD length; of 70000 bytes: 0xFF, 0xFFFF and a DWORD.
  for (std::size_t length : {300, 70000}) {
    JWWHead head = test::DefaultJwwHead();
    head.Memo = std::string(length, 'm');
    const std::string file = HeaderFile(head);
    const std::string prefix = length == 300 ? std::string("\xFF\x2C\x01", 3)
                                             : std::string("\xFF\xFF\xFF\x70\x11\x01\x00", 7);
    EXPECT_EQ(file.substr(12, prefix.size()), prefix);
    JwwData data;
    ASSERT_TRUE(ParseJwwHeader(file, data));
    EXPECT_EQ(data.JwwHeader.Memo, head.Memo);
  }
}

TEST(JwwHeader, FieldsLieAtTheirOffsets) {
  // With an empty memo and empty names the header takes 4137 bytes.
  std::string file = HeaderFile(test::DefaultJwwHead());
  ASSERT_EQ(file.size(), 4137u + 2);
  auto put = [&file](std::size_t at, uint32_t value) { std::memcpy(&file[at], &value, 4); };
  put(13, 9);             // paper size
  put(21 + 148 * 2, 1);   // state of group 2
  put(41 + 148 * 2, 3);   // state of layer 0 of group 2
  put(3449, 0xAAAA5555);  // pattern of line type 11
  put(3461, 6);           // its width
  put(3465, 4);           // its pitch
  put(3621, 1);           // solids first
  put(3625, 1);           // reverse order
  put(3657, 59);          // drawing time
  const double spacing = 1.5;
  std::memcpy(&file[3757 + 28 * 2 + 16], &spacing, 8);  // spacing of text type 3
  JwwData data;
  ASSERT_TRUE(ParseJwwHeader(file, data));
  const JWWHead& head = data.JwwHeader;
  EXPECT_EQ(head.PaperSize, 9u);
  EXPECT_EQ(head.Groups[2].State, 1u);
  EXPECT_EQ(head.Groups[2].Layers[0].State, 3u);
  EXPECT_EQ(head.RandomLineTypes[0].Pattern, 0xAAAA5555u);
  EXPECT_EQ(head.RandomLineTypes[0].Width, 6u);
  EXPECT_EQ(head.RandomLineTypes[0].Pitch, 4u);
  EXPECT_EQ(head.SolidsFirst, 1u);
  EXPECT_EQ(head.ReverseOrderFlag, 1u);
  EXPECT_EQ(head.DrawingTime, 59u);
  EXPECT_EQ(head.TextTypes[2].Spacing, 1.5);
}

TEST(JwwHeader, OnlyVersion230WithTheExactSignatureIsAccepted) {
  struct Case {
    const char* signature;
    uint32_t version;
    JwwReadStatus status;
  };
  for (const Case& c : {Case{"JwwData.", 229, JwwReadStatus::WrongVersion},
                        Case{"JwwData.", 300, JwwReadStatus::WrongVersion},
                        Case{"JwwData.", 600, JwwReadStatus::WrongVersion},
                        Case{"JwwData ", 230, JwwReadStatus::NotJww},
                        Case{"jwwdata.", 230, JwwReadStatus::NotJww}}) {
    JWWHead head = test::DefaultJwwHead();
    head.Signature = c.signature;
    head.Version = c.version;
    const std::string file = HeaderFile(head);
    JwwData data;
    data.JwwLines.push_back(samples::Line(1));
    EXPECT_EQ(ParseJwwHeader(file, data).Status, c.status) << c.signature << c.version;
    EXPECT_EQ(data.JwwHeader.Signature, c.signature);  // what was read up to the failed test
    EXPECT_EQ(ParseJwwFile(file, data).Status, c.status);
    EXPECT_TRUE(data.JwwLines.empty());
  }
}

TEST(JwwHeader, AFileEndingBeforeItsVersionIsNoJwwAndOneEndingAfterItIsDamaged) {
  const std::string file = HeaderFile(FullHead());
  for (std::size_t length : {0, 3, 7, 8, 11, 12, 13, 400, 4000, 4100}) {
    JwwData data;
    const JwwReadResult result = ParseJwwHeader(std::string_view(file).substr(0, length), data);
    if (length < 12) {
      EXPECT_EQ(result.Status, JwwReadStatus::NotJww) << length;
      continue;
    }
    EXPECT_EQ(result.Status, JwwReadStatus::Damaged) << length;
    EXPECT_TRUE(result.Reason.starts_with(kUnexpectedEnd)) << result.Reason;
  }
  JwwData data;
  EXPECT_EQ(ParseJwwHeader("Jxw", data).Status, JwwReadStatus::NotJww);
}

}  // namespace
}  // namespace kyrovane::jwwunit
