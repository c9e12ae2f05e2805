// Draws Quarnel's window pictures and writes them as PNG files:
//   quarnel_art_generator OUTPUT_FOLDER
// Each picture is written at its own size and at double density ("@2x").
// The output depends only on this code, Qt and the Noto Sans CJK font files,
// so running it again gives the same files.

#include <cstdio>
#include <functional>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "ui/art/generator/paint_kit.h"
#include "ui/art/generator/pictures.h"

namespace {

struct Picture {
  const char* name;
  int width;
  int height;
  std::function<void(QPainter&)> draw;
};

QImage Render(const Picture& picture, qreal scale) {
  QImage image(qRound(picture.width * scale), qRound(picture.height * scale),
               QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.scale(scale, scale);
  picture.draw(painter);
  painter.end();
  return image.convertToFormat(QImage::Format_ARGB32);
}

bool Save(const QImage& image, const QDir& folder, const QString& file) {
  const QString path = folder.filePath(file);
  if (!image.save(path, "PNG")) {
    std::fprintf(stderr, "quarnel_art_generator: cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: quarnel_art_generator OUTPUT_FOLDER\n");
    return 2;
  }
  QString missing;
  if (!quarnel::art::LoadFonts(&missing)) {
    std::fprintf(stderr, "quarnel_art_generator: font not found: %s (install fonts-noto-cjk)\n",
                 qPrintable(missing));
    return 1;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));

  using namespace quarnel::art;
  const Picture pictures[] = {
      {"form1_skin", 300, 150, DrawForm1Skin},   {"setfrm_skin", 300, 430, DrawSetFrmSkin},
      {"verfrm_art", 300, 300, DrawVerFrmArt},   {"pin", 14, 14, DrawPinIndicator},
      {"diamond", 12, 12, DrawDiamondIndicator}, {"square", 12, 12, DrawSquareIndicator},
      {"quarnel_icon", 32, 32, DrawAppIcon},
  };
  bool ok = true;
  for (const Picture& picture : pictures) {
    const QString name = QString::fromLatin1(picture.name);
    ok &= Save(Render(picture, 1), folder, name + ".png");
    ok &= Save(Render(picture, 2), folder, name + "@2x.png");
  }
  ok &= Save(LinkPointerImage(), folder, QStringLiteral("link_pointer.png"));
  // The icon of the desktop's menu, at the hicolor theme's usual sizes.
  folder.mkpath(QStringLiteral("icons"));
  const Picture icon = {"quarnel_icon", 32, 32, DrawAppIcon};
  for (const int size : {16, 32, 48, 64, 128, 256}) {
    ok &= Save(Render(icon, size / 32.0), folder, QStringLiteral("icons/quarnel-%1.png").arg(size));
  }
  return ok ? 0 : 1;
}
