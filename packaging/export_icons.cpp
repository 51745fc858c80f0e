// Writes the program's icon as PNG files for the desktop's icon theme, from the same drawing the
// window uses at run time, so that the installed icon can never drift from the program's own.
//
// Usage: tx3_export_icons FOLDER SIZE...
// writes FOLDER/<SIZE>x<SIZE>/apps/tx3_setup.png for each size (the hicolor theme's layout).
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QString>
#include <iostream>

#include "app/qt/artwork.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: tx3_export_icons FOLDER SIZE...\n";
    return 2;
  }
  // A pixmap needs a GUI application; the build runs this with the offscreen platform.
  QGuiApplication app(argc, argv);
  const QString root = QString::fromLocal8Bit(argv[1]);
  for (int i = 2; i < argc; ++i) {
    bool ok = false;
    const int size = QString::fromLocal8Bit(argv[i]).toInt(&ok);
    if (!ok || size <= 0) {
      std::cerr << "tx3_export_icons: not a size: " << argv[i] << "\n";
      return 2;
    }
    const QString folder = root + QStringLiteral("/%1x%1/apps").arg(size);
    const QString file = folder + QStringLiteral("/tx3_setup.png");
    if (!QDir().mkpath(folder) || !tx3::DrawLogo(size).save(file, "PNG")) {
      std::cerr << "tx3_export_icons: cannot write " << file.toStdString() << "\n";
      return 1;
    }
  }
  return 0;
}
