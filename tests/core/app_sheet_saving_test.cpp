#include <gtest/gtest.h>

#include <filesystem>

#include "app/sheet_saving.h"
#include "app_fakes.h"
#include "content/unit_reader.h"
#include "platform/cp932.h"
#include "support/course_files.h"

namespace tavolo {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using test::ReadBytes;
using test::ScriptedDialogs;
using test::TempFolder;

Lines ManyUnits() {
  Lines file;
  for (int u = 1; u <= 40; ++u) {
    const Lines unit = {"[[unit" + std::to_string(u),
                        "<<ques",
                        "次の計算をしなさい。",
                        "(1) (+" + std::to_string(u) + ")+(-1)=#" + std::to_string(u - 1) + "#",
                        ">>",
                        "<<dummy",
                        ">>",
                        "<<value",
                        "630",
                        "True",
                        "30",
                        "5",
                        "5",
                        "1",
                        "7",
                        ">>",
                        "]]"};
    file.insert(file.end(), unit.begin(), unit.end());
  }
  return file;
}

class SheetSaving : public ::testing::Test {
 protected:
  void SetUp() override {
    app.SetCourseFolder(test::CourseFolderOf(folder));
    CourseIndex course;
    course.courseFolder = app.CourseFolder();
    course.lessons.push_back(Lesson{"正の数と負の数", "kazu\\", "kazu", 3, true, {}});
    app.SetCourse(std::move(course));
    questionFile = (folder / "kazu" / "kazu1.que").string();
    test::WriteCp932Lines(questionFile, ManyUnits());
    fs::create_directories(folder / "kazu");
  }

  SheetDocument OpenMaster(int unit) {
    SheetDocument sheet;
    sheet.address = {1, 1, unit, 0};
    const UnitReading r = ReadUnitBlock(questionFile, "[[unit" + std::to_string(unit), 1, unit,
                                        {"正の数と負の数", "加法", "たし算"});
    EXPECT_TRUE(r.ok());
    sheet.params = LoadSheetParams(*r.content, true).params;
    sheet.filePath = questionFile;
    sheet.identity = questionFile + "-U" + std::to_string(unit);
    sheet.master = true;
    app.AddOpenSheet(sheet.identity);
    return sheet;
  }

