#include "UPictures.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QRect>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Average {
    int red = 0;
    int green = 0;
    int blue = 0;
    int Sum() const { return red + green + blue; }
};

Average AverageColour(const QImage& image, const QRect& area) {
    long red = 0, green = 0, blue = 0, count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            red += colour.red();
            green += colour.green();
            blue += colour.blue();
            ++count;
        }
    }
    return {int(red / count), int(green / count), int(blue / count)};
}

bool IsLight(const Average& colour) {
    return colour.red > 235 && colour.green > 235 && colour.blue > 230;
}
bool IsBlue(const Average& colour) {
    return colour.blue > colour.red + 60 && colour.blue > colour.green + 10;
}
bool IsSoil(const Average& colour) {
    return colour.red > colour.blue + 35 && colour.red >= colour.green;
}

int CountPixels(const QImage& image, const QRect& area, bool (*matches)(const Average&)) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += matches({c.red(), c.green(), c.blue()}) ? 1 : 0;
        }
    }
    return count;
}

bool IsLeafGreen(const Average& colour) {
    return colour.green > colour.red + 30 && colour.green > colour.blue + 20;
}

// Both pictures are the program's own resources, linked in from the static
// resource library; the program decodes them only through the jpeg plugin.
TEST(Pictures, JpegPluginAndEmbeddedFilesArePresent) {
    EXPECT_TRUE(QImageReader::supportedImageFormats().contains("jpeg"))
        << "Qt's jpeg image plugin is missing: the pictures cannot be shown";
    for (const char* path : {":/logo.jpg", ":/cross-section.jpg", ":/intro.txt"}) {
        EXPECT_TRUE(QFile::exists(path)) << path << " is not linked into the program";
    }
    EXPECT_EQ(QImageReader(":/logo.jpg").format(), "jpeg");
    EXPECT_EQ(QImageReader(":/cross-section.jpg").format(), "jpeg");
}

TEST(Pictures, LogoIsAPlantOnSoilAboveWater) {
    const QImage logo = LoadLogo();
    ASSERT_FALSE(logo.isNull()) << "the logo does not decode";
    ASSERT_EQ(logo.size(), QSize(109, 96));
    EXPECT_TRUE(IsBlue(AverageColour(logo, QRect(4, 84, 101, 10)))) << "no pool of water";
    EXPECT_TRUE(IsSoil(AverageColour(logo, QRect(4, 65, 30, 8)))) << "no band of soil";
    EXPECT_TRUE(IsLight(AverageColour(logo, QRect(4, 40, 20, 12)))) << "no light sky";
    EXPECT_GT(CountPixels(logo, QRect(20, 10, 69, 50), IsLeafGreen), 40) << "no plant";
}

TEST(Pictures, CrossSectionShowsLayersAndWater) {
    const QImage figure = LoadCrossSection();
    ASSERT_FALSE(figure.isNull()) << "the cross-section does not decode";
    ASSERT_EQ(figure.size(), QSize(691, 440));
    for (const QRect& corner :
         {QRect(0, 0, 8, 8), QRect(683, 0, 8, 8), QRect(0, 432, 8, 8), QRect(683, 432, 8, 8)}) {
        EXPECT_TRUE(IsLight(AverageColour(figure, corner))) << "dark corner at " << corner.x();
    }
    const Average above = AverageColour(figure, QRect(280, 114, 40, 12));
    const Average below = AverageColour(figure, QRect(420, 330, 60, 30));
    EXPECT_TRUE(IsSoil(above)) << "no soil above drain level (Ka)";
    EXPECT_TRUE(IsSoil(below)) << "no soil below drain level (Kb)";
    EXPECT_GT(above.Sum(), below.Sum() + 30) << "the Ka and Kb zones look alike";
    EXPECT_TRUE(IsBlue(AverageColour(figure, QRect(563, 226, 10, 20)))) << "no water in the ditch";
    EXPECT_GT(CountPixels(figure, QRect(150, 110, 380, 100), IsBlue), 300) << "no water table";
}

TEST(Pictures, UndecodablePicturesComeBackNull) {
    EXPECT_TRUE(LoadJpegPicture(":/intro.txt").isNull());
    EXPECT_TRUE(LoadJpegPicture(":/no-such-picture.jpg").isNull());
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile damaged(folder.filePath("damaged.jpg"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray("\xff\xd8\xff\xe0", 4) + QByteArray(64, '\x07'));
    damaged.close();
    EXPECT_TRUE(LoadJpegPicture(damaged.fileName()).isNull());
}

} // namespace
