// Signing a learner on: the roster file, the password rules, and the order of
// the steps when the name window's OK is pressed, with what each leaves on disk.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/sign_on.h"
#include "app_fakes.h"
#include "platform/cp932.h"
#include "practice/learner_name.h"
#include "support/course_files.h"

namespace tavolo {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using test::MemorySettings;
using test::ReadBytes;
using test::ScriptedDialogs;
using test::TempFolder;
using test::WriteBytes;

std::string Sjis(std::string_view utf8) { return EncodeCp932(utf8); }

TEST(RosterTest, LoadsTheFileOrStartsOneWithThePublicName) {
  TempFolder folder;
  Roster roster;
  // A missing file becomes "公開" and is written at once, folder and all.
  const fs::path fresh = folder / "LogOn" / "sname.txt";
  ASSERT_TRUE(roster.Load(fresh).ok());
  EXPECT_EQ(roster.Names(), Lines{"公開"});
  EXPECT_EQ(roster.FileName(), "sname.txt");
  EXPECT_EQ(ReadBytes(fresh), Sjis("公開\r\n"));

  // An existing file is taken as it stands, duplicates and LF line ends too.
  const fs::path other = folder / "組" / "2年1組.txt";
  WriteBytes(other, Sjis("山田\n佐藤\r\n山田\r\n"));
  ASSERT_TRUE(roster.Load(other).ok());
  EXPECT_EQ(roster.Names(), (Lines{"山田", "佐藤", "山田"}));
  EXPECT_EQ(roster.FileName(), "2年1組.txt");
  EXPECT_EQ(ReadBytes(other), Sjis("山田\n佐藤\r\n山田\r\n"));  // reading changes nothing
}

TEST(RosterTest, AddsRemovesAndSavesInListOrder) {
  TempFolder folder;
  Roster roster;
  ASSERT_TRUE(roster.Load(folder / "sname.txt").ok());
  const struct {
    const char* name;
    bool added;
  } adds[] = {{"", false},       {"yamada", true},    {"yamada", false},
              {"Yamada", false},  // one learner: their record files would collide elsewhere
              {"公開", false},   {"佐藤　花子", true}};
  for (const auto& a : adds) EXPECT_EQ(roster.Add(a.name), a.added) << a.name;
  EXPECT_EQ(roster.Find("YAMADA"), "yamada");
  EXPECT_FALSE(roster.RemoveAt(3));
  EXPECT_TRUE(roster.RemoveAt(0));
  EXPECT_EQ(roster.Names(), (Lines{"yamada", "佐藤　花子"}));
  ASSERT_TRUE(roster.SaveAs(folder / "new" / "b.txt").ok());
  EXPECT_EQ(ReadBytes(folder / "new" / "b.txt"), Sjis("yamada\r\n佐藤　花子\r\n"));
  EXPECT_EQ(roster.FileName(), "sname.txt");  // saving elsewhere does not rename the roster
}

TEST(RosterTest, FilesThatCannotBeReadOrWrittenAreReported) {
  TempFolder folder;
  Roster roster;
  ASSERT_TRUE(roster.Load(folder / "sname.txt").ok());
  fs::create_directories(folder / "dir.txt");
  const Status unreadable = roster.Load(folder / "dir.txt");
  ASSERT_FALSE(unreadable.ok());
  EXPECT_EQ(unreadable.message(),
            "ファイル " + (folder / "dir.txt").string() + " は通常のファイルではありません");
  EXPECT_EQ(roster.Names(), Lines{"公開"});  // as it was
  EXPECT_EQ(roster.FileName(), "sname.txt");

  // A new roster in a place that cannot be written is shown all the same.
  WriteBytes(folder / "file", "x");
  const Status unwritable = roster.Load(folder / "file" / "sname.txt");
  ASSERT_FALSE(unwritable.ok());
  EXPECT_NE(unwritable.message().find("に書き込めません"), std::string::npos);
  EXPECT_EQ(roster.Names(), Lines{"公開"});
}

class PasswordTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(folder / "kazu"); }
  fs::path File() const { return folder / "kazu" / "山田.ini"; }
  void Store(std::string_view password) {
    WriteBytes(File(),
               Sjis("[S11正の数]\r\n1=x\r\n[password]\r\npw=" + std::string(password) + "\r\n"));
  }
  TempFolder folder;
};