  TempFolder folder;
  AppState app;
  ScriptedDialogs dialogs;
  std::string questionFile;
};

TEST_F(SheetSaving, ClosingAChangedMasterSheetWithYesRewritesOnlyItsUnit) {
  const std::string before = ReadBytes(questionFile);
  SheetDocument sheet = OpenMaster(17);
  sheet.params.lineSpacing = 45;
  sheet.modified = true;
  dialogs.answers = {Answer::Yes};
  EXPECT_TRUE(QueryCloseSheet(sheet, app, dialogs));
  EXPECT_EQ(dialogs.log, (Lines{"ync: " + questionFile + "-U17を保存しますか？"}));

  const std::string after = ReadBytes(questionFile);
  // Everything before unit 17 and after it is byte-identical.
  const std::string key = EncodeCp932("[[unit17\r\n");
  const std::string next = EncodeCp932("[[unit18\r\n");
  EXPECT_EQ(after.substr(0, after.find(key)), before.substr(0, before.find(key)));
  EXPECT_EQ(after.substr(after.find(next)), before.substr(before.find(next)));
  const UnitReading reread = ReadUnitBlock(questionFile, "[[unit17", 1, 17, {});
  ASSERT_TRUE(reread.ok());
  EXPECT_EQ(reread.content->valueLines[2], "45");
  EXPECT_EQ(reread.content->fontLines.size(), 7u);  // the sheet's own blocks are written whole
  EXPECT_EQ(reread.content->kranLines.size(), 10u);
}

TEST_F(SheetSaving, UnchangedSheetsCloseWithoutAQuestionAndNoAnswersKeepTheFile) {
  const std::string before = ReadBytes(questionFile);
  SheetDocument sheet = OpenMaster(2);
  EXPECT_TRUE(QueryCloseSheet(sheet, app, dialogs));
  sheet.modified = true;
  dialogs.answers = {Answer::No};
  EXPECT_TRUE(QueryCloseSheet(sheet, app, dialogs));
  dialogs.answers = {Answer::Cancel};
  EXPECT_FALSE(QueryCloseSheet(sheet, app, dialogs));
  EXPECT_EQ(ReadBytes(questionFile), before);
  CloseSheet(sheet, app);
  EXPECT_TRUE(app.OpenSheets().empty());
}

TEST_F(SheetSaving, CopyFileNamesAreCheckedUntilOneIsAccepted) {
  SheetDocument sheet = OpenMaster(3);
  sheet.modified = true;
  const std::string base = (folder / "kazu").string();
  dialogs.files = {base + "/bad.txt", base + "/第1回"};
  EXPECT_EQ(SaveCopyFile(sheet, app, dialogs), SaveOutcome::Saved);
  const std::string saved = base + "/第1回.prp";
  EXPECT_EQ(dialogs.log, (Lines{"save: " + app.CourseFolder() + "kazu/*.prp *.prp",
                                "inform: " + base + "/bad.txt:拡張子が不正です",
                                "save: " + app.CourseFolder() + "kazu/*.prp *.prp"}));
  EXPECT_FALSE(fs::exists(base + "/bad.txt"));
  EXPECT_EQ(sheet.identity, saved);
  EXPECT_EQ(sheet.filePath, saved);
  EXPECT_FALSE(sheet.modified);
  EXPECT_FALSE(sheet.master);
  EXPECT_EQ(app.OpenSheets(), (Lines{saved}));

  // Opened again, the copy reproduces the sheet.
  const UnitReading copy = ReadCopyFile(saved);
  ASSERT_TRUE(copy.ok()) << copy.problem.message;
  EXPECT_EQ(copy.content->questionLines, sheet.params.unit.questionLines);
  EXPECT_EQ(copy.content->title, sheet.params.unit.title);
}

// A course on a read-only medium: the copy file dialog offers the teacher's
// own data folder, under the lesson's name, instead of a folder that cannot
// be written.
TEST_F(SheetSaving, CopyFilesOfAReadOnlyCourseAreOfferedTheUsersOwnFolder) {
  SheetDocument sheet = OpenMaster(3);
  sheet.modified = true;
  app.SetOnCd(true);
  app.SetWindowsFolder((folder / "own" / "TavoloSF").string() + "/");
  dialogs.files = {std::nullopt};
  EXPECT_EQ(SaveCopyFile(sheet, app, dialogs), SaveOutcome::Cancelled);
  EXPECT_EQ(dialogs.log, (Lines{"save: " + app.WindowsFolder() + "kazu/*.prp *.prp"}));
  EXPECT_TRUE(fs::is_directory(app.WindowsFolder() + "kazu"));
}

// A copy file is written as the sheet shows it or not at all: a character
// CP932 cannot hold is refused with its line, and nothing is written.
TEST_F(SheetSaving, ACopyFileWithACharacterTheFileCannotHoldIsRefused) {
  SheetDocument sheet = OpenMaster(3);
  sheet.modified = true;
  sheet.params.unit.questionLines.push_back("(9) x²=#4#");
  const std::string target = (folder / "kazu" / "x.prp").string();
  dialogs.files = {target};
  EXPECT_EQ(SaveCopyFile(sheet, app, dialogs), SaveOutcome::Failed);
  const std::size_t line = 7 + sheet.params.unit.questionLines.size();
  EXPECT_EQ(dialogs.log.back(), "inform: " + target + "の保存に失敗しました\n" +
                                    std::to_string(line) +
                                    "行目：「²」はコピーファイルに書けない文字です");
  EXPECT_FALSE(fs::exists(target));
  EXPECT_TRUE(sheet.modified);
}

TEST_F(SheetSaving, DecliningToOverwriteWritesNothing) {
  SheetDocument sheet = OpenMaster(4);
  sheet.modified = true;
  const std::string existing = (folder / "kazu" / "old.prp").string();
  test::WriteBytes(existing, "keep");
  dialogs.files = {existing};
  dialogs.answers = {Answer::No};
  EXPECT_EQ(SaveCopyFile(sheet, app, dialogs), SaveOutcome::Cancelled);
  EXPECT_EQ(dialogs.log.back(), "destroy: ファイル" + existing + "を上書きしてもいいですか？");
  EXPECT_EQ(ReadBytes(existing), "keep");
  EXPECT_TRUE(sheet.modified);
}

TEST_F(SheetSaving, YesThenCancellingTheFileDialogKeepsTheSheetOpenAndChanged) {
  SheetDocument sheet = OpenMaster(5);
  sheet.master = false;  // a copy sheet saves through the file dialog
  sheet.modified = true;
  dialogs.answers = {Answer::Yes};
  dialogs.files = {std::nullopt};
  EXPECT_FALSE(QueryCloseSheet(sheet, app, dialogs));
  EXPECT_TRUE(sheet.modified);
}

TEST_F(SheetSaving, AFailedWriteTellsTheUserAndChangesNothing) {
  SheetDocument sheet = OpenMaster(6);
  sheet.modified = true;
  const std::string identity = sheet.identity;
  const std::string target = (folder / "no-such-folder" / "x.prp").string();
  dialogs.files = {target};
  EXPECT_EQ(SaveCopyFile(sheet, app, dialogs), SaveOutcome::Failed);
  // The reason follows on its own line: here the folder that is not there.
  EXPECT_EQ(dialogs.log.back(),
            "inform: " + target + "の保存に失敗しました\n" + target + " に書き込めません");
  EXPECT_EQ(sheet.identity, identity);
  EXPECT_EQ(sheet.filePath, questionFile);
  EXPECT_TRUE(sheet.modified);
  EXPECT_EQ(app.OpenSheets(), (Lines{identity}));

  // A master sheet whose question file became a folder: refused, kept open.
  fs::remove(questionFile);
  fs::create_directory(questionFile);
  dialogs.answers = {Answer::Yes};
  sheet.filePath = questionFile;
  EXPECT_FALSE(QueryCloseSheet(sheet, app, dialogs));
  EXPECT_EQ(dialogs.log.back(), "inform: " + questionFile + "の保存に失敗しました\nファイル " +
                                    questionFile + " は通常のファイルではありません");
  EXPECT_TRUE(sheet.modified);
}

TEST_F(SheetSaving, AMissingUnitIsAppendedToItsQuestionFile) {
  SheetDocument sheet = OpenMaster(7);
  sheet.address.unit = 41;
  EXPECT_EQ(SaveMaster(sheet, dialogs), SaveOutcome::Saved);
  const UnitReading added = ReadUnitBlock(questionFile, "[[unit41", 1, 41, {});
  ASSERT_TRUE(added.ok());
  EXPECT_EQ(added.content->valueLines.size(), 7u);
  EXPECT_TRUE(ReadUnitBlock(questionFile, "[[unit40", 1, 40, {}).ok());
}

}  // namespace
}  // namespace tavolo
