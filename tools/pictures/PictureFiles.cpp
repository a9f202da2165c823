#include "PictureFiles.h"

#include "CrossSection.h"
#include "Logo.h"

#include <QDir>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

constexpr int JpegQuality = 92;

bool WriteImage(const QImage& image, const QString& path, const char* format, int quality) {
    QImageWriter writer(path, format);
    writer.setQuality(quality);
    if (writer.write(image)) {
        return true;
    }
    std::fprintf(stderr, "soravik-pictures: cannot write %s: %s\n", qPrintable(path),
                 qPrintable(writer.errorString()));
    return false;
}

bool MakeDirectory(const QString& directory) {
    if (QDir().mkpath(directory)) {
        return true;
    }
    std::fprintf(stderr, "soravik-pictures: cannot create the folder %s\n", qPrintable(directory));
    return false;
}

} // namespace

QImage RenderCrossSection() {
    const cross_section::Layout layout;
    QImage image(layout.size, QImage::Format_RGB32);
    QPainter painter(&image);
    cross_section::Paint(painter, layout);
    return image;
}

QImage RenderLogo() {
    QImage image(109, 96, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    logo::Paint(painter, QRectF(image.rect()));
    return image;
}

QImage RenderIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double margin = size * 0.04;
    const QRectF tile(margin, margin, size - 2 * margin, size - 2 * margin);
    QPainterPath outline;
    outline.addRoundedRect(tile, size * 0.16, size * 0.16);
    painter.setClipPath(outline);
    logo::Paint(painter, tile);
    painter.setClipping(false);
    painter.setPen(QPen(QColor(0x1c, 0x4f, 0x8a, 0x90), std::max(1.0, size / 96.0)));
    painter.drawPath(outline);
    return image;
}

bool WritePictures(const QString& directory) {
    if (!MakeDirectory(directory)) {
        return false;
    }
    const QDir dir(directory);
    return WriteImage(RenderCrossSection(), dir.filePath("cross-section.jpg"), "jpeg",
                      JpegQuality) &&
           WriteImage(RenderLogo(), dir.filePath("logo.jpg"), "jpeg", JpegQuality);
}

bool WriteIcons(const QString& directory) {
    if (!MakeDirectory(directory)) {
        return false;
    }
    const QDir dir(directory);
    for (int size : {48, 64, 128, 256}) {
        const QString name = QString("soravik-%1.png").arg(size);
        if (!WriteImage(RenderIcon(size), dir.filePath(name), "png", -1)) {
            return false;
        }
    }
    return true;
}
