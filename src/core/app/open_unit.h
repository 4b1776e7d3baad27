#pragma once
// Opening units as worksheets and closing them: the flows behind "開  く ",
// "閉じる" and "すべて閉じる(&A)". They keep the register of open sheets
// (AppState::OpenSheets(), one identity per sheet, in opening order) and refuse
// to open a unit twice; the windows themselves are made and closed through
// SheetWindows.

#include <functional>
#include <optional>
#include <string>

#include "app/app_state.h"
#include "app/course_menu.h"
#include "app/opened_sheet.h"
#include "content/unit_content.h"
#include "platform/dialogs.h"

namespace tavolo {

// The worksheet windows as the flows see them.
class SheetWindows {
 public:
  virtual ~SheetWindows() = default;
  // What a new sheet's pictures are loaded with.
  virtual PictureFiles SheetPictureFiles() = 0;
  // Makes a worksheet window for the composed sheet, which becomes the
  // current sheet. The register already holds its identity.
  virtual void CreateSheet(OpenedSheet sheet, const CourseMenuChoice& choice) = 0;
  // Brings the window of that identity to the front (it becomes current).
  virtual void BringSheetToFront(const std::string& identity) = 0;
  // Closes the window of that identity, which may ask to save first; false
  // when the user kept it open.
  virtual bool CloseSheetWindow(const std::string& identity) = 0;
  // The identity of the current sheet, if any.
  virtual std::optional<std::string> CurrentSheet() const = 0;
  // Clears the modified flag of the sheet of that identity.
  virtual void DiscardChanges(const std::string& identity) = 0;
  // Puts the current sheet on the paper of that width (a unit just created
  // starts on A4).
  virtual void SetCurrentSheetPaper(int /*paperWidth*/) {}
};

enum class OpenResult {
  Opened,
  AlreadyOpen,  // "すでに読み込まれています" has been shown
  Missing,      // no question file or no such unit in it
  Unreadable,   // the unit is there but broken; its message has been shown
};

// Opens the unit of a menu choice. With replace, an open window of the same
// unit (the sheet just edited) is closed without asking and the unit is read
// anew.
[[nodiscard]] OpenResult OpenUnit(AppState& app, const CourseMenuChoice& choice, bool replace,
                                  SheetWindows& windows, Dialogs& dialogs);

// The course menu, shown modally: the choice on OK, nothing on Cancel.
using ShowCourseMenu = std::function<std::optional<CourseMenuChoice>()>;

// The question editor making a unit that does not exist yet: true when the
// teacher saved it.
using CreateUnit = std::function<bool(const CourseMenuChoice&)>;

// "開  く ": checks Main.ind, shows the course menu and opens the chosen unit.
// A missing unit is offered for creation ("単元がありません\n新規作成しますか?");
// on Yes createUnit makes it, and the new unit opens on A4.
// True when a sheet was opened.
bool OpenUnitFromMenu(AppState& app, const ShowCourseMenu& showMenu, SheetWindows& windows,
                      Dialogs& dialogs, const CreateUnit& createUnit = {});

// Opens a copy file (".prp") that the teacher chooses, starting in the course
// folder. Its identity is its path; it opens as the teacher saved it, with the
// answer display of the main window. True when a sheet was opened.
bool OpenCopyFile(AppState& app, SheetWindows& windows, Dialogs& dialogs);

// "すべて閉じる(&A)": each open sheet in opening order; a sheet whose save
// question is cancelled stays open and the others still close.
void CloseAllSheets(const AppState& app, SheetWindows& windows);

}  // namespace tavolo
