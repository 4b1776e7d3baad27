// Start-up of the desktop program: the order of its steps, the settings it
// writes back on a first start, and what happens with missing course files.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/app_state.h"
#include "app/start_up.h"
#include "app_fakes.h"
#include "platform/text_file.h"
#include "support/course_files.h"
#include "support/hostile_files.h"

namespace tavolo {
namespace {

namespace fs = std::filesystem;
using test::MemorySettings;
using test::ScriptedDialogs;
using test::TempFolder;

void Touch(const fs::path& path, const std::string& bytes = "x") {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

class RecordingView final : public StartUpView {
 public:
  Status SetTitlePicture(const fs::path& file) override {
    log.push_back("title " + file.filename().string());
    if (titleFails) return Failure{"画像を読み込めません"};
    return Succeeded();
  }
  void SetTipsNextTime(bool ticked) override { log.push_back(ticked ? "tips on" : "tips off"); }
  void ShowTips() override { log.push_back("show tips"); }
  void SetLessons(const std::vector<std::string>& captions) override {
    log.push_back("lessons " + std::to_string(captions.size()));
  }
  void ApplyPaper(const PaperChoice& paper) override {
    log.push_back("paper " + std::to_string(static_cast<int>(paper.button)) + " " +
                  std::to_string(paper.width) + "x" + std::to_string(paper.height));
  }
  void ShowTitleWindow() override { log.push_back("title window"); }
  void ApplyLearnerName(const std::string& name) override { log.push_back("learner " + name); }
  void ApplyKeyLock(bool locked) override { log.push_back(locked ? "locked" : "unlocked"); }

  bool titleFails = false;
  std::vector<std::string> log;
};

class StartUpTest : public ::testing::Test {
 protected:
  StartUpTest() {
    course = root.path() / "course";
    test::WriteCp932Lines(course / "Main.ind",
                          {"正と負の数", "", "正の数と負の数,seifu\\ sf", "加法と減法,kagen\\ kg"});
    Touch(course / "Title.BMP");
    places.courseFolder = course.string();
    places.dataFolder = (root.path() / "data").string();
    places.homeFolder = (root.path() / "home").string();
    fs::create_directories(places.dataFolder);
    fs::create_directories(places.homeFolder);
  }
  StartUpOutcome Run() { return RunStartUp(state, settings, dialogs, view, places); }
  std::string Home() const { return places.homeFolder + "/"; }

  TempFolder root;
  fs::path course;
  StartUpPlaces places;
  AppState state;
  MemorySettings settings;
  ScriptedDialogs dialogs;
  RecordingView view;
};

TEST_F(StartUpTest, FirstStartRunsEveryStepInOrderAndStoresTheDefaults) {
  ASSERT_EQ(Run(), StartUpOutcome::Ready);
  EXPECT_EQ(view.log, (std::vector<std::string>{"title Title.BMP", "tips on", "show tips",
                                                "lessons 2", "paper 1 630x891", "title window",
                                                "learner 共通", "unlocked"}));
  EXPECT_TRUE(dialogs.log.empty());

  EXPECT_EQ(settings.Program("theSchool"), "");
  EXPECT_EQ(settings.Program("PaperSize"), "630");
  EXPECT_EQ(settings.Program("LogOnName"), "共通");
  EXPECT_TRUE(settings.Program("ShowDoYouKnow").has_value());
  EXPECT_TRUE(settings.Program("KeyLock").has_value());
  EXPECT_EQ(ReadSettingBool(settings, "ShowDoYouKnow", false), true);
  EXPECT_EQ(ReadSettingBool(settings, "KeyLock", true), false);
  EXPECT_EQ(settings.Family("RecDrive"), Home());
  EXPECT_EQ(settings.values.size(), 6u);

  EXPECT_EQ(state.CourseFolder(), course.string() + "/");
  EXPECT_EQ(state.RecordDrive(), Home());
  EXPECT_EQ(state.RecordFolder(), Home() + "Tavolo/LogOn");
  EXPECT_TRUE(fs::is_directory(state.RecordFolder()));
  EXPECT_EQ(state.WindowsFolder(), places.dataFolder + "/");
  EXPECT_EQ(state.LearnerName(), "共通");
  EXPECT_FALSE(state.KeyLock());
  EXPECT_FALSE(state.OnCd());
  EXPECT_TRUE(state.AnswerDisplay());
}

TEST_F(StartUpTest, StoredSettingsAreRestored) {
  settings.Write(SettingsKey::Program, "theSchool", "ＣＡＩ中学校");
  WriteSettingBool(settings, "ShowDoYouKnow", false);
  settings.Write(SettingsKey::Program, "PaperSize", "891");
  settings.Write(SettingsKey::Program, "LogOnName", "山田");
  WriteSettingBool(settings, "KeyLock", true);
  ASSERT_EQ(Run(), StartUpOutcome::Ready);
  EXPECT_EQ(view.log, (std::vector<std::string>{"title Title.BMP", "tips off", "lessons 2",
                                                "paper 3 891x1260", "title window", "learner 山田",
                                                "locked"}));
  EXPECT_EQ(state.SchoolName(), "ＣＡＩ中学校");
  EXPECT_TRUE(state.KeyLock());
}

TEST_F(StartUpTest, CourseFolderGetsExactlyOneTrailingSeparator) {
  const std::string relative = fs::relative(course).string();
  for (const std::string& given : {course.string(), course.string() + "/", relative, relative + "/",
                                   course.string() + "/./"}) {
    places.courseFolder = given;
    view.log.clear();
    ASSERT_EQ(Run(), StartUpOutcome::Ready) << given;
    EXPECT_EQ(state.CourseFolder(), course.string() + "/") << given;
  }
}

TEST_F(StartUpTest, MissingMainIndexEndsTheProgramAfterTheTitle) {
  fs::remove(course / "Main.ind");
  EXPECT_EQ(Run(), StartUpOutcome::Quit);
  EXPECT_EQ(dialogs.log, (std::vector<std::string>{"inform: ファイル " + course.string() +
                                                   "/Main.ind が見つかりません"}));
  EXPECT_EQ(view.log, (std::vector<std::string>{"title Title.BMP"}));
}

TEST_F(StartUpTest, MissingCourseFolderEndsTheProgram) {
  places.courseFolder = (root.path() / "nowhere").string();
  EXPECT_EQ(Run(), StartUpOutcome::Quit);
  EXPECT_EQ(dialogs.log, (std::vector<std::string>{"inform: ディレクトリ " + places.courseFolder +
                                                   "/ が見つかりません"}));
  EXPECT_TRUE(view.log.empty());
}

TEST_F(StartUpTest, TitlePictureProblemsAreReportedAndStartUpGoesOn) {
  struct Case {
    const char* file;  // the title picture present, or empty for none
    bool loadFails;
    std::vector<std::string> messages;
    const char* titleCall;
  };
  const std::string missing = "inform: ファイル " + course.string() + "/Title.BMP が見つかりません";
  const Case cases[] = {
      {"", false, {missing}, nullptr},
      {"title.bmp", false, {}, "title title.bmp"},  // found whatever its case
      {"Title.BMP", true, {"inform: 画像を読み込めません"}, "title Title.BMP"},
  };
  for (const auto& c : cases) {
    fs::remove(course / "Title.BMP");
    fs::remove(course / "title.bmp");
    if (*c.file) Touch(course / c.file);
    view = RecordingView();
    view.titleFails = c.loadFails;
    dialogs.log.clear();
    ASSERT_EQ(Run(), StartUpOutcome::Ready) << c.file;
    EXPECT_EQ(dialogs.log, c.messages) << c.file;
    EXPECT_EQ(view.log.front(), c.titleCall ? c.titleCall : "tips on") << c.file;
    EXPECT_EQ(view.log.back(), "unlocked");
  }
}

TEST_F(StartUpTest, RecordDriveMustBeAnAbsoluteFolderOfThisMachine) {
  const std::string other = (root.path() / "records").string();
  fs::create_directories(other);
  struct Case {
    std::string stored, drive;
  };
  const Case cases[] = {
      {"C:\\", Home()},           {"", Home()}, {"relative/dir", Home()}, {other, other + "/"},
      {other + "/", other + "/"},
  };
  for (const auto& c : cases) {
    settings.Write(SettingsKey::Family, "RecDrive", c.stored);
    ASSERT_EQ(Run(), StartUpOutcome::Ready) << c.stored;
    EXPECT_EQ(state.RecordDrive(), c.drive) << c.stored;
    EXPECT_TRUE(fs::is_directory(c.drive + "Tavolo/LogOn")) << c.stored;
  }
  EXPECT_TRUE(dialogs.log.empty());
}

TEST_F(StartUpTest, UncreatableRecordFolderIsReportedOnce) {
  Touch(root.path() / "home" / "Tavolo");  // a file where the folder should be
  ASSERT_EQ(Run(), StartUpOutcome::Ready);
  EXPECT_EQ(dialogs.log, (std::vector<std::string>{"inform: 記録用のフォルダ " + Home() +
                                                   "Tavolo を作成できません"}));
  EXPECT_EQ(view.log.back(), "unlocked");
}

TEST_F(StartUpTest, LearnerNameThatReachesIntoOtherFoldersIsNotUsed) {
  // A NUL would cut the record path short and land the record elsewhere.
  for (const std::string& bad :
       std::vector<std::string>{"../x", "a/b", "a\\b", "..", std::string("kz1.que\0", 8), "a\tb"}) {
    settings.Write(SettingsKey::Program, "LogOnName", bad);
    dialogs.log.clear();
    ASSERT_EQ(Run(), StartUpOutcome::Ready);
    EXPECT_EQ(state.LearnerName(), "共通") << bad;
    EXPECT_EQ(dialogs.log, (std::vector<std::string>{"inform: 学習者名 " + bad +
                                                     " は使えません。「共通」で始めます"}));
  }
  settings.Write(SettingsKey::Program, "LogOnName", "");  // nobody signed on: allowed
  dialogs.log.clear();
  ASSERT_EQ(Run(), StartUpOutcome::Ready);
  EXPECT_EQ(state.LearnerName(), "");
  EXPECT_TRUE(dialogs.log.empty());
}

TEST_F(StartUpTest, ReadOnlyCourseIsTreatedLikeACdRom) {
  places.courseFolderReadOnly = true;
  ASSERT_EQ(Run(), StartUpOutcome::Ready);
  EXPECT_TRUE(state.OnCd());
  // What the lessons would write into the course goes to the data folder.
  EXPECT_TRUE(fs::is_directory(places.dataFolder + "/sf"));
  EXPECT_TRUE(fs::is_directory(places.dataFolder + "/kg"));
}

TEST_F(StartUpTest, AFreshAccountGetsTheWholeDataAndRecordPaths) {
  // Neither ~/.local/share nor the home folder's Tavolo exist on a new account.
  places.dataFolder = (root.path() / "fresh" / ".local/share/Tavolo++/TavoloSF").string();
  places.homeFolder = (root.path() / "fresh" / "home").string();
  places.courseFolderReadOnly = true;
  ASSERT_EQ(Run(), StartUpOutcome::Ready);
  EXPECT_TRUE(dialogs.log.empty()) << dialogs.log.front();
  EXPECT_TRUE(fs::is_directory(places.dataFolder + "/sf"));
  EXPECT_TRUE(fs::is_directory(places.homeFolder + "/Tavolo/LogOn"));
}

TEST_F(StartUpTest, TemporariesNoProgramHoldsAreRemovedAtStart) {
  // A killed program's temporary beside a record file, one in the data folder,
  // and one that a write running right now holds.
  const std::string left = ".tavolo-00000000000000a1.tmp";
  const std::string leftInData = ".tavolo-00000000000000a2.tmp";
  Touch(course / "seifu" / left);
  Touch(fs::path(places.dataFolder) / leftInData);
  test::MakeOlder(course / "seifu" / left, 60);
  test::MakeOlder(fs::path(places.dataFolder) / leftInData, 60);
  fs::create_directories(course / "kagen");
  auto running = StagedFile::Stage(course / "kagen" / "kg.ind", "x");
  ASSERT_TRUE(running.ok());
  test::MakeOlder(running.value().temporary(), 60);

  ASSERT_EQ(Run(), StartUpOutcome::Ready);
  EXPECT_FALSE(fs::exists(course / "seifu" / left));
  EXPECT_FALSE(fs::exists(fs::path(places.dataFolder) / leftInData));
  EXPECT_TRUE(fs::exists(running.value().temporary()));
  EXPECT_TRUE(running.value().Commit().ok());
}

TEST_F(StartUpTest, WritableCourseMakesNoLessonFolders) {
  ASSERT_EQ(Run(), StartUpOutcome::Ready);
  EXPECT_TRUE(fs::is_empty(places.dataFolder));
  ASSERT_EQ(state.Course().lessons.size(), 2u);
  EXPECT_EQ(state.Course().lessons[1].caption, "加法と減法");
}

TEST(PaperFromSetting, ChecksTheMatchingButtonAndKeepsOtherWidths) {
  struct Case {
    int value;
    PaperChoice paper;
  };
  const Case cases[] = {
      {546, {PaperSize::B5, 546, 772}},
      {630, {PaperSize::A4, 630, 891}},
      {771, {PaperSize::B4, 771, 1090}},
      {891, {PaperSize::A3, 891, 1260}},
      {600, {PaperSize::A4, 600, 849}},
      {100, {PaperSize::A4, 100, 141}},
      // Damaged values would make an empty or gigantic page: A4 instead.
      {0, {PaperSize::A4, 630, 891}},
      {-5, {PaperSize::A4, 630, 891}},
      {99, {PaperSize::A4, 630, 891}},
      {100000, {PaperSize::A4, 630, 891}},
  };
  for (const auto& c : cases) EXPECT_EQ(PaperFromSetting(c.value), c.paper) << c.value;
}

TEST(KeyLock, EveryChangeIsStored) {
  MemorySettings settings;
  AppState state;
  for (bool locked : {true, false, true}) {
    ASSERT_TRUE(SetKeyLock(state, settings, locked).ok());
    EXPECT_EQ(state.KeyLock(), locked);
    EXPECT_EQ(ReadSettingBool(settings, "KeyLock", !locked), locked);
  }
}

}  // namespace
}  // namespace tavolo
