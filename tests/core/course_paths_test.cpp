// Paths built from course data stay inside the course folder.

#include <gtest/gtest.h>

#include "app/record_file.h"
#include "content/course_index.h"
#include "content/lesson_index.h"
#include "platform/paths.h"
#include "support/course_files.h"

namespace tavolo {
namespace {

using test::CourseFolderOf;
using test::TempFolder;
using test::WriteCp932Lines;

TEST(CoursePaths, OnlyPathsInsideTheCourseAreAccepted) {
  for (const char* inside : {"", "kazu\\", "kazu\\ksk", "Graph\\fig.bmp", "a..b\\c..", "...\\x",
                             "kazu/./ksk", "dot.name\\.hidden"})
    EXPECT_TRUE(CheckInsideCourse(inside).ok()) << inside;
  for (const char* outside :
       {"..", "..\\", "..\\..\\..\\etc\\passwd", "kazu\\..\\..\\x", "kazu/../ksk", "a\\..",
        "/etc/passwd", "\\Windows\\x.bmp", "\\\\server\\share\\x", "C:\\x.bmp", "c:x.bmp", "z:"}) {
    const Status s = CheckInsideCourse(outside);
    ASSERT_FALSE(s.ok()) << outside;
    EXPECT_EQ(s.message(),
              std::string("パス「") + outside + "」はコースのフォルダの外を指しています");
  }
}

TEST(CoursePaths, LessonsLeadingOutsideAreNotReadAndKeepNoRecordFile) {
  TempFolder dir;
  WriteCp932Lines(dir / "sibling" / "x.ind",
                  {"よそのレッスン", "[[sect1", "外", "<<", "u", ">>", "]]"});
  WriteCp932Lines(dir / "course" / "Main.ind", {"題", "", "外,..\\\\sibling\\x", "根,\\\\tmp\\x",
                                                "名,kazu\\\\..\\x", "良,kazu\\\\ksk"});
  const std::string courseFolder = (dir / "course").string();
  const auto course = ReadCourseIndex(courseFolder);
  ASSERT_TRUE(course.ok());
  ASSERT_EQ(course->lessons.size(), 4u);
  for (int l = 1; l <= 3; ++l) {
    const Lesson& lesson = course->lessons[static_cast<std::size_t>(l - 1)];
    EXPECT_NE(lesson.pathProblem.find("はコースのフォルダの外を指しています"), std::string::npos)
        << l;
    const auto index = ReadLessonIndex(course.value(), l);
    ASSERT_FALSE(index.ok()) << l;
    EXPECT_EQ(index.message(), lesson.pathProblem);
  }
  EXPECT_TRUE(course->lessons[3].pathProblem.empty());

  AppState app;
  app.SetCourse(course.value());
  app.SetCourseFolder(courseFolder);
  app.SetWindowsFolder((dir / "data").string());
  app.SetOnCd(true);  // records go to the data folder, in a folder named after the stem
  for (int l = 1; l <= 3; ++l) EXPECT_FALSE(RecordFilePath(app, l, "山田").ok()) << l;
  const auto good = RecordFilePath(app, 4, "山田");
  ASSERT_TRUE(good.ok()) << good.message();
  EXPECT_EQ(good.value(), dir / "data" / "ksk" / "山田.ini");
}

}  // namespace
}  // namespace tavolo
