// The program as a shell runs it: commands that only read and report start
// without any GUI application (no platform plugin is even looked at), while
// the drawing commands still draw, through the program's Qt part.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "cli_run.h"
#include "support/temp_folder.h"

namespace tavolo {
namespace {

using test::Shell;

const std::string kCourse = std::string(TAVOLO_SOURCE_DIR) + "/courses/sample";

// Runs the program with Qt's plugin tracing on; stdout is thrown away, what Qt
// and the program said on stderr is returned.
std::string PluginTrace(const std::string& arguments) {
  return Shell("env -u DISPLAY -u WAYLAND_DISPLAY QT_DEBUG_PLUGINS=1 '" TAVOLO_EXECUTABLE "' " +
               arguments + " 2>&1 >/dev/null; echo \"status $?\"");
}

TEST(CliProcess, CommandsThatDrawNothingStartNoGuiApplication) {
  const std::string quiet[] = {
      "help",
      "help print",
      "print --help",
      "--version",
      "list '" + kCourse + "'",
      "check '" + kCourse + "'",
      "check --answers '" + kCourse + "'",
      "dump '" + kCourse + "' 1.3.1",
      "records '" + kCourse + "'",
  };
  for (const std::string& arguments : quiet) {
    SCOPED_TRACE(arguments);
    // Nothing on stderr; status 1 is a check that found problems in the course.
    const std::string trace = PluginTrace(arguments);
    EXPECT_TRUE(trace == "status 0\n" || trace == "status 1\n") << trace.substr(0, 500);
  }
}

TEST(CliProcess, DrawingCommandsStillStartOne) {
  test::TempFolder folder;
  const std::string png = (folder / "page.png").string();
  const std::string trace = PluginTrace("render '" + kCourse + "' 1.3.1 --png '" + png + "'");
  EXPECT_NE(trace.find("offscreen"), std::string::npos) << trace.substr(0, 500);
  EXPECT_NE(trace.find("status 0"), std::string::npos);
  EXPECT_EQ(test::ReadBytes(png).substr(1, 3), "PNG");
}

// The Qt part is a file of its own beside the program; a program copied
// without it still reads, and says what is missing rather than crashing.
TEST(CliProcess, WithoutItsQtPartTheProgramStillReadsAndSaysWhatIsMissing) {
  test::TempFolder folder;
  const std::filesystem::path program = folder / "tavolo";
  std::filesystem::copy_file(TAVOLO_EXECUTABLE, program);
  const auto run = [&](const std::string& arguments) {
    return Shell("env -u DISPLAY -u WAYLAND_DISPLAY '" + program.string() + "' " + arguments +
                 " 2>&1; echo \"status $?\"");
  };
  const std::string help = run("help");
  EXPECT_NE(help.find("使い方: tavolo"), std::string::npos) << help;
  EXPECT_NE(help.find("status 0"), std::string::npos) << help;

  const std::string png = (folder / "page.png").string();
  // A drawing command needs the drawing part, the desktop program its own.
  const std::pair<std::string, std::string> needs[] = {
      {"render '" + kCourse + "' 1.3.1 --png '" + png + "'", "tavolo-draw.so"},
      {"'" + kCourse + "'", "tavolo-qt.so"}};
  for (const auto& [arguments, part] : needs) {
    SCOPED_TRACE(arguments);
    const std::string missing = run(arguments);
    EXPECT_NE(missing.find("tavolo: プログラムの部品 " + part + " が見つかりません"),
              std::string::npos)
        << missing;
    EXPECT_NE(missing.find((folder / part).string()), std::string::npos) << missing;
    EXPECT_NE(missing.find("status 1"), std::string::npos) << missing;
  }

  test::WriteBytes(folder / "tavolo-draw.so", "not a library");
  const std::string broken = run("render '" + kCourse + "' 1.3.1 --png '" + png + "'");
  EXPECT_NE(broken.find("tavolo: プログラムの部品を読み込めません: "), std::string::npos) << broken;
  EXPECT_NE(broken.find("status 1"), std::string::npos) << broken;
  EXPECT_FALSE(std::filesystem::exists(png));
}

}  // namespace
}  // namespace tavolo
