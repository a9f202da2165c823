// The file dialogs take the one name typed, quotes and all. What the Save
// and Open commands do with a real dialog: tests/e2e/case_quoted_names.py.
#include "UiFixture.h"

#include "ULiteralFileDialog.h"

#include <QLineEdit>

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

TEST(LiteralFileDialog, AcceptsTheNameFieldAsTypedAndOpensATypedFolder) {
    TestApplication();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    Touch(folder.filePath(QStringLiteral("B.inp")));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("sub")));
    TLiteralFileDialog dialog(nullptr, QStringLiteral("Save As"), folder.path());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("inp"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.show();
    auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(field, nullptr);

    field->setText(QStringLiteral("sub"));
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.directory().absolutePath().toStdString(),
              folder.filePath(QStringLiteral("sub")).toStdString());

    field->setText(QStringLiteral("../site \"B\" data.inp"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(QFileInfo(dialog.ChosenFile()).absoluteFilePath().toStdString(),
              folder.filePath(QStringLiteral("site \"B\" data.inp")).toStdString());
}
