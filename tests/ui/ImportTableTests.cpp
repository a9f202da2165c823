// File > Import table into the real window: a file that is no table, or a
// table the window cannot take, leaves the grid as it was; the real window,
// a pipe named on its command line and a long import cancelled:
// tests/e2e/case_fifo_table_is_refused.py, case_cancelled_long_import_leaves_grid.py.
#include "UiFixture.h"

#include <QProgressDialog>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

class TImportTableTest : public TMainFormTest {
protected:
    std::string WriteTable(const std::string& name, const std::string& text) {
        const std::string path = InFolder(name);
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    // The value cells, the count field and the store's count.
    std::vector<std::string> Shown() const {
        std::vector<std::string> shown{form->Input->Edit1->text().toStdString(),
                                       std::to_string(DMTylwen.NrOfDataSets)};
        for (int row = 0; row <= Grid().RowCount(); ++row) {
            for (int column = 0; column <= 3; ++column) {
                shown.push_back(Cell(column, row));
            }
        }
        return shown;
    }
};

TEST_F(TImportTableTest, EveryBadTableOrFileLeavesTheGridAndSaysWhy) {
    ShowPage(form->Input);
    form->Import().ImportTableFile(SourcePath("tests/tables/pipe-drain-field-german.csv"));
    ASSERT_EQ(dialogs.ShownCount(), 0u);
    ASSERT_EQ(Cell(1, 14), "2,6");
    const std::vector<std::string> before = Shown();
    const std::string pipe = InFolder("pipe.csv");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    std::filesystem::resize_file(WriteTable("huge.csv", ""), (64 << 20) + 1);
    const struct {
        std::string Path;
        const char* Told;
    } cases[] = {
        {WriteTable("1.csv", "15.0,0.26,0.98\n13.6;0.32;0.98\n"), "Line 1 of "},
        {WriteTable("2.csv", "15,5,0.26,0.98\n13,6,0.32,0.98\n"), "Line 2 of "},
        {WriteTable("3.csv", "15,0.26,0,98\n13.6,0.32,0,98\n"), "Line 2 of "},
        {WriteTable("4.csv", "Nr;Q;M;N\n7;1;2;3\n3;1;2;3\n"), "Line 3 of "},
        {WriteTable("6.csv", std::string("\xFF\xFE"
                                         "1\0;\0"
                                         "2\0;\0"
                                         "3\0",
                                         12)),
         "UTF-16"},
        {pipe, "is a pipe"},
        {folder.path().toStdString(), "is a folder"},
        {"/dev/zero", "is a device"},
        {InFolder("missing.csv"), "does not exist"},
        {InFolder("huge.csv"), "larger than 64 MB"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.Path);
        form->Import().ImportTableFile(test.Path);
        ASSERT_EQ(dialogs.Messages.size(), 1u);
        EXPECT_NE(dialogs.Messages[0].find(test.Told), std::string::npos) << dialogs.Messages[0];
        EXPECT_NE(dialogs.Messages[0].find(test.Path), std::string::npos);
        EXPECT_EQ(Shown(), before);
        dialogs.Messages.clear();
    }
}

// The progress shows once the import has run a moment; its Cancel gives the
// grid back as it was, the undo history too.
TEST_F(TImportTableTest, CancelledLongImportLeavesTheGrid) {
    ShowPage(form->Input);
    TypeTable({PipeDrainField()[0], PipeDrainField()[1]});
    const std::vector<std::string> before = Shown();
    std::string text;
    for (int line = 0; line < 2000000; ++line) {
        text += std::to_string(line % 90 + 1) + ";0,5;0,9\n";
    }
    bool cancelled = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* progress = form->findChild<QProgressDialog*>(QStringLiteral("ImportProgress_Dialog"));
        if (progress && progress->isVisible() && !cancelled) {
            EXPECT_EQ(progress->accessibleName(), QStringLiteral("Progress of the import"));
            cancelled = true;
            progress->cancel();
        }
    });
    poll.start(20);
    form->Import().ImportTableFile(WriteTable("long.csv", text));
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(dialogs.ShownCount(), 0u);
    EXPECT_EQ(Shown(), before);
    EXPECT_EQ(form->Undo->text(), QStringLiteral("&Undo typing in row 2, column 3"));
}
