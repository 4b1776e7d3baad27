// The Debian package as an administrator gets it: built by CPack from this
// build into a temporary folder, read with dpkg-deb, unpacked into a
// throw-away root and its program run there. And the manual page as `man`
// shows it, against what `tavolo help COMMAND` prints.
//
// Each test says why it is skipped when a packaging tool is missing.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "support/temp_folder.h"

namespace tavolo {
namespace {

namespace fs = std::filesystem;

struct Ran {
  int status;
  std::string output;  // stdout and stderr together
};

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

Ran Shell(const std::string& command) {
  Ran ran{-1, {}};
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return ran;
  std::array<char, 4096> buffer{};
  std::size_t n = 0;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    ran.output.append(buffer.data(), n);
  const int status = pclose(pipe);
  ran.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return ran;
}

bool HaveTool(const std::string& name) {
  return Shell("command -v " + Quote(name) + " >/dev/null").status == 0;
}

// The tools that are missing, as a sentence for a skipped test; empty when all are there.
std::string MissingTools(const std::vector<std::string>& tools) {
  std::string missing;
  for (const std::string& tool : tools)
    if (!HaveTool(tool)) missing += (missing.empty() ? "" : ", ") + tool;
  return missing.empty() ? "" : "packaging tools missing (scripts/setup installs them): " + missing;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The installed program runs as on a classroom PC: no display, and its
// settings in a folder of the test's own.
std::string InstalledProgramCommand(const fs::path& root, const fs::path& home) {
  return "env -u DISPLAY -u WAYLAND_DISPLAY HOME=" + Quote(home.string()) +
         " XDG_CONFIG_HOME=" + Quote((home / ".config").string()) + " " +
         Quote((root / "usr/bin/tavolo").string());
}

const std::vector<int> kIconSizes = {16, 22, 24, 32, 48, 64, 128, 256};

// One package for the whole suite, made by the ctest fixture package_build
// (tests/package/build_package.cmake) before the first test; a run of this
// program on its own makes it itself.
class PackageTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const fs::path out = TAVOLO_PACKAGE_TEST_DIR;
    madeHere = std::getenv("TAVOLO_PACKAGE_FIXTURE") == nullptr;
    if (madeHere) {
      buildLog =
          Shell(Quote(TAVOLO_CMAKE_COMMAND) + " -DCPACK=" + Quote(TAVOLO_CPACK_COMMAND) +
                " -DBINARY_DIR=" + Quote(TAVOLO_BINARY_DIR) + " -DOUT=" + Quote(out.string()) +
                " -DSANITIZED=" + std::to_string(TAVOLO_SANITIZED) + " -P " +
                Quote(TAVOLO_SOURCE_DIR "/tests/package/build_package.cmake"))
              .output;
    }
    if (fs::exists(out / "skipped")) skipReason = test::ReadBytes(out / "skipped");
    if (fs::exists(out / "deb")) deb = test::ReadBytes(out / "deb");
  }

  static void TearDownTestSuite() {
    std::error_code ec;
    if (madeHere) fs::remove_all(TAVOLO_PACKAGE_TEST_DIR, ec);
  }

  void SetUp() override {
    if (!skipReason.empty()) GTEST_SKIP() << skipReason;
    ASSERT_FALSE(deb.empty()) << "no package was made:\n" << buildLog;
  }

  static fs::path Root() { return fs::path(TAVOLO_PACKAGE_TEST_DIR) / "root"; }

  // The control fields, from `dpkg-deb -I`.
  static std::map<std::string, std::string> ControlFields() {
    std::map<std::string, std::string> fields;
    std::string last;
    for (const std::string& line : Lines(Shell("dpkg-deb -I " + Quote(deb.string())).output)) {
      // Fields start one space in; their continuation lines two.
      if (line.size() > 2 && line[0] == ' ' && line[1] != ' ') {
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        last = line.substr(1, colon - 1);
        fields[last] = line.substr(std::min(line.size(), colon + 2));
      }
    }
    return fields;
  }

