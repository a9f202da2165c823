#include "UPictures.h"

#include <QFile>
#include <QImageReader>
#include <QStringList>

QImage LoadJpegPicture(const QString& path) {
    // Naming the format keeps a picture from being guessed into another
    // decoder, so a missing jpeg plugin shows as a null image.
    QImageReader reader(path, "jpeg");
    return reader.read();
}

QImage LoadLogo() {
    return LoadJpegPicture(":/logo.jpg");
}

QImage LoadCrossSection() {
    return LoadJpegPicture(":/cross-section.jpg");
}

QString IntroText() {
    QFile file(":/intro.txt");
    if (!file.open(QIODevice::ReadOnly)) {
        return QString();
    }
    QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    for (QString& line : lines) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
    }
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines.join('\n');
}
