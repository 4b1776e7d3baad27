// A small Qt program run under LeakSanitizer with our suppressions, to show
// that they hide only Qt's own leftovers: it starts a QApplication, draws a
// line of text (fonts, glyph caches) and, asked to, loses a QObject that its
// own code makes inside a slot that Qt's event loop calls. That leak's stack
// runs through Qt's libraries, as the leaks of most of our objects would.
//   tavolo_leak_probe         exits cleanly: nothing of ours is lost
//   tavolo_leak_probe --leak  loses one QObject, which must be reported

#include <QApplication>
#include <QImage>
#include <QObject>
#include <QPainter>
#include <QTimer>
#include <cstring>

namespace {

QObject* volatile lastMade = nullptr;

// Kept out of line so that its name stands in the leak report.
[[gnu::noinline]] void LoseAnObjectOfOurs() {
  auto* object = new QObject;
  object->setObjectName("lost");
  lastMade = object;
  lastMade = nullptr;  // the only pointer to it is gone
}

void DrawSomeText() {
  QImage image(200, 50, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.drawText(10, 30, QString::fromUtf8("正の数と負の数 1/2"));
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const bool leak = argc > 1 && std::strcmp(argv[1], "--leak") == 0;
  QApplication app(argc, argv);
  QTimer::singleShot(0, &app, [&] {
    DrawSomeText();
    if (leak) LoseAnObjectOfOurs();
    app.quit();
  });
  return app.exec();
}
