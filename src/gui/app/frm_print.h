#pragma once
// A worksheet window `frmPrint`: one unit's page, drawn by the renderer into
// an image at the screen's pixel ratio and shown in a scroll area. The window
// owns its document (parameters, unit, where it came from) and its pictures.

#include <QMdiSubWindow>
#include <functional>
#include <memory>
#include <optional>

#include "app/course_menu.h"
#include "app/sheet_document.h"
#include "random/copy_variants.h"
#include "sheet/page_renderer.h"
#include "sheet/sheet_pictures.h"

class QScrollArea;

namespace tavolo {

class PageView;
class SheetHost;

class TfrmPrint final : public QMdiSubWindow {
  Q_OBJECT
 public:
  TfrmPrint(SheetHost& host, SheetDocument document, const CourseMenuChoice& choice,
            std::string shortUnitName, SheetPictures pictures,
            // The copies' variants the sheet was opened from; read anew from
            // the document when not given.
            std::shared_ptr<const CopyVariants> variants = nullptr, QWidget* parent = nullptr);

  SheetDocument& Document() { return document_; }
  const SheetDocument& Document() const { return document_; }
  const CourseMenuChoice& Choice() const { return choice_; }
  const std::string& ShortUnitName() const { return shortUnitName_; }
  const PageLayout& Layout() const { return layout_; }
  // The sheet's parts as the renderer draws them (printing draws them again).
  SheetPage Page() { return {document_.params, pictures_, layout_}; }
  // The page as last drawn.
  const QImage& PageImage() const { return page_; }

  // Draws the page anew from the parameters; nothing while redraws are held.
  // A unit with random data shows the variant of the next printed sheet
  // number, or the practice run's while there is one.
  void Redraw();
  // The unit's variants; nullptr for a unit without random data.
  const CopyVariants* Variants() const { return variants_.get(); }
  // The variant shown (0: the unit has no random data).
  int ShownVariant() const { return shownVariant_; }
  // A practice run shows its own variant (nothing: the sheet number's again);
  // the page is redrawn.
  void ShowRunVariant(std::optional<int> variant);
  void HoldRedraws(bool hold) { redrawsHeld_ = hold; }
  // The reduced view (the whole page scaled to fit the window) is the
  // program's: this asks for it, and every sheet shows it.
  void SetReduced(bool reduced);
  bool IsReduced() const;
  // Shows the page as last drawn, at full size or reduced.
  void ShowPage();
  // The part of the page that shows, in screen coordinates.
  QRect PageOnScreen() const;
  // To the bottom of the page when at its top, otherwise to the top.
  void ScrollTopOrBottom();
  void ScrollToTop();
  // A change through the shared controls: the sheet is modified and redrawn.
  void ChangeParams(const std::function<void(SheetParams&)>& change, bool marksModified = true);

  // A region of the page chosen with the mouse (or a figure chosen with the
  // right button), waiting for "コピー" or "キャンセル".
  bool HasSelection() const { return selection_ == Selection::Chosen; }
  // The selected region of the page onto the clipboard as a picture; the
  // selection is then dropped.
  void CopySelection();
  void CancelSelection();
  // The whole page onto the clipboard.
  void CopyWholePage();

 signals:
  void selectionChanged(bool hasSelection);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  SheetHost& host_;
  SheetDocument document_;
  CourseMenuChoice choice_;
  std::string shortUnitName_;
  SheetPictures pictures_;
  std::shared_ptr<const CopyVariants> variants_;
  int shownVariant_ = 0;
  std::optional<int> runVariant_;
  PageLayout layout_;
  QImage page_;

  // Mouse on the page image, in page pixels.
  void PagePressed(QPoint point, Qt::MouseButton button);
  void PageDragged(QPoint point);
  void PageReleased(QPoint point);
  // The question figure (1-based) shown at point, topmost first; 0 for none.
  int FigureAt(QPoint point) const;
  // A selection corner kept where the copy region can still reach the page's edge pixels.
  QPoint ClampToPage(QPoint point) const;
  void ShowSelectionFrame();
  void EndSelection();
  void MoveDraggedFigure(QPoint point);

  bool redrawsHeld_ = false;
  QScrollArea* scrPage_;
  PageView* image1_;

  // Selecting: Dragging while the mouse button is down, Chosen once released.
  enum class Selection { None, Dragging, Chosen };
  Selection selection_ = Selection::None;
  QPoint selectionStart_;
  QPoint selectionEnd_;
  // Dragging figure draggedFigure_ (0: none) from dragStart_.
  int draggedFigure_ = 0;
  QPoint dragStart_;
  QImage draggedPicture_;
};

}  // namespace tavolo