  static bool madeHere;
  static std::string skipReason;
  static std::string buildLog;
  static fs::path deb;
};

bool PackageTest::madeHere = false;
std::string PackageTest::skipReason;
std::string PackageTest::buildLog;
fs::path PackageTest::deb;

TEST_F(PackageTest, NamedAfterTheVersionTheProgramShows) {
  const std::string arch = Lines(Shell("dpkg --print-architecture").output).at(0);
  EXPECT_EQ(deb.filename().string(), "tavolo_" TAVOLO_VERSION "_" + arch + ".deb");
  auto fields = ControlFields();
  EXPECT_EQ(fields["Package"], "tavolo");
  EXPECT_EQ(fields["Version"], TAVOLO_VERSION);
  EXPECT_EQ(fields["Architecture"], arch);
  EXPECT_FALSE(fields["Maintainer"].empty());
  EXPECT_EQ(fields["Section"], "education");

  test::TempFolder home;
  const Ran version = Shell(InstalledProgramCommand(Root(), home.path()) + " --version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.output, "tavolo " + fields["Version"] + "\n");
}

TEST_F(PackageTest, DependsOnTheLibrariesItLinksAndTheFonts) {
  // From dpkg-shlibdeps, so a classroom PC gets Qt with `apt install ./tavolo_*.deb`,
  // plus the fonts that worksheets are drawn in and Qt's Japanese dialog texts.
  const std::string depends = ControlFields()["Depends"];
  std::set<std::string> names;
  std::istringstream list(depends);
  for (std::string item; std::getline(list, item, ',');) {
    std::istringstream words(item);
    std::string name;
    words >> name;  // "libc6 (>= 2.34)" names libc6
    names.insert(name);
  }
  for (const char* package :
       {"libc6", "libstdc++6", "libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6printsupport6",
        "libqt6charts6", "fonts-ipafont-mincho", "fonts-ipafont-gothic", "qt6-translations-l10n"})
    EXPECT_TRUE(names.count(package)) << package << " in: " << depends;
}

TEST_F(PackageTest, HoldsTheProgramItsFilesAndNothingElse) {
  struct Entry {
    std::string mode, owner;
  };
  std::map<std::string, Entry> files;
  for (const std::string& line : Lines(Shell("dpkg-deb -c " + Quote(deb.string())).output)) {
    // drwxr-xr-x root/root         0 2026-01-01 12:00 ./usr/share/
    std::istringstream in(line);
    std::string mode, owner, size, date, time, path;
    in >> mode >> owner >> size >> date >> time >> path;
    ASSERT_FALSE(path.empty()) << line;
    EXPECT_EQ(owner, "root/root") << line;
    // Nothing that another user of the PC could change.
    EXPECT_EQ(mode[5], '-') << line;
    EXPECT_EQ(mode[8], '-') << line;
    EXPECT_EQ(path.rfind("./usr/", 0), 0u) << "outside /usr: " << line;
    if (mode[0] != 'd') files[path.substr(1)] = {mode, owner};
  }

  std::set<std::string> expected = {
      "/usr/bin/tavolo",
      TAVOLO_QT_PART_PATH,
      TAVOLO_DRAW_PART_PATH,
      "/usr/share/tavolo/classFlag.bmp",
      "/usr/share/applications/tavolo.desktop",
      "/usr/share/icons/hicolor/scalable/apps/tavolo.svg",
      "/usr/share/man/man1/tavolo.1.gz",
      std::string("/usr/share/metainfo/") + TAVOLO_APP_ID + ".metainfo.xml",
  };
  for (const int size : kIconSizes) {
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    expected.insert("/usr/share/icons/hicolor/" + folder + "/apps/tavolo.png");
  }
  // The whole sample course, without learner records a run may have left in it.
  const fs::path sample = fs::path(TAVOLO_SOURCE_DIR) / "courses" / "sample";
  for (const auto& entry : fs::recursive_directory_iterator(sample)) {
    if (!entry.is_regular_file() || entry.path().extension() == ".ini") continue;
    expected.insert("/usr/share/tavolo/courses/sample/" +
                    entry.path().lexically_relative(sample).generic_string());
  }
  ASSERT_TRUE(expected.count("/usr/share/tavolo/courses/sample/Main.ind"));

  std::set<std::string> packaged;
  for (const auto& [path, entry] : files) packaged.insert(path);
  EXPECT_EQ(packaged, expected);
  EXPECT_EQ(files["/usr/bin/tavolo"].mode, "-rwxr-xr-x");
  EXPECT_EQ(files[TAVOLO_QT_PART_PATH].mode, "-rw-r--r--");
  EXPECT_EQ(files[TAVOLO_DRAW_PART_PATH].mode, "-rw-r--r--");
  EXPECT_EQ(files["/usr/share/tavolo/courses/sample/Main.ind"].mode, "-rw-r--r--");
}

// The description an administrator reads names every command the program
// has; the private Qt part needs no ldconfig, so the package runs none.
TEST_F(PackageTest, DescriptionNamesEveryCommandAndNoLdconfigRuns) {
  test::TempFolder home;
  const std::string description =
      Shell("dpkg-deb -f " + Quote(deb.string()) + " Description").output;
  bool inList = false;
  int commands = 0;
  for (const std::string& line :
       Lines(Shell(InstalledProgramCommand(Root(), home.path()) + " help").output)) {
    if (inList && line.rfind("  ", 0) == 0) {
      const std::string command = line.substr(2, line.find(' ', 2) - 2);
      ++commands;
      EXPECT_TRUE(description.find(" " + command + ",") != std::string::npos ||
                  description.find(" " + command + ")") != std::string::npos)
          << command << " is not in:\n"
          << description;
    }
    if (line == "コマンド:") inList = true;
  }
  EXPECT_GE(commands, 7);

  const fs::path control = home / "control";
  ASSERT_EQ(Shell("dpkg-deb -e " + Quote(deb.string()) + " " + Quote(control.string())).status, 0);
  for (const auto& entry : fs::directory_iterator(control))
    EXPECT_EQ(test::ReadBytes(entry.path()).find("ldconfig"), std::string::npos)
        << entry.path().filename();
}

TEST_F(PackageTest, IconsHaveTheSizesOfTheirFolders) {
  for (const int size : kIconSizes) {
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    SCOPED_TRACE(folder);
    const std::string png =
        test::ReadBytes(Root() / "usr/share/icons/hicolor" / folder / "apps/tavolo.png");
    ASSERT_GE(png.size(), 24u);
    ASSERT_EQ(png.substr(1, 3), "PNG");
    ASSERT_EQ(png.substr(12, 4), "IHDR");
    const auto bigEndian = [&png](std::size_t at) {
      return (static_cast<unsigned char>(png[at]) << 24) |
             (static_cast<unsigned char>(png[at + 1]) << 16) |
             (static_cast<unsigned char>(png[at + 2]) << 8) |
             static_cast<unsigned char>(png[at + 3]);
    };
    EXPECT_EQ(bigEndian(16), static_cast<unsigned>(size));
    EXPECT_EQ(bigEndian(20), static_cast<unsigned>(size));
  }
}

TEST_F(PackageTest, DesktopEntryValidates) {
  if (const std::string missing = MissingTools({"desktop-file-validate"}); !missing.empty())
    GTEST_SKIP() << missing;
  const fs::path entry = Root() / "usr/share/applications/tavolo.desktop";
  const Ran validate = Shell("desktop-file-validate " + Quote(entry.string()));
  EXPECT_EQ(validate.status, 0);
  EXPECT_EQ(validate.output, "") << "warnings are problems too";
  // The menu starts the installed program with the icon the package brings.
  const std::string text = test::ReadBytes(entry);
  EXPECT_NE(text.find("\nExec=tavolo "), std::string::npos);
  EXPECT_NE(text.find("\nIcon=tavolo\n"), std::string::npos);
}

TEST_F(PackageTest, MetainfoValidatesWithTheFilesItNames) {
  if (const std::string missing = MissingTools({"appstreamcli"}); !missing.empty())
    GTEST_SKIP() << missing;
  const fs::path metainfo = Root() / "usr/share/metainfo/" TAVOLO_APP_ID ".metainfo.xml";
  const Ran validate = Shell("appstreamcli validate --no-net " + Quote(metainfo.string()));
  EXPECT_EQ(validate.status, 0) << validate.output;
  // With the checks that fetch what it links to: no address that leads nowhere.
  const Ran online = Shell("appstreamcli validate " + Quote(metainfo.string()));
  EXPECT_EQ(online.status, 0) << online.output;
  // The whole installed tree: the desktop entry it launches and the icon are there.
  const Ran tree = Shell("appstreamcli validate-tree --no-net " + Quote(Root().string()));
  EXPECT_EQ(tree.status, 0) << tree.output;

  const std::string text = test::ReadBytes(metainfo);
  for (const char* part :
       {"<id>" TAVOLO_APP_ID "</id>", "<name>Tavolo++ 数学問題集１・正と負の数</name>",
        "<category>Education</category>", "<category>Math</category>",
        "<launchable type=\"desktop-id\">tavolo.desktop</launchable>",
        "<release version=\"" TAVOLO_VERSION "\""})
    EXPECT_NE(text.find(part), std::string::npos) << part;
}

// A learner's first run on a new account: no ~/.local/share yet, a user
// without privileges, the installed sample course (read-only, so the records
// go to the per-user data folder). A driver loaded into the installed program
// presses the buttons (learner_run_driver.cpp).
TEST_F(PackageTest, InstalledProgramRecordsARunOnAFreshAccount) {
  std::string asUser;
  constexpr uid_t kNobody = 65534;
  if (::geteuid() == 0) {
    if (!HaveTool("setpriv"))
      GTEST_SKIP() << "setpriv is missing: the program cannot be run as a user without privileges";
    asUser = "setpriv --reuid=" + std::to_string(kNobody) + " --regid=" + std::to_string(kNobody) +
             " --clear-groups ";
  }
  test::TempFolder scratch;
  const fs::path home = scratch / "home";
  fs::create_directories(home);
  const fs::path log = scratch / "driver.log";
  test::WriteBytes(log, "");
  if (::geteuid() == 0) {
    fs::permissions(scratch.path(), fs::perms(0755));
    for (const fs::path& p : {home, log}) ASSERT_EQ(::chown(p.c_str(), kNobody, kNobody), 0);
  }
  const Ran run =
      Shell(asUser + "env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_DATA_HOME -u XDG_CONFIG_HOME" +
            " HOME=" + Quote(home.string()) + " QT_QPA_PLATFORM=offscreen" + " TAVOLO_DRIVER_LOG=" +
            Quote(log.string()) + " LD_PRELOAD=" + Quote(TAVOLO_LEARNER_RUN_DRIVER) + " " +
            Quote((Root() / "usr/bin/tavolo").string()));
  const std::string did = test::ReadBytes(log);
  EXPECT_EQ(run.status, 0) << run.output << did;
  EXPECT_EQ(run.output.find("作成できません"), std::string::npos) << run.output;
  EXPECT_EQ(did.find("に書き込めません"), std::string::npos) << did;
  EXPECT_EQ(did.find("作成できません"), std::string::npos) << did;

  // One record line, in the data folder made for this account.
  const fs::path data = home / ".local/share/Tavolo++/TavoloSF";
  std::vector<std::string> records;
  std::error_code ec;
  for (const auto& entry : fs::recursive_directory_iterator(data, ec))
    if (entry.path().filename() == "共通.ini")
      records.push_back(DecodeCp932(test::ReadBytes(entry.path())));
  ASSERT_EQ(records.size(), 1u) << did;
  EXPECT_NE(records[0].find("\r\n1="), std::string::npos) << records[0];
  EXPECT_NE(records[0].find("点"), std::string::npos) << records[0];
}

TEST_F(PackageTest, InstalledProgramChecksTheInstalledSampleCourse) {
  test::TempFolder home;
  const Ran check = Shell(InstalledProgramCommand(Root(), home.path()) + " check " +
                          Quote((Root() / "usr/share/tavolo/courses/sample").string()));
  EXPECT_EQ(check.status, 0) << check.output;
  EXPECT_NE(check.output.find("問題はありません"), std::string::npos) << check.output;
}

// Drawing goes through the Qt part, which the installed program finds in
// /usr/lib/<multiarch>/tavolo.
TEST_F(PackageTest, InstalledProgramDrawsAPageOfTheInstalledSampleCourse) {
  test::TempFolder home;
  const fs::path png = home / "page.png";
  const Ran render = Shell(InstalledProgramCommand(Root(), home.path()) + " render " +
                           Quote((Root() / "usr/share/tavolo/courses/sample").string()) +
                           " 1.3.1 --png " + Quote(png.string()));
  EXPECT_EQ(render.status, 0) << render.output;
  EXPECT_EQ(test::ReadBytes(png).substr(1, 3), "PNG");
}

TEST_F(PackageTest, ManualPageIsTheBuiltOneCompressed) {
  const fs::path page = Root() / "usr/share/man/man1/tavolo.1.gz";
  EXPECT_EQ(test::ReadBytes(page),
            test::ReadBytes(fs::path(TAVOLO_BINARY_DIR) / "packaging/tavolo.1.gz"));
  EXPECT_EQ(Shell("gzip -t " + Quote(page.string())).status, 0);
}

// ---------------------------------------------------------------------------

// Text as a terminal shows it, with every kind of white space taken out: the
// manual page wraps paragraphs where the help does not.
std::string WithoutSpace(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == ' ' || c == '\n' || c == '\t' || c == '\r') continue;
    // Bold or underlined text that reaches us as "x\bx" or "_\bx".
    if (c == '\b') {
      if (!out.empty()) out.pop_back();
      continue;
    }
    out += c;
  }
  return out;
}

