// Renders the pictures into images and writes them as files.
#pragma once

#include <QImage>
#include <QString>

QImage RenderCrossSection();
QImage RenderLogo();
// A square desktop icon: the logo on a rounded tile, transparent around it.
QImage RenderIcon(int size);

// Each returns false and prints the reason when a file cannot be written.
bool WritePictures(const QString& directory);
bool WriteIcons(const QString& directory);
