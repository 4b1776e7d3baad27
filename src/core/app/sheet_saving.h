#pragma once
// Saving worksheets: over their unit in the question file ("上書き保存"), as a
// copy file ("名前を付けて保存"), and the question asked before a changed sheet
// closes. Every write is atomic; a failed write changes nothing.

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/sheet_document.h"
#include "platform/dialogs.h"

namespace tavolo {

enum class SaveOutcome {
  Saved,
  Cancelled,  // the user cancelled the file dialog or declined to overwrite
  Failed,     // the file could not be written; the user has been told
};

// "上書き保存": the sheet's layout blocks and figure lists go into its unit's
// block in the question file; every byte outside that unit stays as it was.
// A unit whose structure is broken is not touched: the teacher is told the
// file and line to mend (Failed). A unit gone from the file, or a file gone,
// is written back whole from the sheet.
[[nodiscard]] SaveOutcome SaveMaster(SheetDocument& sheet, Dialogs& dialogs);

// "名前を付けて保存": asks for a ".prp" name in the lesson's copy-file folder and
// writes the sheet as a copy file.
[[nodiscard]] SaveOutcome SaveCopyFile(SheetDocument& sheet, AppState& app, Dialogs& dialogs);

// Writes the composed lines to path and makes the sheet that file: its
// identity in the register, caption and path change, the modified flag clears.
// On failure: path + "の保存に失敗しました", and nothing changes.
[[nodiscard]] SaveOutcome UpdateSavedFile(SheetDocument& sheet, AppState& app,
                                          const std::string& path,
                                          const std::vector<std::string>& lines, Dialogs& dialogs);

// Before a sheet closes: true when it may close. A changed sheet asks
// caption + "を保存しますか？"; Yes saves (over the master, or as a copy) and
// the sheet closes only when the save happened, so a cancelled file dialog or
// a failed write never loses the changes.
bool QueryCloseSheet(SheetDocument& sheet, AppState& app, Dialogs& dialogs);

// The sheet's entry leaves the register of open sheets.
void CloseSheet(const SheetDocument& sheet, AppState& app);

}  // namespace tavolo
