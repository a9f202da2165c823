// The file dialogs take the one name typed, quotes and all. The real dialog
// with the Save and Open commands: tests/e2e/case_quoted_names.py.
#include "UiFixture.h"

#include "ULiteralFileDialog.h"

namespace {

void Touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

} // namespace

TEST(TypedFilePath, IsTheOneNameTypedInTheFolder) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString in = folder.path() + QLatin1Char('/');
    Touch(in + QStringLiteral("B.inp"));
    Touch(in + QStringLiteral("README"));
    struct TCase {
        const char* Typed;
        bool Opening;
        QString Expected;
    };
    const TCase cases[] = {
        {"site \"B\" data.inp", false, in + QStringLiteral("site \"B\" data.inp")},
        {"\"B\"", false, in + QStringLiteral("\"B\".inp")},
        {"it's \"odd\" name", true, in + QStringLiteral("it's \"odd\" name.inp")},
        {"/elsewhere/x", false, QStringLiteral("/elsewhere/x.inp")},
        {"README", true, in + QStringLiteral("README")},
        {"README", false, in + QStringLiteral("README.inp")},
        {"~/x.inp", false, QDir::home().filePath(QStringLiteral("x.inp"))},
        {"gone/", false, QString()},
        {"", true, QString()},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Typed);
        EXPECT_EQ(TypedFilePath(QString::fromUtf8(c.Typed), folder.path(), QStringLiteral("inp"),
                                c.Opening)
                      .toStdString(),
                  c.Expected.toStdString());
    }
}
