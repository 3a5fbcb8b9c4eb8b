// The name and header rules, on char16_t names (built natively and for
// Windows).
#include "tables/table_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tables {
namespace {

using View = std::u16string_view;

TEST(TableName, ExtensionIsDbfInAnyLetterCase) {
  for (View name : {u"a.dbf", u"B.Dbf", u"C.DBF", u".dbf", u"x.y.dBf", u"\u8868.DBF"}) {
    EXPECT_TRUE(IsTableName(name)) << std::string(name.begin(), name.end());
  }
  for (View name : {u"D.DBF.BAK", u"E.DBFX", u"DBF", u"F.DB", u"G.dbf ", u"H", u"", u"I.\uFF24BF",
                    u"J.DBC", u"K_DBF"}) {
    EXPECT_FALSE(IsTableName(name)) << std::string(name.begin(), name.end());
  }
}

TEST(TableName, OnlyAsciiLettersAreUpperCased) {
  EXPECT_EQ(AsciiUpper(u'a'), u'A');
  EXPECT_EQ(AsciiUpper(u'z'), u'Z');
  EXPECT_EQ(AsciiUpper(u'\u00e4'), u'\u00e4');  // a-umlaut stays
  EXPECT_EQ(AsciiUpper(u'\uff44'), u'\uff44');  // full-width d stays
  EXPECT_EQ(AsciiUpper(u'{'), u'{');
}

TEST(RemovalMarker, FoundInAnyLetterCaseBelowTheTemplateFolder) {
  EXPECT_TRUE(HasRemovalMarker(View(u"HSKM.DBF")));
  EXPECT_TRUE(HasRemovalMarker(View(u"sub\\t_hskm_1.dbf")));
  EXPECT_TRUE(HasRemovalMarker(View(u"HsKm\\plain.dbf")));
  EXPECT_TRUE(HasRemovalMarker(View(u"xxHSKM")));
  EXPECT_FALSE(HasRemovalMarker(View(u"HSK.DBF")));
  EXPECT_FALSE(HasRemovalMarker(View(u"H S K M.DBF")));
  EXPECT_FALSE(HasRemovalMarker(View(u"HSK")));
  EXPECT_FALSE(HasRemovalMarker(View(u"")));
  // Full-width letters and letters with marks are not a-z.
  EXPECT_FALSE(HasRemovalMarker(View(u"\uff28\uff33\uff2b\uff2d.DBF")));
}

TEST(RemovalMarker, TheHostFolderAboveTheTemplateNeverCounts) {
  const std::u16string path = u"\\\\?\\C:\\data\\hskm_old\\TempLateTemp\\t.dbf";
  const std::size_t below = path.find(u"TempLateTemp\\") + 13;
  EXPECT_TRUE(HasRemovalMarker(View(path)));
  EXPECT_FALSE(HasRemovalMarker(View(path).substr(below)));
}

TEST(CompanionNames, AreTheBaseNameWithMdxFirstThenCdx) {
  EXPECT_EQ(std::vector<std::string>(std::begin(kCompanionSuffixes), std::end(kCompanionSuffixes)),
            (std::vector<std::string>{".mdx", ".cdx"}));
  EXPECT_EQ(BaseNameOf(View(u"X.DBF")), u"X");
  EXPECT_EQ(BaseNameOf(View(u"a.b.dbf")), u"a.b");
  EXPECT_EQ(BaseNameOf(View(u".dbf")), u"");
  EXPECT_EQ(BaseNameOf(View(u"T")), u"T");
}

TEST(DetachedFlags, ClearsOnlyTheIndexBit) {
  EXPECT_EQ(DetachedFlags(0x01), 0x00);
  EXPECT_EQ(DetachedFlags(0x03), 0x02);  // memo bit kept
  EXPECT_EQ(DetachedFlags(0x07), 0x06);  // database container kept
  EXPECT_EQ(DetachedFlags(0x02), 0x02);
  EXPECT_EQ(DetachedFlags(0xFF), 0xFE);
  EXPECT_EQ(DetachedFlags(0x00), 0x00);
}

// A dBASE III header: version 0x03, `records` records of `recordLength` bytes.
std::vector<std::uint8_t> Header(std::uint32_t records, std::uint16_t headerLength,
                                 std::uint16_t recordLength) {
  std::vector<std::uint8_t> h(32, 0);
  h[0] = 0x03;
  for (int i = 0; i < 4; ++i) h[4 + i] = static_cast<std::uint8_t>(records >> (8 * i));
  h[8] = headerLength & 0xFF;
  h[9] = headerLength >> 8;
  h[10] = recordLength & 0xFF;
  h[11] = recordLength >> 8;
  return h;
}

TEST(HeaderCheck, AcceptsConsistentHeaders) {
  const auto h = Header(3, 65, 10);
  EXPECT_TRUE(IsPlausibleTableHeader(h.data(), h.size(), 65 + 30));
  EXPECT_TRUE(IsPlausibleTableHeader(h.data(), h.size(), 65 + 30 + 1));  // end-of-file byte
  const auto empty = Header(0, 33, 1);
  EXPECT_TRUE(IsPlausibleTableHeader(empty.data(), empty.size(), 33));
}

TEST(HeaderCheck, RefusesWhatIsNotATableAndSaysWhichCheckFailed) {
  const auto h = Header(3, 65, 10);
  EXPECT_EQ(CheckTableHeader(h.data(), h.size(), 65 + 29), HeaderFault::kRecordsMissing);
  EXPECT_EQ(CheckTableHeader(h.data(), 31, 95), HeaderFault::kShort);  // fewer than 32 bytes
  EXPECT_EQ(CheckTableHeader(h.data(), h.size(), 31), HeaderFault::kShort);
  EXPECT_EQ(CheckTableHeader(nullptr, 32, 95), HeaderFault::kShort);

  auto dbase2 = h;
  dbase2[0] = 0x02;
  EXPECT_EQ(CheckTableHeader(dbase2.data(), dbase2.size(), 95), HeaderFault::kDbase2);

  const auto shortHeader = Header(0, 32, 10);  // no room for the field terminator
  EXPECT_EQ(CheckTableHeader(shortHeader.data(), shortHeader.size(), 64),
            HeaderFault::kHeaderLength);
  const auto beyondFile = Header(0, 200, 10);
  EXPECT_EQ(CheckTableHeader(beyondFile.data(), beyondFile.size(), 199),
            HeaderFault::kHeaderLength);
  const auto noRecordLength = Header(0, 65, 0);
  EXPECT_EQ(CheckTableHeader(noRecordLength.data(), noRecordLength.size(), 65),
            HeaderFault::kRecordLength);
  // Huge counts must not wrap around.
  const auto huge = Header(0xFFFFFFFFu, 65, 0xFFFF);
  EXPECT_EQ(CheckTableHeader(huge.data(), huge.size(), 1u << 30), HeaderFault::kRecordsMissing);

  const std::string text = "This is a note, not a table. It is long enough anyway.\r\n";
  EXPECT_FALSE(IsPlausibleTableHeader(reinterpret_cast<const std::uint8_t*>(text.data()),
                                      text.size(), text.size()));
  const std::vector<std::uint8_t> zeros(512, 0);
  EXPECT_EQ(CheckTableHeader(zeros.data(), 32, zeros.size()),  // header-only, blank
            HeaderFault::kHeaderLength);
  for (HeaderFault f : {HeaderFault::kShort, HeaderFault::kDbase2, HeaderFault::kHeaderLength,
                        HeaderFault::kRecordLength, HeaderFault::kRecordsMissing}) {
    EXPECT_STRNE(DescribeHeaderFault(f), "");
  }
  EXPECT_STREQ(DescribeHeaderFault(HeaderFault::kNone), "");
}

TEST(HeaderCheck, RandomBytesAreAlmostNeverATable) {
  std::uint32_t state = 12345;
  int accepted = 0;
  for (int round = 0; round < 20000; ++round) {
    std::uint8_t bytes[32];
    for (auto& b : bytes) {
      state = state * 1664525u + 1013904223u;
      b = static_cast<std::uint8_t>(state >> 24);
    }
    accepted += IsPlausibleTableHeader(bytes, 32, 4096) ? 1 : 0;
  }
  // The header length must land in 33..4096 and the records fit: rare.
  EXPECT_LT(accepted, 20000 / 100);
}

std::vector<std::uint8_t> ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(HeaderCheck, EveryCorpusTableButTheDbase2OnePasses) {
  const std::filesystem::path corpus(QESH_CORPUS_DIR);
  ASSERT_TRUE(std::filesystem::is_directory(corpus)) << corpus;
  int tables = 0;
  for (const auto& item : std::filesystem::recursive_directory_iterator(corpus)) {
    std::string ext = item.path().extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](char c) { return AsciiUpper(c); });
    if (ext != ".DBF" && ext != ".DBC") continue;
    ++tables;
    const auto bytes = ReadAll(item.path());
    const bool dbase2 = item.path().filename() == "dbase_02.dbf";
    EXPECT_EQ(IsPlausibleTableHeader(bytes.data(), bytes.size(), bytes.size()), !dbase2)
        << item.path();
    // Cut short, the same table is refused unless its records were empty.
    if (!dbase2 && bytes.size() > 40 && bytes[4] != 0) {
      EXPECT_FALSE(IsPlausibleTableHeader(bytes.data(), bytes.size(), bytes.size() / 2))
          << item.path();
    }
  }
  EXPECT_GE(tables, 45);
}

}  // namespace
}  // namespace tables
