#pragma once
// The worksheet in front as the print dialogs see it: the main window gives
// the renderer, the registry and the settings the page is drawn with, and
// leaves the reduced view when printing asks it to.

#include <functional>
#include <utility>

#include "gui/app/worksheet_printable.h"
#include "sheet/answer_box_registry.h"
#include "sheet/page_renderer.h"

namespace tavolo {

class SheetPrintSource final : public WorksheetPrintable {
 public:
  SheetPrintSource(TfrmPrint& sheet, PageRenderer& renderer, AnswerBoxRegistry& registry,
                   PageSettings settings, std::function<void()> leaveReducedView)
      : WorksheetPrintable(sheet),
        renderer_(renderer),
        registry_(registry),
        settings_(std::move(settings)),
        leaveReducedView_(std::move(leaveReducedView)) {}

  PageRenderer& Renderer() override { return renderer_; }
  AnswerBoxRegistry& Registry() override { return registry_; }
  PageSettings BaseSettings() override { return settings_; }
  void LeaveReducedView() override { leaveReducedView_(); }

 private:
  PageRenderer& renderer_;
  AnswerBoxRegistry& registry_;
  PageSettings settings_;
  std::function<void()> leaveReducedView_;
};

}  // namespace tavolo
