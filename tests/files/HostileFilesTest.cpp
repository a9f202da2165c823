// Large and hostile files given to the two readers: each ends in bounded time
// with the file read or the user told, and a huge line is never held whole.
#include "FilesTestSupport.h"
#include "UInputFile.h"
#include "UOutputFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <optional>
#include <random>

namespace {

constexpr std::size_t Megabyte = 1024 * 1024;

// Writes a file a megabyte at a time, so the test itself never holds it whole.
void WriteRepeated(const std::string& path, const std::string& head, char filler,
                   std::size_t megabytes, const std::string& tail) {
    std::ofstream file(path, std::ios::binary);
    file << head;
    const std::string chunk(Megabyte, filler);
    for (std::size_t i = 0; i < megabytes; ++i) {
        file << chunk;
    }
    file << tail;
}

// The peak resident memory of this process since the last reset, in bytes.
std::optional<long> PeakMemory() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        long kilobytes = 0;
        if (key == "VmHWM:" && status >> kilobytes) {
            return kilobytes * 1024;
        }
    }
    return std::nullopt;
}

bool ResetPeakMemory() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return clear.good();
}

// How much the peak memory grew while `body` ran, and how long it took.
struct TCost {
    std::optional<long> PeakGrowth;
    std::chrono::steady_clock::duration Time;
};

template <typename Body> TCost Measure(Body&& body) {
    const bool reset = ResetPeakMemory();
    const std::optional<long> before = PeakMemory();
    const auto start = std::chrono::steady_clock::now();
    body();
    TCost cost{std::nullopt, std::chrono::steady_clock::now() - start};
    const std::optional<long> after = PeakMemory();
    if (reset && before && after) {
        cost.PeakGrowth = *after - *before;
    }
    return cost;
}

const char* const Header = " File Name: x\r\n\r\n"
                           " Drain depth (m)               1.20\r\n"
                           " Depth impermeable layer (m)  10.00\r\n"
                           " Depth spacing (m)            30.00\r\n"
                           " Drain radius (m)              0.10\r\n"
                           "\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n"
                           " - - - - - - - - - - - - - - - - - - - - -\r\n";

class HostileFiles : public testing::Test {
protected:
    void SetUp() override {
        store.OutputLines = {"earlier"};
        store.NrOfOutputLines = 1;
    }

    void ExpectOutputLinesKept() {
        EXPECT_EQ(store.OutputLines, LineSet{"earlier"});
        EXPECT_EQ(store.NrOfOutputLines, 1);
    }

    TFileMessage TooLarge(const std::string& path) const {
        return Told("The file \"" + path +
                    "\" is too large to be an output file and was not read.");
    }

    TTempFolder folder;
    TDMTylwen store;
};

TEST_F(HostileFiles, InputLineOfManyMegabytesIsStreamed) {
    const std::string path = folder.Path("long.inp");
    WriteRepeated(path, std::string(Header) + "    1 1 2 3 ", 'x', 64,
                  "\r\n - - - - - - - - - - - - - - - - - - - - -\r\n");
    store.FileName = path;
    TReadInputOutcome outcome{};
    const TCost cost = Measure([&] { outcome = ReadInputFile(store).Outcome; });
    EXPECT_EQ(outcome, TReadInputOutcome::Read);
    EXPECT_EQ(store.NrOfDataSets, 1);
    EXPECT_LT(cost.Time, std::chrono::seconds(10));
    if (cost.PeakGrowth) {
        EXPECT_LT(*cost.PeakGrowth, static_cast<long>(16 * Megabyte));
    }
}

TEST_F(HostileFiles, OutputFileFarLargerThanFiveLinesIsRefused) {
    const std::string longLine = folder.Path("long line.out");
    WriteRepeated(longLine, "", 'x', 64, "\r\n");
    const std::string manyLines = folder.Path("many lines.out");
    WriteRepeated(manyLines, "", '\n', 4, "");
    for (const std::string& path : {longLine, manyLines}) {
        std::optional<TFileMessage> told;
        const TCost cost = Measure([&] { told = ReadOutputLines(path, store); });
        EXPECT_EQ(told, TooLarge(path));
        ExpectOutputLinesKept();
        EXPECT_LT(cost.Time, std::chrono::seconds(10));
        if (cost.PeakGrowth) {
            EXPECT_LT(*cost.PeakGrowth, static_cast<long>(16 * Megabyte)) << path;
        }
    }
}

TEST_F(HostileFiles, OutputFileUpToTheLimitsIsRead) {
    const std::string path = folder.Path("large.out");
    WriteBytes(path, std::string(Megabyte - 9999, 'y') + std::string(9999, '\n'));
    EXPECT_EQ(ReadOutputLines(path, store), std::nullopt);
    ASSERT_EQ(store.NrOfOutputLines, 9999);
    EXPECT_EQ(store.OutputLines[0].size(), Megabyte - 9999);

    WriteBytes(path, std::string(Megabyte - 10000, 'y') + std::string(10001, '\n'));
    EXPECT_EQ(ReadOutputLines(path, store), TooLarge(path));
    EXPECT_EQ(store.NrOfOutputLines, 9999);
}

TEST_F(HostileFiles, BinaryJunkAsOutputFileGivesItsLines) {
    std::mt19937 random(7);
    std::string junk(256 * 1024, '\0');
    std::size_t lineFeeds = 0;
    for (char& byte : junk) {
        byte = static_cast<char>(random());
        lineFeeds += byte == '\n' ? 1 : 0;
    }
    const std::string path = folder.Path("junk.out");
    WriteBytes(path, junk);
    EXPECT_EQ(ReadOutputLines(path, store), std::nullopt);
    const std::size_t lines = lineFeeds + (junk.back() == '\n' ? 0 : 1);
    EXPECT_EQ(store.NrOfOutputLines, static_cast<std::int32_t>(lines));
    EXPECT_EQ(store.OutputLines.size(), lines);
}

TEST_F(HostileFiles, FolderOrUnreadableFileAsOutputFileIsTold) {
    const std::string expected = "\"could not be opened. It may be damaged, in use by another "
                                 "program,  or the programmer should incorporate more time.";
    const std::string folderPath = folder.Path("a folder.out");
    std::filesystem::create_directory(folderPath);
    EXPECT_EQ(ReadOutputLines(folderPath, store), Told("The file \"" + folderPath + expected));
    ExpectOutputLinesKept();

    const std::string secret = folder.Path("secret.out");
    WriteBytes(secret, "line\r\n");
    ::chmod(folder.Folder().c_str(), 0755);
    ::chmod(secret.c_str(), 0);
    EXPECT_TRUE(HoldsWithoutRoot([&] {
        TDMTylwen childStore;
        return ReadOutputLines(secret, childStore) == Told("The file \"" + secret + expected) &&
               childStore.NrOfOutputLines == 0;
    }));
}

} // namespace