TEST(ManualPageTest, SaysWhatTheHelpOfEveryCommandSays) {
  if (const std::string missing = MissingTools({"man"}); !missing.empty()) GTEST_SKIP() << missing;
  test::TempFolder home;
  const std::string program =
      "env -u DISPLAY -u WAYLAND_DISPLAY HOME=" + Quote(home.path().string()) + " " +
      Quote(TAVOLO_EXECUTABLE);
  const fs::path page = fs::path(TAVOLO_BINARY_DIR) / "packaging/tavolo.1.gz";
  // The page is Japanese; in the C locale man would set it for an ASCII terminal.
  // In a subshell, so that troff's messages go to their own file.
  const Ran man = Shell("(LC_ALL=C.UTF-8 MANWIDTH=80 man -P cat -l " + Quote(page.string()) +
                        " 2>" + Quote((home.path() / "warnings").string()) + ")");
  ASSERT_EQ(man.status, 0) << man.output;
  // troff's complaints (a line it could not break, an unknown escape) mean the
  // page does not look as written.
  EXPECT_EQ(test::ReadBytes(home.path() / "warnings"), "");
  const std::string shown = WithoutSpace(man.output);
  EXPECT_NE(shown.find("tavolo" TAVOLO_VERSION), std::string::npos);

  // The commands, as `tavolo help` lists them.
  std::vector<std::string> commands;
  bool inList = false;
  for (const std::string& line : Lines(Shell(program + " help").output)) {
    if (inList && line.rfind("  ", 0) == 0)
      commands.push_back(line.substr(2, line.find(' ', 2) - 2));
    if (line == "コマンド:") inList = true;
  }
  ASSERT_GE(commands.size(), 6u);
  for (const std::string& command : commands) {
    SCOPED_TRACE(command);
    const Ran help = Shell(program + " help " + command);
    ASSERT_EQ(help.status, 0) << help.output;
    // Every line of the help, in the same order, from the command's own section on.
    std::size_t at = shown.find(WithoutSpace(Lines(help.output).at(0)));
    ASSERT_NE(at, std::string::npos) << "no section for the command";
    for (const std::string& line : Lines(help.output)) {
      const std::string text = WithoutSpace(line);
      if (text.empty()) continue;
      const std::size_t found = shown.find(text, at);
      EXPECT_NE(found, std::string::npos) << "not in the manual page: " << line;
      if (found != std::string::npos) at = found + text.size();
    }
  }
}

}  // namespace
}  // namespace tavolo