TEST_F(PasswordTest, NewPasswordsAreTypedTwiceAndWritten) {
  struct Case {
    const char* first;
    const char* second;
    const char* message;  // empty: accepted
    PasswordField focus;
  };
  const Case cases[] = {
      {"", "", "４文字以上にしてください", PasswordField::First},
      {"abc", "abc", "４文字以上にしてください", PasswordField::First},
      {"  ab  ", "  ab  ", "４文字以上にしてください",
       PasswordField::First},  // blanks are not kept
      {"abcd", "", "確認のため再入力してください", PasswordField::Second},
      {"abcd", "abce", "確認のため再入力してください", PasswordField::Second},
      {"abcd", "ABCD", "確認のため再入力してください", PasswordField::Second},
  };
  PasswordEntry entry("山田", File());
  EXPECT_TRUE(entry.IsNew());
  EXPECT_EQ(entry.Greeting(), "ようこそ山田さん");
  EXPECT_EQ(entry.Prompt(), "新規パスワードを設定してください");
  for (const Case& c : cases) {
    const PasswordVerdict v = entry.Accept(c.first, c.second);
    EXPECT_FALSE(v.accepted) << c.first;
    EXPECT_EQ(v.message, c.message) << c.first;
    EXPECT_EQ(v.focus, c.focus) << c.first;
  }
  EXPECT_FALSE(fs::exists(File()));  // nothing written until both agree

  // Two full-width characters are four bytes: long enough.
  EXPECT_TRUE(entry.Accept("ＡＢ", "ＡＢ").accepted);
  EXPECT_EQ(ReadBytes(File()), Sjis("[password]\r\npw=ＡＢ\r\n"));
}

TEST_F(PasswordTest, ExistingPasswordsMustMatchAndTheFileKeepsItsRuns) {
  Store("secret");
  const std::string before = ReadBytes(File());
  PasswordEntry entry("山田", File());
  EXPECT_FALSE(entry.IsNew());
  EXPECT_EQ(entry.Prompt(), "パスワードを入力してください");
  const struct {
    const char* typed;
    const char* message;
  } cases[] = {
      {"sec", "４文字以上にしてください"},
      {"Secret", "パスワードを正しく入力してください"},
      {"secret1", "パスワードを正しく入力してください"},
      {"secret", ""},
      {" secret ", ""},  // the file never keeps blanks at the ends
  };
  for (const auto& c : cases) {
    // Attempts are unlimited: a wrong one never locks the learner out.
    const PasswordVerdict v = entry.Accept(c.typed, "");
    EXPECT_EQ(v.accepted, std::string(c.message).empty()) << c.typed;
    EXPECT_EQ(v.message, c.message) << c.typed;
    EXPECT_EQ(v.focus, PasswordField::First);
  }
  EXPECT_EQ(ReadBytes(File()), before);
}

TEST_F(PasswordTest, APasswordAcceptedOnceIsAcceptedAgain) {
  // Characters Shift-JIS cannot hold are stored as "?": the same typing must
  // still sign on next time.
  for (const char* typed : {"abc😀", "\tpass word\t"}) {
    fs::remove(File());
    PasswordEntry first("山田", File());
    ASSERT_TRUE(first.Accept(typed, typed).accepted) << typed;
    PasswordEntry next("山田", File());
    EXPECT_FALSE(next.IsNew());
    EXPECT_TRUE(next.Accept(typed, "").accepted) << typed;
  }
}

TEST_F(PasswordTest, ARecordFileThatCannotBeWrittenKeepsTheLearnerWaiting) {
  fs::remove_all(folder / "kazu");
  WriteBytes(folder / "kazu", "not a folder");
  PasswordEntry entry("山田", File());
  const PasswordVerdict v = entry.Accept("abcd", "abcd");
  EXPECT_FALSE(v.accepted);
  EXPECT_EQ(v.message, File().string() + " に書き込めません");
  EXPECT_EQ(ReadBytes(folder / "kazu"), "not a folder");
}

class SignOnTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app.SetCourseFolder(test::CourseFolderOf(folder));
    app.SetWindowsFolder((folder / "data").string() + "/");
    app.SetRecordDrive((folder / "home").string() + "/");
    app.SetLearnerName("前の人");
    test::WriteCp932Lines(folder / "Main.ind", {"数学", "", "正負,kazu\\ kz", "加減,kagen\\ kg"});
    fs::create_directories(folder / "kazu");
    fs::create_directories(folder / "kagen");
    auto course = ReadCourseIndex(app.CourseFolder());
    ASSERT_TRUE(course) << course.message();
    app.SetCourse(std::move(course).value());
  }
  fs::path RosterFile() const { return folder / "LogOn" / "sname.txt"; }
  fs::path RecordFile(const std::string& name, const char* lesson = "kazu") const {
    return folder / lesson / (name + ".ini");
  }
  // The name window's OK with the roster as the window loaded it; `password`
  // plays the password window (nothing: it is not expected to open).
  SignOnOutcome Ok(const std::string& name, std::function<bool(PasswordEntry&)> password = nullptr,
                   int lesson = 1) {
    SignOnRequest request{name, lesson, nullptr};
    request.askPassword = [&, password](PasswordEntry& entry) {
      ++passwordWindows;
      if (!password) ADD_FAILURE() << "password window for " << entry.Learner();
      return password && password(entry);
    };
    return SignOn(app, settings, dialogs, roster, request);
  }
  void Load() { ASSERT_TRUE(roster.Load(DefaultRosterFile(app)).ok()); }

  TempFolder folder;
  AppState app;
  MemorySettings settings;
  ScriptedDialogs dialogs;
  Roster roster;
  int passwordWindows = 0;
};

TEST_F(SignOnTest, FirstSignOnSetsAPasswordTypedTwice) {
  Load();
  EXPECT_EQ(DefaultRosterFile(app), RosterFile());
  const auto outcome = Ok("山田", [](PasswordEntry& entry) {
    EXPECT_TRUE(entry.IsNew());
    EXPECT_EQ(entry.Greeting(), "ようこそ山田さん");
    EXPECT_FALSE(entry.Accept("pw12", "pw").accepted);
    return entry.Accept("pw12", "pw12").accepted;
  });
  EXPECT_EQ(outcome, SignOnOutcome::SignedOn);
  EXPECT_EQ(app.LearnerName(), "山田");
  EXPECT_EQ(settings.Program("LogOnName"), "山田");
  EXPECT_EQ(ReadBytes(RosterFile()), Sjis("公開\r\n山田\r\n"));
  EXPECT_EQ(ReadBytes(RecordFile("山田")), Sjis("[password]\r\npw=pw12\r\n"));
  EXPECT_TRUE(dialogs.log.empty());
}

TEST_F(SignOnTest, AWrongOrCancelledPasswordKeepsThePreviousLearner) {
  test::WriteCp932Lines(RecordFile("山田"), {"[password]", "pw=himitsu"});
  Load();
  const auto outcome = Ok("山田", [](PasswordEntry& entry) {
    EXPECT_FALSE(entry.IsNew());
    EXPECT_EQ(entry.Accept("himitsu!", "").message, "パスワードを正しく入力してください");
    return false;  // the learner gave up
  });
  EXPECT_EQ(outcome, SignOnOutcome::Stay);
  EXPECT_EQ(app.LearnerName(), "前の人");
  EXPECT_FALSE(settings.Program("LogOnName").has_value());
  // The roster was written first, the new name in it.
  EXPECT_EQ(ReadBytes(RosterFile()), Sjis("公開\r\n山田\r\n"));
  EXPECT_EQ(ReadBytes(RecordFile("山田")), Sjis("[password]\r\npw=himitsu\r\n"));
}

TEST_F(SignOnTest, TheSharedNameNeedsNoPasswordThePublicNameDoes) {
  Load();
  EXPECT_EQ(Ok("共通"), SignOnOutcome::SignedOn);
  EXPECT_EQ(passwordWindows, 0);
  EXPECT_EQ(app.LearnerName(), "共通");
  EXPECT_EQ(settings.Program("LogOnName"), "共通");
  EXPECT_FALSE(fs::exists(RecordFile("共通")));  // nothing is written for it
  EXPECT_EQ(ReadBytes(RosterFile()), Sjis("公開\r\n共通\r\n"));

  // "公開" asks for a password like any learner; cancelling leaves "共通" on.
  EXPECT_EQ(Ok("公開", [](PasswordEntry&) { return false; }), SignOnOutcome::Stay);
  EXPECT_EQ(passwordWindows, 1);
  EXPECT_EQ(app.LearnerName(), "共通");
}

