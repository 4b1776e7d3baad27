#pragma once
// One open worksheet as the flows see it: its parameters and unit (its own
// copy), where it came from, and whether it has unsaved changes. The worksheet
// window owns one and forwards to the flows.

#include <optional>
#include <string>

#include "content/unit_address.h"
#include "sheet/sheet_params.h"

namespace tavolo {

struct SheetDocument {
  SheetParams params;
  UnitAddress address;   // the unit the sheet was opened as (kept after a copy save)
  std::string filePath;  // question file, or the copy file it was opened from / saved to
  std::string identity;  // the window caption and its entry in the open-sheet register
  bool master = false;   // shows a unit of a question file
  // The unit's bytes in its question file as the sheet was opened or last
  // saved ("" when it was not in the file; nothing when not known), so that
  // "上書き保存" notices a text saved meanwhile by another window or program.
  std::optional<std::string> unitOnDisk;
  bool modified = false;
  // While a learner practises on the sheet, the name line carries their name.
  bool showLearnerName = false;
};

}  // namespace tavolo
