// Standard output as the companion prints to it: every failure to print is
// noticed and its reason kept, so that results that never reached the reader
// are not reported as success.
#pragma once

#include <string>

class TStandardOutput {
public:
    // Gives each standard descriptor that the caller left closed a stand-in
    // on /dev/null, so that no file the program opens later takes its number
    // and receives what is meant for the terminal. A closed standard output
    // still counts as one that cannot be printed to. A closed pipe no longer
    // ends the process: a write to it fails like any other.
    TStandardOutput();

    // Writes every byte of `text`; false once a write has failed.
    bool Print(const std::string& text);
    bool Failed() const { return !failure_.empty(); }
    // The system's reason for the first failure ("No space left on device").
    const std::string& Failure() const { return failure_; }

private:
    std::string failure_;
};
