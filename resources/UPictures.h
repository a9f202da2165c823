// The Intro text and the two pictures embedded in the program. A picture that
// cannot be decoded (for instance when Qt's jpeg plugin is missing) comes back
// as a null image, so a page shows without it.
#pragma once

#include <QImage>
#include <QString>

// The logo of the Intro and Input pages, 109 x 96.
QImage LoadLogo();
// The cross-section of the Figure page, 691 x 440.
QImage LoadCrossSection();
// Decodes the JPEG picture at a resource or file path; null when it cannot.
QImage LoadJpegPicture(const QString& path);

// The introduction text: its lines joined by "\n", with no trailing empty line.
QString IntroText();
