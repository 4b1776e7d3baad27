#include <gtest/gtest.h>

#include <string>

#include "platform/cp932.h"
#include "platform/ini_file.h"
#include "support/temp_folder.h"

namespace tavolo {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;
using Names = std::vector<std::string>;

std::string Sjis(const std::string& utf8) { return EncodeCp932(utf8); }

TEST(IniDocument, ReadsSectionsKeysAndValuesAsThePlatformDoes) {
  const auto doc =
      IniDocument::Parse(Sjis("; learner records\r\n"
                              "orphan=before any section\r\n"
                              "[password]\r\n"
                              "pw=abc\r\n"
                              "\r\n"
                              "[S213正の数]\r\n"
                              "1=2024年05月03日 14:05 [0010]  3/ 4  75点 02:15\r\n"
                              "  2 =  padded value  \r\n"
                              "not a key line\r\n"
                              "3=\r\n"
                              "[ Spaced ]\n"
                              "Key=LF file\n"));
  EXPECT_EQ(doc.Sections(), (Names{"password", "S213正の数", "Spaced"}));
  EXPECT_EQ(doc.Keys("S213正の数"), (Names{"1", "2", "3"}));
  EXPECT_EQ(doc.Value("S213正の数", "1", "?"), "2024年05月03日 14:05 [0010]  3/ 4  75点 02:15");
  EXPECT_EQ(doc.Value("S213正の数", "2", "?"), "padded value");
  EXPECT_EQ(doc.Value("S213正の数", "3", "?"), "");
  EXPECT_EQ(doc.Value("S213正の数", "4", "?"), "?");
  EXPECT_EQ(doc.Value("PASSWORD", "PW", "?"), "abc");  // ASCII letters fold
  EXPECT_EQ(doc.Value("spaced", "key", "?"), "LF file");
  EXPECT_EQ(doc.Value("none", "pw", "default"), "default");
  EXPECT_TRUE(doc.Keys("none").empty());
}

TEST(IniDocument, DoubleByteNamesCompareExactlyEvenWhenASecondByteLooksLikeALetter) {
  // "ア" is 0x83 0x41: its second byte is "A". Folding it would make "ア" equal
  // to the different character 0x83 0x61 ("ャ").
  const auto doc = IniDocument::Parse(Sjis("[Sア]\r\n1=x\r\n"));
  EXPECT_EQ(doc.Value("Sア", "1", "?"), "x");
  EXPECT_EQ(doc.Value("Sャ", "1", "?"), "?");
  EXPECT_EQ(doc.Value("sア", "1", "?"), "x");
  // "ソ" is 0x83 0x5C and "]" may follow a lead byte inside a name: "ン" 0x83 0x93 is harmless,
  // but a name ending in a character whose second byte is 0x5D must not end early.
  const auto brackets = IniDocument::Parse(Sjis("[S1ソ]\r\nk=v\r\n[S2\x83\x5d]\r\nk=w\r\n"));
  EXPECT_EQ(brackets.Value("S1ソ", "k", "?"), "v");
}

TEST(IniDocument, EverySectionNameReadsBackAsWritten) {
  // Unit captions end the section names of record files; whatever a caption
  // holds, the runs written under it must be found under it again.
  const struct {
    const char* name;
    const char* written;  // the header line the writer puts into the file
  } cases[] = {
      {"S11正の数", "[S11正の数]"},
      {"S11正の数・負の数の加法[基本]", "[S11正の数・負の数の加法[基本]]"},
      {"S11加法]", "[S11加法]]"},
      {"S11a]b[c]", "[S11a]b[c]]"},
      {"[まとめ].prp", "[[まとめ].prp]"},
      {"S11ゾ]", "[S11ゾ]]"},     // "ゾ" is 0x83 0x5D: its second byte looks like "]"
      {"S11加法 ", "[S11加法]"},  // blanks around a name are no part of it
      {"S11加法\t ", "[S11加法]"},
      {" S11加法", "[S11加法]"},
      {"S11加法　", "[S11加法　]"},  // a full-width blank is a character of the name
      {"S11 加 法", "[S11 加 法]"},
      {"S11=1", "[S11=1]"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto doc = IniDocument::Parse("[password]\r\npw=x\r\n");
    doc.SetValue(c.name, "1", "first");
    doc.SetValue(c.name, "2", "second");
    EXPECT_EQ(doc.Bytes(), Sjis(std::string("[password]\r\npw=x\r\n") + c.written +
                                "\r\n1=first\r\n2=second\r\n"));
    const auto read = IniDocument::Parse(doc.Bytes());
    EXPECT_EQ(read.Keys(c.name), (Names{"1", "2"}));
    EXPECT_EQ(read.KeyCount(c.name), 2u);
    EXPECT_EQ(read.Value(c.name, "2", "?"), "second");
    ASSERT_EQ(read.Sections().size(), 2u);
    EXPECT_EQ(IniDocument::SectionKey(read.Sections()[1]), IniDocument::SectionKey(c.name));
    auto erased = read;
    erased.EraseSection(c.name);
    EXPECT_EQ(erased.Bytes(), Sjis("[password]\r\npw=x\r\n"));
  }
  // A name that holds "]" is one section, not a shorter name that another
  // section has: "[S11a]b]" is not "S11a".
  const auto doc = IniDocument::Parse(Sjis("[S11a]\r\n1=a\r\n[S11a]b]\r\n1=ab\r\n"));
  EXPECT_EQ(doc.Value("S11a", "1", "?"), "a");
  EXPECT_EQ(doc.Value("S11a]b", "1", "?"), "ab");
}

TEST(IniDocument, TheFirstOfTwoSectionsOfOneNameIsTheOneReadAndWritten) {
  auto doc = IniDocument::Parse("[a]\r\n1=x\r\n[B]\r\n1=b\r\n[A]\r\n1=y\r\n2=z\r\n");
  EXPECT_EQ(doc.Sections(), (Names{"a", "B", "A"}));
  EXPECT_EQ(doc.Keys("A"), Names{"1"});
  EXPECT_EQ(doc.Value("A", "1", "?"), "x");
  EXPECT_EQ(doc.Value("a", "2", "?"), "?");
  EXPECT_EQ(doc.KeyCount("b"), 1u);
  doc.SetValue("A", "2", "new");
  EXPECT_EQ(doc.Bytes(), "[a]\r\n1=x\r\n2=new\r\n[B]\r\n1=b\r\n[A]\r\n1=y\r\n2=z\r\n");
  doc.EraseSection("a");
  EXPECT_EQ(doc.Bytes(), "[B]\r\n1=b\r\n[A]\r\n1=y\r\n2=z\r\n");
  EXPECT_EQ(doc.Value("a", "2", "?"), "z");  // the other one now
}

TEST(IniDocument, ValuesAreCutAt1023BytesWithoutSplittingACharacter) {
  std::string kanji = "a";
  for (int i = 0; i < 600; ++i) kanji += "数";
  const auto doc = IniDocument::Parse("[s]\r\nlong=" + std::string(1500, 'a') +
                                      "\r\nkanji=" + Sjis(kanji) + "\r\n");
  EXPECT_EQ(doc.Value("s", "long", "").size(), 1023u);
  // "a" + 511 double-byte characters: the 512th would end at byte 1024.
  EXPECT_EQ(SjisLength(doc.Value("s", "kanji", "")), 1023u);
}

TEST(IniDocument, EntriesListASectionInFileOrderAndWholeValuesOnRequest) {
  const std::string longValue(1500, 'a');
  const std::string bytes =
      Sjis("[S11正の数]\r\n2=b\r\n; note\r\n1=" + longValue + "\r\n[x]\r\n1=c\r\n");
  using Entries = std::vector<std::pair<std::string, std::string>>;
  const auto whole = IniDocument::Parse(bytes, kIniWholeValues);
  EXPECT_EQ(whole.Entries("s11正の数"), (Entries{{"2", "b"}, {"1", longValue}}));
  EXPECT_EQ(whole.Value("S11正の数", "1", ""), longValue);
  EXPECT_TRUE(whole.Entries("missing").empty());
  // The platform's reader cuts values; so do Entries of such a document.
  EXPECT_EQ(IniDocument::Parse(bytes).Entries("S11正の数")[1].second.size(), 1023u);
}

TEST(IniDocument, WritingReplacesInPlaceAndLeavesOtherLinesByteIdentical) {
  const std::string before = Sjis(
      "; comment stays\r\n"
      "[password]\r\n"
      "pw=old\r\n"
      "\r\n"
      "[S11正の数]\r\n"
      "1=first\r\n"
      "\r\n"
      "[other]\n"
      "x=unix line end\n");
  auto doc = IniDocument::Parse(before);
  doc.SetValue("PassWord", "pw", "新しい");
  doc.SetValue("S11正の数", "2", "second");
  doc.SetValue("new", "1", "created");
  EXPECT_EQ(doc.Bytes(), Sjis("; comment stays\r\n"
                              "[password]\r\n"
                              "pw=新しい\r\n"
                              "\r\n"
                              "[S11正の数]\r\n"
                              "1=first\r\n"
                              "2=second\r\n"
                              "\r\n"
                              "[other]\n"
                              "x=unix line end\n"
                              "[new]\r\n"
                              "1=created\r\n"));
}

TEST(IniDocument, WritingToAFileWithoutAFinalLineEnd) {
  auto doc = IniDocument::Parse("[s]\r\na=1");
  doc.SetValue("s", "b", "2");
  EXPECT_EQ(doc.Bytes(), "[s]\r\na=1\r\nb=2\r\n");
  auto doc2 = IniDocument::Parse("[s]\r\na=1");
  doc2.SetValue("t", "c", "3");
  EXPECT_EQ(doc2.Bytes(), "[s]\r\na=1\r\n[t]\r\nc=3\r\n");
}

TEST(IniDocument, ValuesCannotSmuggleInLines) {
  auto doc = IniDocument::Parse("");
  doc.SetValue("s", "k", "a\r\n[password]\r\npw=x");
  EXPECT_EQ(doc.Sections(), (Names{"s"}));
}

TEST(IniDocument, ErasingASectionRemovesItsLinesOnly) {
  auto doc = IniDocument::Parse("[a]\r\n1=x\r\n\r\n[b]\r\n1=y\r\n[c]\r\n1=z\r\n");
  doc.EraseSection("B");
  EXPECT_EQ(doc.Bytes(), "[a]\r\n1=x\r\n\r\n[c]\r\n1=z\r\n");
  doc.EraseSection("c");
  EXPECT_EQ(doc.Bytes(), "[a]\r\n1=x\r\n\r\n");
  doc.EraseSection("missing");
  EXPECT_EQ(doc.Bytes(), "[a]\r\n1=x\r\n\r\n");
}

TEST(IniFile, ListsEveryKeyOfAVeryLongSection) {
  // The platform listed key names through an 8192-byte buffer; with that
  // limit a section of many runs lost its later keys and a new record was
  // written over an old one. Every key must be listed.
  TempFolder dir;
  IniFile file(dir / "rec.ini");
  std::string bytes = "[S11正の数]\r\n";
  for (int i = 1; i <= 3000; ++i) bytes += std::to_string(i) + "=run\r\n";
  WriteBytes(file.path(), EncodeCp932(bytes));
  const auto keys = file.Keys("S11正の数");
  ASSERT_EQ(keys.size(), 3000u);
  EXPECT_EQ(keys.back(), "3000");
  ASSERT_TRUE(file.WriteValue("S11正の数", std::to_string(keys.size() + 1), "new run").ok());
  EXPECT_EQ(file.ReadValue("S11正の数", "3000", "?"), "run");
  EXPECT_EQ(file.ReadValue("S11正の数", "3001", "?"), "new run");
}

TEST(IniFile, MissingFilesReadAsEmptyAndAreCreatedByWriting) {
  TempFolder dir;
  IniFile file(dir / "太郎.ini");
  EXPECT_TRUE(file.Keys("password").empty());
  EXPECT_TRUE(file.Sections().empty());
  EXPECT_EQ(file.ReadValue("password", "pw", "?"), "?");
  EXPECT_FALSE(std::filesystem::exists(file.path()));  // reading creates nothing

  ASSERT_TRUE(file.WriteValue("password", "pw", "ひみつ").ok());
  EXPECT_EQ(ReadBytes(file.path()), Sjis("[password]\r\npw=ひみつ\r\n"));
  ASSERT_TRUE(file.EraseSection("password").ok());
  EXPECT_EQ(ReadBytes(file.path()), "");
}

TEST(IniFile, RefusedWritesReportTheFileAndChangeNothing) {
  TempFolder dir;
  IniFile inFolder(dir / "no-such-folder" / "rec.ini");
  auto s = inFolder.WriteValue("s", "1", "x");
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.message(), (dir / "no-such-folder" / "rec.ini").string() + " に書き込めません");

  std::filesystem::create_directory(dir / "rec.ini");  // a folder where the file should be
  IniFile folder(dir / "rec.ini");
  EXPECT_FALSE(folder.WriteValue("s", "1", "x").ok());
  EXPECT_FALSE(folder.EraseSection("s").ok() && std::filesystem::is_regular_file(dir / "rec.ini"));
}

}  // namespace
}  // namespace tavolo
