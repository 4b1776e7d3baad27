#include "gui/practice/frm_zen_seikai.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "gui/app/widget_helpers.h"

namespace tavolo {

TfrmZenSeikai::TfrmZenSeikai(QWidget* parent) : QDialog(parent) {
  setObjectName("frmZenSeikai");
  setWindowTitle(QStringLiteral("frmZenSeikai"));
  setFixedSize(144, 167);

  auto* pnlSeikai = new QFrame(this);
  pnlSeikai->setObjectName("pnlSeikai");
  pnlSeikai->setFrameShape(QFrame::Panel);
  pnlSeikai->setFrameShadow(QFrame::Raised);
  Colour(pnlSeikai, QColor(0xFF, 0xFF, 0x00));
  auto stars = [pnlSeikai] {
    auto* label = new QLabel(QStringLiteral("★★★★★★"), pnlSeikai);
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("color: #FF0000;"));
    return label;
  };
  auto* caption = new QLabel(QStringLiteral("全問正解です"), pnlSeikai);
  caption->setObjectName("lblSeikai");
  caption->setAlignment(Qt::AlignCenter);
  QFont font = caption->font();
  font.setPixelSize(19);
  font.setBold(true);
  caption->setFont(font);
  caption->setStyleSheet(QStringLiteral("color: #000000;"));
  auto* panel = new QVBoxLayout(pnlSeikai);
  panel->addWidget(stars());
  panel->addWidget(caption);
  panel->addWidget(stars());
  pnlSeikai->setAccessibleName(caption->text());

  auto* btnOk = new QPushButton(QStringLiteral("OK"), this);
  btnOk->setObjectName("btnOk");
  btnOk->setDefault(true);
  connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(pnlSeikai, 1);
  layout->addWidget(btnOk, 0, Qt::AlignHCenter);
}

void TfrmZenSeikai::showEvent(QShowEvent* event) {
  if (const QScreen* screen = this->screen()) {
    const QRect area = screen->geometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
  QDialog::showEvent(event);
}

}  // namespace tavolo
