#include "gui/app/frm_version.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/app_state.h"
#include "draw/qt_text.h"
#include "gui/app/glyphs.h"

namespace tavolo {

TfrmVersion::TfrmVersion(QWidget* parent) : QDialog(parent) {
  setObjectName("frmVersion");
  setWindowTitle(QStringLiteral("バージョン情報"));

  auto* imgIcon = new QLabel(this);
  imgIcon->setObjectName("imgIcon");
  imgIcon->setPixmap(ProgramIcon().pixmap(64, 64));

  auto* lblProduct = new QLabel(ToQString(kApplicationTitle), this);
  lblProduct->setObjectName("lblProduct");
  QFont big = lblProduct->font();
  big.setPointSizeF(big.pointSizeF() * 1.3);
  big.setBold(true);
  lblProduct->setFont(big);

  auto* lblVersion = new QLabel(ToQString(kVersionText), this);
  lblVersion->setObjectName("lblVersion");

  auto* btnClose = new QPushButton(QStringLiteral("閉じる"), this);
  btnClose->setObjectName("btnClose");
  btnClose->setDefault(true);
  connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);

  auto* texts = new QVBoxLayout;
  texts->addWidget(lblProduct);
  texts->addWidget(lblVersion);
  auto* top = new QHBoxLayout;
  top->addWidget(imgIcon, 0, Qt::AlignTop);
  top->addSpacing(12);
  top->addLayout(texts);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addSpacing(12);
  layout->addWidget(btnClose, 0, Qt::AlignHCenter);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace tavolo