TEST_F(SignOnTest, AnEmptyNameWritesTheRosterAndCancels) {
  test::WriteCp932Lines(RosterFile(), {"公開", "山田", "佐藤"});
  Load();
  ASSERT_TRUE(roster.RemoveAt(1));
  ASSERT_TRUE(roster.Add("鈴木"));
  EXPECT_EQ(Ok(""), SignOnOutcome::Cancelled);
  EXPECT_EQ(ReadBytes(RosterFile()), Sjis("公開\r\n佐藤\r\n鈴木\r\n"));
  EXPECT_EQ(app.LearnerName(), "前の人");
  EXPECT_FALSE(settings.Program("LogOnName").has_value());
}

TEST_F(SignOnTest, ARefusedNameWritesNothing) {
  test::WriteCp932Lines(RosterFile(), {"公開"});
  const std::string before = ReadBytes(RosterFile());
  Load();
  for (const std::string& name :
       {std::string("a/b"), std::string(".."), std::string("tab\tname"), std::string("a\\b"),
        std::string("末尾の点."), std::string("CON"), std::string("😀"),
        std::string(35, 'x') + "あいうえおかきくけこさしすせそ"}) {
    dialogs.log.clear();
    EXPECT_EQ(Ok(name), SignOnOutcome::Stay) << name;
    // The message says which rule failed, as the label beside the field does.
    const auto why = LearnerNameRefusal(name);
    ASSERT_TRUE(why.has_value()) << name;
    EXPECT_EQ(dialogs.log, Lines{"inform: " + *why}) << name;
    EXPECT_FALSE(AddToRoster(roster, name, dialogs)) << name;
  }
  EXPECT_EQ(passwordWindows, 0);
  EXPECT_EQ(roster.Names(), Lines{"公開"});
  EXPECT_EQ(ReadBytes(RosterFile()), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder / "kazu"), fs::directory_iterator()), 0);
  EXPECT_EQ(app.LearnerName(), "前の人");
}

TEST_F(SignOnTest, ARosterThatCannotBeWrittenStopsTheSignOn) {
  Load();
  fs::remove_all(folder / "LogOn");
  WriteBytes(folder / "LogOn", "a file where the folder was");
  EXPECT_EQ(Ok("共通"), SignOnOutcome::Stay);
  EXPECT_EQ(dialogs.log, Lines{"inform: 「共通」を名簿に加えられません。\n" +
                               RosterFile().string() + " に書き込めません"});
  EXPECT_EQ(app.LearnerName(), "前の人");
  EXPECT_EQ(ReadBytes(folder / "LogOn"), "a file where the folder was");
}

TEST_F(SignOnTest, AnUnwritableRosterStopsNobodyAlreadyOnIt) {
  test::WriteCp932Lines(RosterFile(), {"公開", "山田"});
  test::WriteCp932Lines(RecordFile("山田"), {"[password]", "pw=secret"});
  Load();
  // The roster cannot be written any more (a read-only share, a CD-ROM).
  fs::remove_all(folder / "LogOn");
  WriteBytes(folder / "LogOn", "a file where the folder was");
  const auto accept = [](PasswordEntry& entry) { return entry.Accept("secret", "").accepted; };
  EXPECT_EQ(Ok("山田", accept), SignOnOutcome::SignedOn);
  EXPECT_EQ(Ok("共通"), SignOnOutcome::Stay);  // a new name: it cannot join, and says why
  EXPECT_EQ(dialogs.log.size(), 1u);
  EXPECT_EQ(dialogs.log.front().rfind("inform: 「共通」を名簿に加えられません。", 0), 0u);
  EXPECT_EQ(app.LearnerName(), "山田");
}

