// soravik-pictures OUTPUT_DIR        writes cross-section.jpg and logo.jpg
// soravik-pictures --icons DIR       writes the desktop icons soravik-SIZE.png
// Both can be given at once. Runs without a display (QT_QPA_PLATFORM=offscreen).
#include "PictureFiles.h"

#include <QGuiApplication>
#include <QStringList>

#include <cstdio>

namespace {

struct Request {
    QString pictures;
    QString icons;
    bool valid = false;
};

Request ParseArguments(const QStringList& arguments) {
    Request request;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == "--icons" && i + 1 < arguments.size() && request.icons.isEmpty()) {
            request.icons = arguments[++i];
        } else if (!argument.startsWith("-") && request.pictures.isEmpty()) {
            request.pictures = argument;
        } else {
            return Request{};
        }
    }
    request.valid = !request.pictures.isEmpty() || !request.icons.isEmpty();
    return request;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    const Request request = ParseArguments(QGuiApplication::arguments());
    if (!request.valid) {
        std::fprintf(stderr, "usage: soravik-pictures [OUTPUT_DIR] [--icons DIR]\n");
        return 2;
    }
    if (!request.pictures.isEmpty() && !WritePictures(request.pictures)) {
        return 1;
    }
    if (!request.icons.isEmpty() && !WriteIcons(request.icons)) {
        return 1;
    }
    return 0;
}
