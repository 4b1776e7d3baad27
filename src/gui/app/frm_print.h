#pragma once
// A worksheet window `frmPrint`: one unit's page, drawn by the renderer into
// an image at the screen's pixel ratio and shown in a scroll area. The window
// owns its document (parameters, unit, where it came from) and its pictures.

#include <QMdiSubWindow>
#include <functional>

#include "app/course_menu.h"
#include "app/sheet_document.h"
#include "sheet/page_renderer.h"
#include "sheet/sheet_pictures.h"

class QLabel;
class QScrollArea;

namespace tavolo {

class SheetHost;

class TfrmPrint final : public QMdiSubWindow {
  Q_OBJECT
 public:
  TfrmPrint(SheetHost& host, SheetDocument document, const CourseMenuChoice& choice,
            std::string shortUnitName, SheetPictures pictures, QWidget* parent = nullptr);

  SheetDocument& Document() { return document_; }
  const SheetDocument& Document() const { return document_; }
  const CourseMenuChoice& Choice() const { return choice_; }
  const std::string& ShortUnitName() const { return shortUnitName_; }
  const PageLayout& Layout() const { return layout_; }
  // The page as last drawn.
  const QImage& PageImage() const { return page_; }

  // Draws the page anew from the parameters; nothing while redraws are held.
  void Redraw();
  void HoldRedraws(bool hold) { redrawsHeld_ = hold; }
  // The reduced view: the whole page scaled to fit the window.
  void SetReduced(bool reduced);
  bool IsReduced() const { return reduced_; }
  // To the bottom of the page when at its top, otherwise to the top.
  void ScrollTopOrBottom();
  // A change through the shared controls: the sheet is modified and redrawn.
  void ChangeParams(const std::function<void(SheetParams&)>& change, bool marksModified = true);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  SheetHost& host_;
  SheetDocument document_;
  CourseMenuChoice choice_;
  std::string shortUnitName_;
  SheetPictures pictures_;
  PageLayout layout_;
  QImage page_;
  void ShowPage();

  bool redrawsHeld_ = false;
  bool reduced_ = false;
  QScrollArea* scrPage_;
  QLabel* image1_;
};

}  // namespace tavolo
