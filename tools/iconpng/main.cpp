// iconpng: renders an SVG picture into square PNGs of the given sizes, so that the program
// shows its window icon without loading Qt's SVG plugins.
//
// Usage: iconpng INPUT.svg OUTPUT_PREFIX SIZE...   (writes OUTPUT_PREFIX-SIZE.png)
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: iconpng INPUT.svg OUTPUT_PREFIX SIZE...\n");
    return 2;
  }
  QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
  if (!renderer.isValid()) {
    std::fprintf(stderr, "iconpng: %s: not a picture\n", argv[1]);
    return 1;
  }
  for (int i = 3; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    if (size <= 0 || size > 1024) {
      std::fprintf(stderr, "iconpng: bad size %s\n", argv[i]);
      return 2;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    const QString file = QString::fromLocal8Bit(argv[2]) + QStringLiteral("-%1.png").arg(size);
    if (!image.save(file, "PNG")) {
      std::fprintf(stderr, "iconpng: cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
