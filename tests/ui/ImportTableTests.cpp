// File > Import table into the real window: a file that is no table, or a
// table the window cannot take, leaves the grid as it was; the real window
// and a pipe named on its command line: tests/e2e/case_fifo_table_is_refused.py.
#include "UiFixture.h"

#include <QProgressDialog>
#include <QTimer>

#include <cstring>
#include <fstream>
#include <sys/stat.h>

namespace {

// The grid's value cells, the count field and the store's count.
struct TGridShown {
    std::vector<std::string> Cells;
    QString Count;
    int DataSets;
    bool operator==(const TGridShown& other) const {
        return Cells == other.Cells && Count == other.Count && DataSets == other.DataSets;
    }
};

} // namespace

class TImportTableTest : public TMainFormTest {
protected:
    std::string WriteTable(const std::string& name, const std::string& text) {
        const std::string path = InFolder(name);
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    TGridShown Shown() const {
        TGridShown shown{{}, form->Edit1->text(), DMTylwen.NrOfDataSets};
        for (int row = 0; row <= Grid().RowCount(); ++row) {
            for (int column = 0; column <= 3; ++column) {
                shown.Cells.push_back(Cell(column, row));
            }
        }
        return shown;
    }

    void Import(const std::string& path) { form->ImportTableFile(path); }
};

TEST_F(TImportTableTest, EveryBadTableLeavesTheGridAndNamesItsLine) {
    ShowPage(form->Input);
    Import(SourcePath("tests/tables/pipe-drain-field-german.csv"));
    ASSERT_EQ(dialogs.ShownCount(), 0u);
    ASSERT_EQ(Cell(1, 14), "2,6");
    const TGridShown before = Shown();
    const struct {
        const char* Text;
        const char* Told;
    } cases[] = {
        {"15.0,0.26,0.98\n13.6;0.32;0.98\n", "Line 1 of "},
        {"Q,M,N\n15,5,0.26,0.98\n13,6,0.32,0.98\n", "Line 3 of "},
        {"15,0.26,0,98\n13.6,0.32,0,98\n", "Line 2 of "},
        {"Nr;Q;M;N\n7;1;2;3\n3;1;2;3\n", "Line 3 of "},
        {"1;2;3\n4;5\n", "Line 2 of "},
        {"\xFF\xFE"
         "1\0;\0"
         "2\0;\0"
         "3\0",
         "UTF-16"},
        {"Q;M;N\n", "holds no data sets"},
    };
    int number = 0;
    for (const auto& test : cases) {
        SCOPED_TRACE(test.Text);
        const std::string text(test.Text, test.Text[0] == '\xFF' ? 18 : std::strlen(test.Text));
        const std::string path = WriteTable("bad" + std::to_string(++number) + ".csv", text);
        Import(path);
        ASSERT_EQ(dialogs.Messages.size(), 1u);
        EXPECT_NE(dialogs.Messages[0].find(test.Told), std::string::npos) << dialogs.Messages[0];
        EXPECT_NE(dialogs.Messages[0].find(path), std::string::npos);
        EXPECT_EQ(Shown(), before);
        dialogs.Messages.clear();
    }
}

// Nothing waits on a pipe; a missing file is told as missing.
TEST_F(TImportTableTest, OnlyARegularFileIsRead) {
    ShowPage(form->Input);
    const TGridShown before = Shown();
    const std::string pipe = InFolder("pipe.csv");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const struct {
        std::string Path;
        const char* Told;
    } cases[] = {
        {pipe, "a pipe"},
        {folder.path().toStdString(), "a folder"},
        {InFolder("missing.csv"), "does not exist"},
    };
    for (const auto& test : cases) {
        Import(test.Path);
        ASSERT_EQ(dialogs.Messages.size(), 1u);
        EXPECT_NE(dialogs.Messages[0].find(test.Told), std::string::npos) << dialogs.Messages[0];
        EXPECT_EQ(Shown(), before);
        dialogs.Messages.clear();
    }
}

// The progress shows once the import has run a moment; its Cancel gives the
// grid back as it was, the undo history too.
TEST_F(TImportTableTest, CancelledLongImportLeavesTheGrid) {
    ShowPage(form->Input);
    TypeTable({PipeDrainField()[0], PipeDrainField()[1]});
    const TGridShown before = Shown();
    std::string text;
    for (int line = 0; line < 2000000; ++line) {
        text += std::to_string(line % 90 + 1) + ";0,5;0,9\n";
    }
    const std::string path = WriteTable("long.csv", text);
    bool cancelled = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* progress = form->findChild<QProgressDialog*>(QStringLiteral("ImportProgress_Dialog"));
        if (progress && progress->isVisible() && !cancelled) {
            EXPECT_EQ(progress->windowTitle(), QStringLiteral("Importing"));
            EXPECT_EQ(progress->accessibleName(), QStringLiteral("Progress of the import"));
            cancelled = true;
            progress->cancel();
        }
    });
    poll.start(20);
    Import(path);
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(dialogs.ShownCount(), 0u);
    EXPECT_EQ(Shown(), before);
    EXPECT_EQ(form->Undo->text(), QStringLiteral("&Undo typing in row 2, column 3"));
}
