#include "app/open_unit.h"

#include <vector>

#include "content/file_checks.h"
#include "content/unit_names.h"
#include "content/unit_reader.h"
#include "platform/paths.h"

namespace tavolo {

namespace fs = std::filesystem;

namespace {

// A sheet opens with defaults for what could not be used; one message says what.
void InformProblems(const std::vector<std::string>& problems, Dialogs& dialogs) {
  if (problems.empty()) return;
  dialogs.Inform(JoinProblems(problems));
}

}  // namespace

OpenResult OpenUnit(AppState& app, const CourseMenuChoice& choice, bool replace,
                    SheetWindows& windows, Dialogs& dialogs) {
  const UnitAddress& address = choice.address;
  if (const Lesson* lesson = app.Course().FindLesson(address.lesson);
      lesson && !lesson->pathProblem.empty()) {
    dialogs.Inform(lesson->pathProblem);
    return OpenResult::Unreadable;
  }
  const fs::path file = QuestionFilePath(app.Course(), address);
  if (!PathExists(file)) return OpenResult::Missing;
  if (Status isFile = RequireFile(file); !isFile) {
    dialogs.Inform(isFile.message());
    return OpenResult::Unreadable;
  }
  const std::string identity = UnitIdentity(app.Course(), address);

  if (app.IsOpen(identity)) {
    if (!replace) {
      dialogs.Inform("すでに読み込まれています");
      windows.BringSheetToFront(identity);
      return OpenResult::AlreadyOpen;
    }
    // The edited unit replaces its old window, whose changes the editor has
    // saved. That window, not whichever is in front: a copy of the unit may
    // have been the sheet the editor was opened on.
    windows.DiscardChanges(identity);
    // An old window that stays open keeps its place: a second one of the
    // same unit would make the register ambiguous.
    if (!windows.CloseSheetWindow(identity)) {
      windows.BringSheetToFront(identity);
      return OpenResult::AlreadyOpen;
    }
  }

  UnitReading reading =
      ReadUnitBlock(file, UnitKeyLine(address), address.section, address.unit, choice.captions);
  if (!reading.ok()) {
    if (reading.problem.kind == UnitProblem::Kind::Missing) return OpenResult::Missing;
    // Offering to create a unit that exists would write a second one under
    // the same key; the teacher needs to know what is wrong with it instead.
    dialogs.Inform(reading.problem.message);
    return OpenResult::Unreadable;
  }

  OpenedSheet sheet =
      ComposeOpenedSheet(SheetOrigin::Unit(app.Course(), address), *reading.content,
                         app.AnswerDisplay(), windows.SheetPictureFiles(), /*variant=*/0);
  InformProblems(sheet.paramProblems, dialogs);
  InformProblems(sheet.pictureProblems, dialogs);
  InformProblems(sheet.random.problems, dialogs);
  app.AddOpenSheet(identity);
  windows.CreateSheet(std::move(sheet), choice);
  return OpenResult::Opened;
}

bool OpenCopyFile(AppState& app, SheetWindows& windows, Dialogs& dialogs) {
  const auto chosen = dialogs.ChooseOpenFile(app.CourseFolder(), "*.prp");
  if (!chosen) return false;
  const std::string& path = *chosen;
  if (app.IsOpen(path)) {
    dialogs.Inform("すでに読み込まれています");
    windows.BringSheetToFront(path);
    return false;
  }
  UnitReading reading = ReadCopyFile(path);
  if (!reading.ok()) {
    dialogs.Inform(reading.problem.message);
    return false;
  }
  // The copy opens in the program's course: its figures are found there.
  OpenedSheet sheet =
      ComposeOpenedSheet(SheetOrigin::CopyFile(&app.Course(), path), *reading.content,
                         app.AnswerDisplay(), windows.SheetPictureFiles(), /*variant=*/0);
  InformProblems(sheet.paramProblems, dialogs);
  InformProblems(sheet.pictureProblems, dialogs);
  InformProblems(sheet.random.problems, dialogs);
  app.AddOpenSheet(path);
  windows.CreateSheet(std::move(sheet), CourseMenuChoice{});
  return true;
}

bool OpenUnitFromMenu(AppState& app, const ShowCourseMenu& showMenu, SheetWindows& windows,
                      Dialogs& dialogs, const CreateUnit& createUnit) {
  if (Status index = RequireFile(CourseIndexPath(app.CourseFolder())); !index) {
    dialogs.Inform(index.message());
    return false;
  }
  // Through the one setter, so that the answer button and the sheet in front
  // show the answers too, also when the menu is then cancelled.
  app.SetAnswerDisplay(true);
  const std::optional<CourseMenuChoice> choice = showMenu();
  if (!choice) return false;
  switch (OpenUnit(app, *choice, false, windows, dialogs)) {
    case OpenResult::Opened:
      return true;
    case OpenResult::Missing:
      if (!dialogs.AskYesNo("単元がありません\n新規作成しますか?") || !createUnit ||
          !createUnit(*choice))
        return false;
      if (OpenUnit(app, *choice, false, windows, dialogs) != OpenResult::Opened) return false;
      windows.SetCurrentSheetPaper(PaperWidth(PaperSize::A4));
      return true;
    case OpenResult::AlreadyOpen:
    case OpenResult::Unreadable:
      return false;
  }
  return false;
}

void CloseAllSheets(const AppState& app, SheetWindows& windows) {
  // A copy: closing changes the register while we walk it.
  const std::vector<std::string> identities = app.OpenSheets();
  for (const std::string& identity : identities) windows.CloseSheetWindow(identity);
}

}  // namespace tavolo
