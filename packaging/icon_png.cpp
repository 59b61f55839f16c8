// kestrel_icon_png: renders the program's scalable icon as the PNG sizes of the hicolor icon
// theme, for the installed program (desktop menus and file managers that want bitmaps).
//
//   kestrel_icon_png ICON.svg OUTPUT_FOLDER SIZE...
// writes OUTPUT_FOLDER/SIZExSIZE/kestrel.png for each size.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fputs("usage: kestrel_icon_png ICON.svg OUTPUT_FOLDER SIZE...\n", stderr);
    return 2;
  }
  // The icon's letter needs the font machinery, which needs an application (offscreen is
  // enough: nothing is shown).
  QGuiApplication app(argc, argv);
  QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
  if (!svg.isValid()) {
    std::fprintf(stderr, "kestrel_icon_png: cannot read %s\n", argv[1]);
    return 1;
  }
  const QDir out(QString::fromLocal8Bit(argv[2]));
  for (int i = 3; i < argc; ++i) {
    const int size = QString::fromLatin1(argv[i]).toInt();
    if (size <= 0) {
      std::fprintf(stderr, "kestrel_icon_png: bad size %s\n", argv[i]);
      return 2;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
      QPainter painter(&image);
      painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                             QPainter::SmoothPixmapTransform);
      svg.render(&painter);
    }
    const QString folder = QStringLiteral("%1x%1").arg(size);
    if (!out.mkpath(folder) ||
        !image.save(out.filePath(folder + QStringLiteral("/kestrel.png")), "PNG")) {
      std::fprintf(stderr, "kestrel_icon_png: cannot write the %d pixel icon\n", size);
      return 1;
    }
  }
  return 0;
}
