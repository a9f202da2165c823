// The window's fonts are named as the program was drawn (Tahoma, Arial,
// Courier New); these map them to installed fonts of the same metrics.
#pragma once

class QFont;
class QString;

void InstallFontSubstitutions();

// A font of the given family, `pixels` high.
QFont PixelFont(const QString& family, int pixels);
