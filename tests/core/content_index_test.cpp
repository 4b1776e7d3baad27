// Course index, lesson index, unit addresses and the names derived from them.

#include <gtest/gtest.h>

#include "content/course_index.h"
#include "content/file_checks.h"
#include "content/lesson_index.h"
#include "content/unit_address.h"
#include "content/unit_names.h"
#include "support/course_files.h"

namespace tavolo {
namespace {

using test::CourseFolderOf;
using test::TempFolder;
using test::WriteCp932Lines;

struct LessonLineCase {
  std::string line;
  std::string caption, folder, stem;
};

TEST(CourseIndexTest, SplitsLessonLinesAtTheFirstCommaAndBackslash) {
  const LessonLineCase cases[] = {
      {"正の数・負の数,kazu\\\\ksk", "正の数・負の数", "kazu\\", "ksk"},
      {"caption,kazu\\xksk", "caption", "kazu\\", "ksk"},
      // the separator after "\" may be any one character, even a Japanese one
      {"第１章,kazu\\　ksk", "第１章", "kazu\\", "ksk"},
      // only the first "," splits; later ones belong to the folder or stem
      {"a,b,c\\\\d,e", "a", "b,c\\", "d,e"},
      {"a,dir\\", "a", "dir\\", ""},
      {",dir\\\\s", "", "dir\\", "s"},
      // no folder: the files lie in the course folder itself
      {"a,stem", "a", "", "stem"},
      // a "\" in the caption does not move the folder
      {"1\\2,dir\\\\s", "1\\2", "dir\\", "s"},
      // no ",": listed as "?" without folder and stem
      {"ただの行", "?", "", ""},
      {"", "?", "", ""},
  };
  for (const auto& c : cases) {
    const CourseIndex course = ParseCourseIndex("/c", {"title", "x", c.line});
    ASSERT_EQ(course.lessons.size(), 1u) << c.line;
    EXPECT_EQ(course.lessons[0].caption, c.caption) << c.line;
    EXPECT_EQ(course.lessons[0].folder, c.folder) << c.line;
    EXPECT_EQ(course.lessons[0].stem, c.stem) << c.line;
    EXPECT_EQ(course.lessons[0].line, 3) << c.line;
  }
}

TEST(CourseIndexTest, LessonLinesRunFromLineThreeToTheClosingMarker) {
  struct Case {
    std::vector<std::string> lines;
    std::string title;
    std::vector<std::string> captions;
  } cases[] = {
      {{}, "", {}},
      {{"コース"}, "コース", {}},
      {{"コース", "a,b\\\\c"}, "コース", {}},  // line 2 is never a lesson
      {{"コース", "", "A,a\\\\a", "B,b\\\\b"}, "コース", {"A", "B"}},
      {{"コース", "", "A,a\\\\a", ">>", "B,b\\\\b"}, "コース", {"A"}},
      {{"コース", "", ">> ", "A,a\\\\a"}, "コース", {"?", "A"}},  // ">> " is a lesson line
  };
  for (const auto& c : cases) {
    const CourseIndex course = ParseCourseIndex("/c", c.lines);
    EXPECT_EQ(course.title, c.title);
    std::vector<std::string> captions;
    for (const auto& lesson : course.lessons) captions.push_back(lesson.caption);
    EXPECT_EQ(captions, c.captions) << (c.lines.empty() ? "" : c.lines[0]);
  }
}

TEST(CourseIndexTest, KeepsTheFirst80LessonsAndRemembersTheRest) {
  std::vector<std::string> lines = {"t", ""};
  for (int i = 1; i <= 83; ++i) {
    const std::string number = std::to_string(i);
    lines.push_back("L" + number + ",d\\\\s");
  }
  const CourseIndex course = ParseCourseIndex("/c", lines);
  ASSERT_EQ(course.lessons.size(), 80u);
  EXPECT_EQ(course.lessons.back().caption, "L80");
  EXPECT_EQ(course.ignoredLessonLines, (std::vector<int>{83, 84, 85}));
  EXPECT_EQ(course.FindLesson(80)->caption, "L80");
  EXPECT_EQ(course.FindLesson(81), nullptr);
  EXPECT_EQ(course.FindLesson(0), nullptr);
}

TEST(CourseIndexTest, ReadsCp932WithEitherLineEnd) {
  for (const std::string_view lineEnd : {"\r\n", "\n", "\r"}) {
    TempFolder folder;
    WriteCp932Lines(folder / "Main.ind", {"数学問題集１", "", "正の数と負の数,kazu\\\\ksk"},
                    lineEnd);
    const auto course = ReadCourseIndex(folder.path().string());
    ASSERT_TRUE(course.ok()) << course.message();
    EXPECT_EQ(course->title, "数学問題集１");
    ASSERT_EQ(course->lessons.size(), 1u);
    EXPECT_EQ(course->lessons[0].caption, "正の数と負の数");
    EXPECT_EQ(course->courseFolder, CourseFolderOf(folder));
  }
}

TEST(CourseIndexTest, MissingMainIndNamesThePath) {
  TempFolder folder;
  const auto course = ReadCourseIndex(folder.path().string());
  ASSERT_FALSE(course.ok());
  EXPECT_EQ(course.message(), "ファイル " + CourseFolderOf(folder) + "Main.ind が見つかりません");
}

TEST(CourseIndexTest, FindsMainIndAndLessonFilesWhateverTheirCase) {
  TempFolder folder;
  WriteCp932Lines(folder / "MAIN.IND", {"t", "", "A,Kazu\\\\KSK"});
  WriteCp932Lines(folder / "kazu" / "ksk.ind", {"タイトル", "[[sect1", "節", "<<", "単元", ">>"});
  const auto course = ReadCourseIndex(folder.path().string());
  ASSERT_TRUE(course.ok()) << course.message();
  const auto index = ReadLessonIndex(course.value(), 1);
  ASSERT_TRUE(index.ok()) << index.message();
  EXPECT_EQ(index->sections.at(0).units, (std::vector<std::string>{"単元"}));
}

TEST(LessonIndexTest, SectionsCaptionsAndUnits) {
  const LessonIndex index = ParseLessonIndex({
      "レッスンの題",     // 1
      "[[sect1",          // 2
      "加法",             // 3
      "<<",               // 4 skipped
      "正の数をたす",     // 5
      "負の数をたす",     // 6
      ">>",               // 7
      "]]",               // 8
      "",                 // 9
      "[[sect5",          // 10 the number after "[[" is not read
      "減法",             // 11
      "<<",               // 12
      ">>",               // 13 no units
      "]]",               // 14
      "[[2",              // 15
      "乗法",             // 16
      "anything",         // 17 skipped whatever it holds
      "[[not a section",  // 18 a unit caption: units run to ">>"
      ">>",               // 19
  });
  EXPECT_EQ(index.title, "レッスンの題");
  ASSERT_EQ(index.sections.size(), 3u);
  EXPECT_EQ(index.sections[0].caption, "加法");
  EXPECT_EQ(index.sections[0].units, (std::vector<std::string>{"正の数をたす", "負の数をたす"}));
  EXPECT_EQ(index.sections[0].unitLines, (std::vector<int>{5, 6}));
  EXPECT_EQ(index.sections[0].startLine, 2);
  EXPECT_EQ(index.sections[1].caption, "減法");
  EXPECT_TRUE(index.sections[1].units.empty());
  EXPECT_EQ(index.sections[2].units, (std::vector<std::string>{"[[not a section"}));
  for (const auto& s : index.sections) EXPECT_TRUE(s.closed);
}

TEST(LessonIndexTest, UnclosedAndTruncatedSections) {
  const LessonIndex lastLine = ParseLessonIndex({"t", "[[sect1"});
  ASSERT_EQ(lastLine.sections.size(), 1u);
  EXPECT_EQ(lastLine.sections[0].caption, "");
  EXPECT_FALSE(lastLine.sections[0].closed);

  const LessonIndex open = ParseLessonIndex({"t", "[[sect1", "c", "<<", "u1", "u2"});
  ASSERT_EQ(open.sections.size(), 1u);
  EXPECT_EQ(open.sections[0].units, (std::vector<std::string>{"u1", "u2"}));
  EXPECT_FALSE(open.sections[0].closed);
}

TEST(LessonIndexTest, KeepsTheFirst80Sections) {
  std::vector<std::string> lines = {"t"};
  for (int s = 1; s <= 82; ++s) {
    const std::string number = std::to_string(s);
    for (const std::string& l : {"[[sect" + number, "S" + number, std::string("<<"),
                                 std::string("u"), std::string(">>"), std::string("]]")})
      lines.push_back(l);
  }
  const LessonIndex index = ParseLessonIndex(lines);
  ASSERT_EQ(index.sections.size(), 80u);
  EXPECT_EQ(index.sections.back().caption, "S80");
  EXPECT_EQ(index.ignoredSectionLines, (std::vector<int>{2 + 80 * 6, 2 + 81 * 6}));
}

TEST(LessonIndexTest, MissingFolderOrFileIsReportedWithItsPath) {
  TempFolder folder;
  WriteCp932Lines(folder / "Main.ind", {"t", "", "A,kazu\\\\ksk", "B,none\\\\x"});
  std::filesystem::create_directories(folder / "kazu");
  const auto course = ReadCourseIndex(folder.path().string());
  ASSERT_TRUE(course.ok());

  const auto noFile = ReadLessonIndex(course.value(), 1);
  ASSERT_FALSE(noFile.ok());
  EXPECT_EQ(noFile.message(),
            "ファイル " + CourseFolderOf(folder) + "kazu/ksk.ind が見つかりません");

  const auto noFolder = ReadLessonIndex(course.value(), 2);
  ASSERT_FALSE(noFolder.ok());
  EXPECT_EQ(noFolder.message(),
            "ディレクトリ " + CourseFolderOf(folder) + "none/ が見つかりません");

  EXPECT_EQ(LessonIndexPath(course.value(), 1), folder / "kazu/ksk.ind");
}

TEST(UnitNamesTest, ComposesFileKeyIdentityAndShortName) {
  const CourseIndex course = ParseCourseIndex("/course", {"t", "", "数,kazu\\\\abc"});
  struct Case {
    UnitAddress address;
    std::string key, identity, shortName, addressText;
  } cases[] = {
      {{1, 3, 2, 1}, "[[unit2R1", "/course/kazu/abc3.que-U2R1", "abc3.que-U2R1", "1.3.2R1"},
      {{1, 3, 2, 0}, "[[unit2", "/course/kazu/abc3.que-U2", "abc3.que-U2", "1.3.2"},
      {{1, 12, 10, 5},
       "[[unit10R5",
       "/course/kazu/abc12.que-U10R5",
       "abc12.que-U10R5",
       "1.12.10R5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.addressText);
    EXPECT_EQ(UnitKeyLine(c.address), c.key);
    EXPECT_EQ(UnitIdentity(course, c.address), c.identity);
    EXPECT_EQ(ShortUnitName(course, c.address), c.shortName);
    EXPECT_EQ(AddressText(c.address), c.addressText);
    EXPECT_EQ(ParseAddressText(c.addressText), c.address);
  }
  EXPECT_EQ(QuestionFilePath(course, {1, 2, 1, 0}), "/course/kazu/abc2.que");
}

TEST(UnitAddressTest, RefusesMalformedAddressTexts) {
  for (const char* text :
       {"", "1", "1.2", "1.2.", "1.2.3.", "1.2.3R", "1.2.3R0", "1.2.3R6", "0.1.1", "1.-2.3",
        "a.b.c", "1.2.3 ", " 1.2.3", "1.2.3r1", "1.2.3R1x", "99999999999.1.1"})
    EXPECT_FALSE(ParseAddressText(text).has_value()) << text;
}

TEST(FileChecksTest, ExtensionIsFourCharactersFromTheFirstDot) {
  const std::pair<std::string, std::string> cases[] = {
      {"sheet.prp", ".prp"},
      {"SHEET.PRP", ".prp"},
      {"a.txt", ".txt"},
      {"noext", ""},
      {"/home/u/v1.2/sheet", ".2/s"},
      {"a.b", ".b"},
      {"名前.ＰＲＰ", ".ＰＲＰ"},
      {"x.Prp.bak", ".prp"},
  };
  for (const auto& [path, extension] : cases) EXPECT_EQ(FileExtension(path), extension) << path;
}

TEST(FileChecksTest, RequireFileAndFolderReportTheMissingPath) {
  TempFolder folder;
  WriteCp932Lines(folder / "a.txt", {"x"});
  EXPECT_TRUE(RequireFile(folder / "a.txt").ok());
  EXPECT_FALSE(RequireFile(folder.path()).ok());  // a folder is not a file
  EXPECT_EQ(RequireFile(folder / "b.txt").message(),
            "ファイル " + (folder / "b.txt").string() + " が見つかりません");
  EXPECT_TRUE(RequireFolder(folder.path()).ok());
  EXPECT_EQ(RequireFolder(folder / "a.txt").message(),
            "ディレクトリ " + (folder / "a.txt").string() + " が見つかりません");
}

}  // namespace
}  // namespace tavolo
