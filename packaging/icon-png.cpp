// Writes the application icon as PNG for the hicolor icon theme, which wants
// PNG at fixed sizes: reads the XPM the program embeds and writes it unchanged,
// so the picture has one source.
//
//     moravin_icon_png MAINICON.xpm moravin.png

#include <QImage>
#include <QImageReader>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s ICON.xpm ICON.png\n", argv[0]);
        return 2;
    }
    QImageReader reader(QString::fromLocal8Bit(argv[1]), "xpm");
    const QImage icon = reader.read();
    if (icon.isNull()) {
        std::fprintf(stderr, "%s: cannot read %s: %s\n", argv[0], argv[1],
                     qPrintable(reader.errorString()));
        return 1;
    }
    if (!icon.save(QString::fromLocal8Bit(argv[2]), "png")) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
