#include "UPictures.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

TEST(IntroText, HasItsThirtyFiveLinesWithTheirBlanks) {
    const QString text = IntroText();
    ASSERT_FALSE(text.isEmpty()) << "the Intro text is not linked into the program";
    EXPECT_FALSE(text.endsWith('\n'));
    const QStringList lines = text.split('\n');
    ASSERT_EQ(lines.size(), 35);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "              INTRODUCTION TO THE Soravik PROGRAM FOR THE DETERMINATION");
    EXPECT_EQ(lines[3], "              A SUBSSURFACE DRAINAGE SYSTEM");
    EXPECT_EQ(lines[8], "       Q = {8.Kb.d.(H-E) + 4.Ka.(H-E)^2} / S^2");
    EXPECT_EQ(lines[9], "  ");
    EXPECT_EQ(lines[15],
              "       drains (m), E = height of the  water table above drain level near the");
    EXPECT_TRUE(lines[34].startsWith("   email: "));
    EXPECT_FALSE(text.contains('\r'));
}

} // namespace
