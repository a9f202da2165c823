// Reading a text file piece by piece through a fixed buffer, so that a hostile
// file (a line of many megabytes, binary junk) costs time but never memory.
// Lines end in LF or CR LF.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class TTextScanner {
public:
    // Opens `path` for reading; only a regular file opens (not a folder, and
    // not a pipe or a device that could block or never end).
    explicit TTextScanner(const std::string& path);
    ~TTextScanner();
    TTextScanner(const TTextScanner&) = delete;
    TTextScanner& operator=(const TTextScanner&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    // The remaining calls raise EInOutError when the system fails to read.
    bool AtEnd();
    // Goes past the next line end, or to the end of the file.
    void SkipLine();
    // Up to `count` characters of the current line, stopping before its end.
    std::string TakeLinePrefix(std::size_t count);
    // Skips blanks, control characters and line ends, then takes up to
    // `maxLength` characters up to the next of those. False at the end.
    bool TakeToken(std::string& token, std::size_t maxLength);
    // As TakeToken, but within the current line: false, before the line end,
    // when the line holds no more token (a carriage return is a separator).
    bool TakeTokenOnLine(std::string& token, std::size_t maxLength);
    // The number of the line the scanner stands in, from 1.
    std::size_t LineNumber() const { return lineNumber_; }
    // Goes past the decimal digits that follow.
    void SkipDigits();
    // The next whole line without its line end; false at the end of the file.
    // A line longer than `maxLength` gives its first `maxLength` + 1
    // characters, and the rest of it stays unread.
    bool ReadLine(std::string& line, std::size_t maxLength = static_cast<std::size_t>(-1) - 1);

private:
    // The next character, or -1 at the end of the file.
    int Peek();
    // Goes past the character that Peek gave.
    void Advance();
    void Fill();
    bool TakeToken(std::string& token, std::size_t maxLength, bool acrossLines);

    std::string path_;
    int fd_ = -1;
    std::vector<char> buffer_;
    std::size_t position_ = 0;
    std::size_t filled_ = 0;
    bool ended_ = false;
    std::size_t lineNumber_ = 1;
};
