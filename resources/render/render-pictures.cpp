// Draws each SVG picture at its own size, once as it is (NAME.argb) and once
// at twice the pixels (NAME@2x.argb), so that the program shows them without
// parsing SVG as it starts: the sizes the program draws them at are theirs.
// A file holds its width and height in pixels (two 32-bit numbers), then the
// pixels row after row, premultiplied ARGB32, all in the machine's own byte
// order: what a pixmap holds, to be shown without decoding (a PNG's decoding
// costs a start more than the SVG it replaces).
//
//   scrivulets_render_pictures OUTDIR PICTURE.svg...
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char *argv[]) {
    // Only images are painted here: no display is needed nor opened.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fputs("usage: scrivulets_render_pictures OUTDIR PICTURE.svg...\n", stderr);
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const QString svg = QString::fromLocal8Bit(argv[i]);
        QSvgRenderer renderer(svg);
        if (!renderer.isValid()) {
            std::fprintf(stderr, "%s: not a picture\n", argv[i]);
            return 1;
        }
        const QSize size = renderer.defaultSize();
        for (const int scale : {1, 2}) {
            // As the program draws one: on a transparent pixmap of that many
            // device pixels, the picture filling its logical size.
            QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(scale);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
            painter.end();
            const QString out = outDir + u'/' + QFileInfo(svg).completeBaseName() +
                                (scale == 2 ? QStringLiteral("@2x.argb") : QStringLiteral(".argb"));
            const quint32 header[2] = {quint32(image.width()), quint32(image.height())};
            QByteArray bytes(reinterpret_cast<const char *>(header), sizeof header);
            bytes.append(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
            QFile file(out);
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
                !file.flush()) {
                std::fprintf(stderr, "%s: cannot be written\n", qPrintable(out));
                return 1;
            }
        }
    }
    return 0;
}
