#pragma once
// "試す" of the question editor (`frmRandomTry`): the unit as its boxes stand
// now, expanded for the variant chosen in 変数の組, with its model answers, a
// table of variants 1 to 40 with repeats marked, and the number of different
// problems among them. A broken block shows its messages instead. Core
// (random/variant_table.h) computes everything; this window shows it.

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "content/unit_content.h"
#include "random/variant_table.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace tavolo {

class TfrmRandomTry final : public QDialog {
  Q_OBJECT
 public:
  // The unit to try and the author's check's messages about it.
  TfrmRandomTry(const UnitContent& unit, const std::vector<std::string>& messages,
                QWidget* parent = nullptr);
  ~TfrmRandomTry() override;

  // Variants in the table, from 1.
  static constexpr int kTableRows = 40;

 private:
  void CreateControls();
  void CreateLayout();
  void ShowVariant(int n);
  void ShowTable();

  VariantPreview preview_;
  std::vector<std::string> messages_;

  QLabel* lblMessages_ = nullptr;
  QSpinBox* spnVariant_ = nullptr;
  QPlainTextEdit* memVariant_ = nullptr;
  QTableWidget* grdVariants_ = nullptr;
  QLabel* lblDistinct_ = nullptr;
  QPushButton* btnClose_ = nullptr;
};

}  // namespace tavolo