TEST_F(SignOnTest, AnUnchangedRosterIsNotRewritten) {
  test::WriteCp932Lines(RosterFile(), {"公開", "山田"});
  Load();
  struct stat before {};
  ASSERT_EQ(::stat(RosterFile().c_str(), &before), 0);
  EXPECT_EQ(Ok("公開", [](PasswordEntry& e) { return e.Accept("abcd", "abcd").accepted; }),
            SignOnOutcome::SignedOn);
  struct stat after {};
  ASSERT_EQ(::stat(RosterFile().c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);  // an atomic write would have replaced it
}

TEST_F(SignOnTest, NamesAreOneLearnerWhateverTheirCaseAndBlanks) {
  test::WriteCp932Lines(RosterFile(), {"公開", "Taro"});
  test::WriteCp932Lines(RecordFile("Taro"), {"[password]", "pw=secret"});
  Load();
  std::string greeted;
  const auto accept = [&](PasswordEntry& entry) {
    greeted = entry.Greeting();
    EXPECT_FALSE(entry.IsNew());
    return entry.Accept("secret", "").accepted;
  };
  EXPECT_EQ(Ok("taro", accept), SignOnOutcome::SignedOn);
  EXPECT_EQ(greeted, "ようこそTaroさん");
  EXPECT_EQ(app.LearnerName(), "Taro");
  EXPECT_FALSE(fs::exists(folder / "kazu" / "taro.ini"));
  EXPECT_EQ(ReadBytes(RosterFile()), Sjis("公開\r\nTaro\r\n"));

  // Blanks around a name are dropped, not refused.
  EXPECT_EQ(Ok("　花子 ", [](PasswordEntry& e) { return e.Accept("abcd", "abcd").accepted; }),
            SignOnOutcome::SignedOn);
  EXPECT_EQ(app.LearnerName(), "花子");
  EXPECT_TRUE(fs::exists(RecordFile("花子")));
  EXPECT_EQ(ReadBytes(RosterFile()), Sjis("公開\r\nTaro\r\n花子\r\n"));
}

TEST_F(SignOnTest, AnEmptyStoredPasswordIsNoPassword) {
  test::WriteCp932Lines(RecordFile("山田"), {"[password]", "pw="});
  Load();
  bool wasNew = false;
  EXPECT_EQ(Ok("山田",
               [&](PasswordEntry& entry) {
                 wasNew = entry.IsNew();
                 return entry.Accept("abcd", "abcd").accepted;
               }),
            SignOnOutcome::SignedOn);
  EXPECT_TRUE(wasNew);
  EXPECT_EQ(ReadBytes(RecordFile("山田")), Sjis("[password]\r\npw=abcd\r\n"));
}

TEST_F(SignOnTest, TwoPcsSigningOnAtOnceKeepBothNewNames) {
  test::WriteCp932Lines(RosterFile(), {"公開", "山田", "佐藤"});
  Roster other;
  ASSERT_TRUE(other.Load(RosterFile()).ok());
  Load();
  // The other PC removes 佐藤 and adds 鈴木 after this window was opened.
  ASSERT_TRUE(other.RemoveAt(2));
  ASSERT_TRUE(other.Add("鈴木"));
  ASSERT_TRUE(other.Store(RosterFile()).ok());
  EXPECT_EQ(Ok("共通"), SignOnOutcome::SignedOn);
  EXPECT_EQ(ReadBytes(RosterFile()), Sjis("公開\r\n山田\r\n鈴木\r\n共通\r\n"));
}

TEST(RosterTest, AHugeFileIsNoRoster) {
  TempFolder folder;
  std::string lines;
  for (std::size_t i = 0; i <= kMaxRosterNames; ++i) lines += "n" + std::to_string(i) + "\r\n";
  WriteBytes(folder / "sname.txt", lines);
  WriteBytes(folder / "big.txt", std::string(2 * 1024 * 1024, 'x'));
  for (const char* name : {"sname.txt", "big.txt"}) {
    SCOPED_TRACE(name);
    Roster roster;
    const Status loaded = roster.Load(folder / name);
    ASSERT_FALSE(loaded.ok());
    EXPECT_EQ(loaded.message(),
              "名簿 " + (folder / name).string() + " には名前が多すぎます（10000人まで）");
    EXPECT_TRUE(roster.FileName().empty());  // so sign-on never writes over it
  }
  // The limit itself is a roster.
  lines.erase(lines.rfind("n10000"));
  WriteBytes(folder / "sname.txt", lines);
  Roster roster;
  ASSERT_TRUE(roster.Load(folder / "sname.txt").ok());
  EXPECT_EQ(roster.Names().size(), kMaxRosterNames);
  EXPECT_FALSE(roster.Add("もう一人"));
}

TEST_F(SignOnTest, ARosterThatCouldNotBeReadIsNeverOverwritten) {
  // The window could not read the roster: it holds no file name, and signing
  // on leaves the file alone.
  roster.Clear();
  WriteBytes(RosterFile(), Sjis("山田\r\n"));
  EXPECT_EQ(Ok("共通"), SignOnOutcome::SignedOn);
  EXPECT_EQ(ReadBytes(RosterFile()), Sjis("山田\r\n"));
}

TEST_F(SignOnTest, ThePasswordBelongsToTheCurrentLessonsRecordFile) {
  test::WriteCp932Lines(RecordFile("山田"), {"[password]", "pw=lesson1"});
  Load();
  // Lesson 2 has no password for 山田 yet: a new one is set there.
  EXPECT_EQ(Ok(
                "山田",
                [](PasswordEntry& entry) {
                  EXPECT_TRUE(entry.IsNew());
                  return entry.Accept("lesson2", "lesson2").accepted;
                },
                2),
            SignOnOutcome::SignedOn);
  EXPECT_EQ(ReadBytes(RecordFile("山田", "kagen")), Sjis("[password]\r\npw=lesson2\r\n"));
  EXPECT_EQ(ReadBytes(RecordFile("山田")), Sjis("[password]\r\npw=lesson1\r\n"));
}

TEST_F(SignOnTest, AReadOnlyCourseKeepsItsRosterInTheRecordsFolder) {
  app.SetOnCd(true);
  EXPECT_EQ(DefaultRosterFile(app), folder / "home" / "Tavolo" / "LogOn" / "sname.txt");
  app.SetOnCd(false);
  EXPECT_EQ(RosterFolder(app), folder / "LogOn");
}

TEST_F(SignOnTest, OpeningAndSavingOtherRosters) {
  Load();
  WriteBytes(folder / "組" / "3年2組.txt", Sjis("田中\r\n"));
  dialogs.files = {(folder / "組" / "3年2組.txt").string()};
  OpenRoster(app, roster, dialogs);
  EXPECT_EQ(dialogs.log.back(), "open: " + app.CourseFolder() + " テキストファイル (*.txt)");
  EXPECT_EQ(roster.Names(), Lines{"田中"});
  // OK writes it into the roster folder under its own name; sname.txt stays.
  EXPECT_EQ(Ok("共通"), SignOnOutcome::SignedOn);
  EXPECT_EQ(ReadBytes(folder / "LogOn" / "3年2組.txt"), Sjis("田中\r\n共通\r\n"));
  EXPECT_EQ(ReadBytes(folder / "組" / "3年2組.txt"), Sjis("田中\r\n"));
  EXPECT_EQ(ReadBytes(RosterFile()), Sjis("公開\r\n"));

  // Saving as: ".txt" is added; an existing file is replaced only on Yes.
  dialogs.files = {(folder / "控え").string(), (folder / "控え.txt").string(),
                   (folder / "控え.txt").string()};
  EXPECT_TRUE(SaveRosterAs(app, roster, dialogs));
  EXPECT_EQ(ReadBytes(folder / "控え.txt"), Sjis("田中\r\n共通\r\n"));
  ASSERT_TRUE(roster.Add("佐藤"));
  dialogs.answers = {Answer::No, Answer::Yes};
  EXPECT_FALSE(SaveRosterAs(app, roster, dialogs));
  EXPECT_EQ(ReadBytes(folder / "控え.txt"), Sjis("田中\r\n共通\r\n"));
  EXPECT_TRUE(SaveRosterAs(app, roster, dialogs));
  EXPECT_EQ(ReadBytes(folder / "控え.txt"), Sjis("田中\r\n共通\r\n佐藤\r\n"));
  EXPECT_EQ(dialogs.log.back(),
            "destroy: ファイル" + (folder / "控え.txt").string() + "を上書きしてもいいですか？");

  // A roster file that cannot be read leaves the roster as it was.
  fs::create_directories(folder / "箱.txt");
  dialogs.files = {(folder / "箱.txt").string()};
  OpenRoster(app, roster, dialogs);
  EXPECT_EQ(dialogs.log.back(),
            "inform: ファイル " + (folder / "箱.txt").string() + " は通常のファイルではありません");
  EXPECT_EQ(roster.Names(), (Lines{"田中", "共通", "佐藤"}));
}

}  // namespace
}  // namespace tavolo
