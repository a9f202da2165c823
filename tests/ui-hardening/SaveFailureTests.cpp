// Save-calculate when the disk refuses: the input file failing at each of its
// bytes (the process's file-size limit cuts the write short, as a full disk
// would), the output file that cannot take its place, and names that are
// awkward but valid. The store, the flags and the files on disk must say
// exactly what happened.
#include "TypedFieldFixture.h"

#include "UFileNames.h"
#include "UInputFile.h"
#include "UNumberText.h"

#include <QDirIterator>

#include <csignal>
#include <sys/resource.h>

namespace {

// While it lives, no file may grow beyond `bytes`: writes past it fail with
// "File too large" instead of ending the process.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~TFileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

class TSaveFailureTest : public TTypedFieldTest {
protected:
    // The store as the save takes the typed field into it.
    static TDMTylwen TypedStore() {
        TDMTylwen store;
        store.DrainDepth = 1.1;
        store.ImpermeableDepth = 5.0;
        store.DrainSpacing = 20.0;
        store.DrainRadius = 0.05;
        for (const TDataRow& row : PipeDrainField()) {
            store.WorkDischarge.push_back(StringToFloat(row.Discharge));
            store.WorkMidway.push_back(StringToFloat(row.Midway));
            store.WorkNear.push_back(StringToFloat(row.Near));
        }
        store.NrOfDataSets = static_cast<std::int32_t>(PipeDrainField().size());
        return store;
    }

    // Every name in the folder, subfolders included, relative to it.
    std::vector<std::string> NamesOnDisk() const {
        std::vector<std::string> names;
        QDirIterator it(folder.path(), QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            names.push_back(QDir(folder.path()).relativeFilePath(it.next()).toStdString());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    void WriteFile(const std::string& path, const std::string& bytes) const {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
};

} // namespace

TEST_F(TSaveFailureTest, InputFileFailingAtAnyByteCalculatesNothing) {
    TypeField();
    const std::string inp = InFolder("field.inp");
    const std::string earlier = "the earlier input file\r\n";
    WriteFile(inp, earlier);
    const std::size_t size = FormatInputFile(inp, TypedStore()).size();
    for (std::size_t limit = 0; limit < size; ++limit) {
        dialogs.TakeErrors();
        dialogs.YesNoAnswers.push_back(true);
        {
            TFileSizeLimit cut(limit);
            SaveCalculate(inp);
        }
        ASSERT_EQ(dialogs.TakeErrors(), std::vector<std::string>({"The file \"" + inp +
                                                                  "\" could not be written: File "
                                                                  "too large"}))
            << limit;
        EXPECT_TRUE(dialogs.Messages.empty()) << "no claim that anything was saved";
        EXPECT_EQ(ReadWholeFile(inp), earlier);
        EXPECT_EQ(NamesOnDisk(), std::vector<std::string>{"field.inp"});
        EXPECT_FALSE(ResultsAvailable);
        EXPECT_FALSE(OutputShown);
        EXPECT_EQ(DMTylwen.FileName, inp);
        EXPECT_EQ(ActivePage(), form->Input);
    }
    // Without the limit the same save goes through.
    dialogs.TakeErrors();
    dialogs.YesNoAnswers.push_back(true);
    SaveCalculate(inp);
    EXPECT_TRUE(dialogs.Errors.empty());
    EXPECT_EQ(LinesAfterName(inp), LinesAfterName(SourcePath("examples/pipe-drain-field.inp")));
    EXPECT_TRUE(ResultsAvailable);
}

TEST_F(TSaveFailureTest, OutputFileThatCannotBeWrittenLeavesTheFlagsAndTheName) {
    TypeField();
    const std::string inp = InFolder("field.inp");
    const std::string out = InFolder("field.out");
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("field.out")));
    SaveCalculate(inp);
    EXPECT_EQ(dialogs.TakeErrors(), std::vector<std::string>({"The output file \"" + out +
                                                              "\" could not be written: Is a "
                                                              "directory"}));
    EXPECT_TRUE(dialogs.Messages.empty()) << "no confirmation";
    EXPECT_FALSE(ResultsAvailable);
    EXPECT_FALSE(OutputShown);
    EXPECT_EQ(DMTylwen.FileName, inp);
    EXPECT_EQ(ActivePage(), form->Input);
    EXPECT_EQ(LinesAfterName(inp), LinesAfterName(SourcePath("examples/pipe-drain-field.inp")));
    EXPECT_EQ(NamesOnDisk(), std::vector<std::string>{"field.inp"});

    // After a calculation that worked, a failing one keeps its results.
    SaveCalculate(InFolder("good.inp"));
    ASSERT_TRUE(ResultsAvailable);
    const std::string goodOutput = ReadWholeFile(InFolder("good.out"));
    ShowPage(form->Input);
    dialogs.TakeErrors();
    dialogs.Messages.clear();
    dialogs.YesNoAnswers.push_back(true);
    SaveCalculate(inp);
    EXPECT_EQ(dialogs.TakeErrors().size(), 1u);
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_TRUE(ResultsAvailable);
    EXPECT_EQ(DMTylwen.FileName, inp);
    EXPECT_EQ(ReadWholeFile(InFolder("good.out")), goodOutput);
}

TEST_F(TSaveFailureTest, AwkwardButValidNamesAreSavedAndOpenAgain) {
    TypeField();
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("a.b")));
    const std::string quoted = InFolder("Güllé \"field\" 3.inp");
    const std::string dotted = InFolder("a.b/c");
    for (const std::string& chosen : {quoted, dotted}) {
        dialogs.Messages.clear();
        ShowPage(form->Input);
        SaveCalculate(chosen);
        EXPECT_TRUE(dialogs.Errors.empty()) << chosen;
        const std::string inp = ChangeFileExt(chosen, ".inp");
        const std::string out = ChangeFileExt(chosen, ".out");
        EXPECT_EQ(FileLines(inp).front(), " File Name: " + inp);
        EXPECT_EQ(FileLines(out).front(), " File: " + out);
        EXPECT_EQ(DMTylwen.FileName, out);

        TDMTylwen reread;
        reread.FileName = out;
        EXPECT_EQ(ReadInputFile(reread).Outcome, TReadInputOutcome::Read);
        EXPECT_EQ(reread.NrOfDataSets, 15);
    }
    EXPECT_EQ(NamesOnDisk(),
              (std::vector<std::string>{"Güllé \"field\" 3.inp", "Güllé \"field\" 3.out",
                                        "a.b/c.inp", "a.b/c.out"}));
}
