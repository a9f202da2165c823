// The output file failing at every point of its writing: at each byte, at the
// flush, the close and the final replace. Every failure raises the error that
// ends the calculation before anything else changes.
#include "FilesTestSupport.h"
#include "ScriptedDialogs.h"
#include "UFloatMath.h"
#include "UOutputFile.h"
#include "UTylwenUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <limits>

namespace {

// Takes the first `ByteLimit` bytes one at a time and then fails like a full
// disk; or fails at one of the steps after the last byte.
class TOutputFailingSeam : public TFileWriteSeam {
public:
    enum class TStep { Bytes, Sync, Close, Replace };

    TOutputFailingSeam(TStep step, std::size_t byteLimit) : step_(step), byteLimit_(byteLimit) {}

    ssize_t Write(int fd, const char* data, std::size_t size) override {
        if (step_ == TStep::Bytes && written_ == byteLimit_) {
            errno = ENOSPC;
            return -1;
        }
        const ssize_t count = TFileWriteSeam::Write(fd, data, std::min<std::size_t>(size, 1));
        written_ += static_cast<std::size_t>(std::max<ssize_t>(count, 0));
        return count;
    }
    int Sync(int fd) override { return Fails(TStep::Sync, TFileWriteSeam::Sync(fd)); }
    int Close(int fd) override { return Fails(TStep::Close, TFileWriteSeam::Close(fd)); }
    int Replace(const std::string& from, const std::string& to) override {
        return step_ == TStep::Replace ? Fails(TStep::Replace, 0)
                                       : TFileWriteSeam::Replace(from, to);
    }

private:
    int Fails(TStep step, int result) const {
        if (step_ != step) {
            return result;
        }
        errno = EIO;
        return -1;
    }

    TStep step_;
    std::size_t byteLimit_;
    std::size_t written_ = 0;
};

class OutputFileWriteFailure : public testing::Test {
protected:
    void SetUp() override {
        ResetTylwenUtils();
        WriteBytes(outputName, earlier);
        store.FileName = inputName;
    }
    void TearDown() override { ResetTylwenUtils(); }

    // The calculation ends with the error; nothing it would have changed has.
    void ExpectFailureChangesNothing(TOutputFailingSeam& seam, const std::string& reason) {
        try {
            WriteOutputFile(result, store, seam);
            ADD_FAILURE() << "no error";
        } catch (const EInOutError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "The output file \"" + outputName + "\" could not be written: " + reason);
        }
        EXPECT_FALSE(ResultsAvailable);
        EXPECT_EQ(store.FileName, inputName);
        EXPECT_EQ(dialogs.ShownCount(), 0u);
        EXPECT_EQ(ReadBytes(outputName), earlier);
        EXPECT_EQ(folder.Names(), std::set<std::string>{"field.out"});
    }

    TTempFolder folder;
    const std::string inputName = folder.Path("field.inp");
    const std::string outputName = folder.Path("field.out");
    const std::string earlier = "earlier results\r\n";
    TScriptedDialogs dialogs;
    TDMTylwen store;
    const TCalculationResults result = [] {
        TCalculationResults written;
        written.SlopeA = 0.009;
        written.InterceptB = 0.0082;
        written.Ka = 2.072;
        written.Kb = 0.398;
        written.EquivalentDepth = 2.323;
        return written;
    }();
};

TEST_F(OutputFileWriteFailure, FailureAtEveryByteKeepsTheEarlierFile) {
    const std::size_t size = FormatOutputFile(outputName, result).size();
    for (std::size_t limit = 0; limit < size; ++limit) {
        TOutputFailingSeam seam(TOutputFailingSeam::TStep::Bytes, limit);
        ExpectFailureChangesNothing(seam, "No space left on device");
    }
}

TEST_F(OutputFileWriteFailure, FailureAfterTheLastByteKeepsTheEarlierFile) {
    for (const TOutputFailingSeam::TStep step :
         {TOutputFailingSeam::TStep::Sync, TOutputFailingSeam::TStep::Close,
          TOutputFailingSeam::TStep::Replace}) {
        TOutputFailingSeam seam(step, 0);
        ExpectFailureChangesNothing(seam, "Input/output error");
    }
    // The same seam lets a complete write through.
    TOutputFailingSeam unlimited(TOutputFailingSeam::TStep::Bytes,
                                 std::numeric_limits<std::size_t>::max());
    WriteOutputFile(result, store, unlimited);
    EXPECT_EQ(ReadBytes(outputName), FormatOutputFile(outputName, result));
    EXPECT_EQ(store.FileName, outputName);
}

} // namespace
