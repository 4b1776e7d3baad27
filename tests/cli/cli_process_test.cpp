// The program as a shell runs it: commands that only read and report start
// without any GUI application (no platform plugin is even looked at), while
// the drawing commands still draw.

#include <gtest/gtest.h>

#include <string>

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

}  // namespace
}  // namespace tavolo
