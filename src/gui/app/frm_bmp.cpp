#include "gui/app/frm_bmp.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>

namespace tavolo {

TfrmBMP::TfrmBMP(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("frmBMP");
  setWindowTitle(QStringLiteral("ZoomView 拡大表示"));
  // White around the picture, whatever the desktop theme: figures are drawn for paper.
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::WindowText, Qt::black);
  setPalette(white);
  setAutoFillBackground(true);

  imgBMP_ = new QLabel(this);
  imgBMP_->setObjectName("imgBMP");
  lblXW_ = new QLabel(this);
  lblXW_->setObjectName("lblXW");
  auto* times = new QLabel(QStringLiteral("X"), this);
  lblYH_ = new QLabel(this);
  lblYH_->setObjectName("lblYH");

  auto* size = new QHBoxLayout;
  size->addWidget(lblXW_);
  size->addWidget(times);
  size->addWidget(lblYH_);
  size->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(size);
  layout->addWidget(imgBMP_, 0, Qt::AlignLeft | Qt::AlignTop);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmBMP::ShowPicture(const QImage& picture) {
  // At the picture's own size: the editor's preview is the small one.
  QPixmap pixmap = QPixmap::fromImage(picture);
  pixmap.setDevicePixelRatio(1.0);
  imgBMP_->setPixmap(pixmap);
  imgBMP_->setFixedSize(picture.size());
  lblXW_->setText(QString::number(picture.width()));
  lblYH_->setText(QString::number(picture.height()));
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (screen) move(screen->availableGeometry().topLeft());
  show();
  raise();
}

}  // namespace tavolo
