#include "UTableImport.h"

#include "UFloatMath.h"
#include "UNumberText.h"

#include <csv.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <vector>

namespace {

constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";
// Enough of a bad value to recognise it in a message.
constexpr std::size_t ShownValueLength = 24;
// Lines read between two reports of the progress.
constexpr int LinesPerProgress = 1 << 14;

const char* const FourValuesHint =
    "; four values on a line are a serial number, rising by one from line to line, and Q, depth "
    "midway and depth near, and a decimal comma needs \";\" or tabs between the values";

// Text in UTF-16 reads as bytes with a zero beside every letter: refused as
// a whole instead of line by line.
bool IsUtf16(std::string_view text) {
    if (text.size() < 2) {
        return false;
    }
    const bool byteOrderMark =
        (text[0] == '\xFF' && text[1] == '\xFE') || (text[0] == '\xFE' && text[1] == '\xFF');
    return byteOrderMark || ((text[0] == '\0') != (text[1] == '\0'));
}

// Tabs win over semicolons, and semicolons over commas: a file separated by
// either of the first two may use commas as decimal marks. The separator of
// a line is the first of them found outside quotes; `quoted` carries a
// quoted value on to the next line. No separator at all gives 0.
char LineSeparator(std::string_view line, bool& quoted) {
    bool tab = false;
    bool semicolon = false;
    bool comma = false;
    for (const char c : line) {
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted) {
            tab = tab || c == '\t';
            semicolon = semicolon || c == ';';
            comma = comma || c == ',';
        }
    }
    return tab ? '\t' : semicolon ? ';' : comma ? ',' : '\0';
}

std::string SeparatorName(char separator) {
    return separator == '\t' ? "tabs" : separator == ';' ? "semicolons" : "commas";
}

// The length of the line that starts the text, its end (LF, CR LF or CR)
// included.
std::size_t LineLength(std::string_view text) {
    const std::size_t end = text.find_first_of("\r\n");
    if (end == std::string_view::npos) {
        return text.size();
    }
    const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    return end + (crlf ? 2 : 1);
}

// The file's separator: the first, in the order above, that any line uses.
char ChooseSeparator(std::string_view text) {
    // Without quotes no separator can hide: a search of the whole text is
    // quick, also for millions of lines.
    if (text.find('"') == std::string_view::npos) {
        return text.find('\t') != std::string_view::npos  ? '\t'
               : text.find(';') != std::string_view::npos ? ';'
                                                          : ',';
    }
    bool quoted = false;
    char chosen = '\0';
    while (!text.empty() && chosen != '\t') {
        const std::size_t length = LineLength(text);
        const char separator = LineSeparator(text.substr(0, length), quoted);
        if (separator == '\t' || (separator == ';' && chosen != ';') ||
            (separator == ',' && chosen == '\0')) {
            chosen = separator;
        }
        text.remove_prefix(length);
    }
    return chosen == '\0' ? ',' : chosen;
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return std::string();
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string Shown(const std::string& value) {
    std::string shown;
    for (const char c : value.substr(0, ShownValueLength)) {
        const bool printable = static_cast<unsigned char>(c) >= 0x20 && c != 0x7F;
        shown += printable ? c : '?';
    }
    return "\"" + shown + (value.size() > ShownValueLength ? "…\"" : "\"");
}

// Only characters that a paste keeps, and a value that converts: the block
// then pastes into exactly these numbers.
bool IsNumber(const std::string& value, char delimiter) {
    if (value.empty() || (delimiter == ',' && value.find(',') != std::string::npos)) {
        return false;
    }
    const bool numberCharacters = std::all_of(value.begin(), value.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '+' || c == '.' ||
               c == ',' || c == 'e' || c == 'E';
    });
    if (!numberCharacters) {
        return false;
    }
    try {
        return std::isfinite(StringToFloat(value));
    } catch (const EApplicationError&) {
        return false;
    }
}

bool IsSerialNumber(const std::string& value) {
    return !value.empty() && value.size() <= 9 &&
           std::all_of(value.begin(), value.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

// Letters name columns; bytes of UTF-8 beyond ASCII are taken as letters too.
bool HoldsLetter(const std::string& field) {
    return std::any_of(field.begin(), field.end(), [](char c) {
        return std::isalpha(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0x80;
    });
}

// Takes the records that libcsv reads, one at a time, into the block; stops
// at the first record that is no data set.
class TTableBuilder {
public:
    explicit TTableBuilder(char delimiter) : delimiter_(delimiter) {}

    void SetLine(int line) { line_ = line; }
    bool Failed() const { return failed_; }

    void AddField(const char* data, std::size_t length) {
        if (fields_.empty()) {
            recordLine_ = line_;
        }
        fields_.push_back(Trimmed(std::string(data ? data : "", data ? length : 0)));
    }

    void EndRecord() {
        if (!failed_) {
            TakeRecord();
        }
        fields_.clear();
    }

    void Fail(int line, std::string reason) {
        if (!failed_) {
            failed_ = true;
            import_.Problem = {TTableProblem::BadLine, line, std::move(reason)};
        }
    }

    void Cancel() {
        failed_ = true;
        import_.Cancelled = true;
    }

    TTableImport Finish() {
        if (!failed_ && table_.DataSets == 0) {
            import_.Problem = {TTableProblem::NoDataSets, 0, "it holds no data sets"};
        } else if (!failed_) {
            import_.Table = std::move(table_);
        }
        return std::move(import_);
    }

private:
    void TakeRecord() {
        while (!fields_.empty() && fields_.back().empty()) {
            fields_.pop_back();
        }
        if (fields_.empty()) {
            return;
        }
        const bool firstRecord = !seenRecord_;
        seenRecord_ = true;
        if (firstRecord && IsHeading()) {
            return;
        }
        if (columns_ == 0) {
            columns_ = fields_.size();
        }
        if (fields_.size() != 3 && fields_.size() != 4) {
            Fail(recordLine_, "it holds " + std::to_string(fields_.size()) +
                                  " values where 3 (Q, depth midway, depth near) or 4 (a serial "
                                  "number and those 3) belong");
        } else if (fields_.size() != columns_) {
            Fail(recordLine_, "it holds " + std::to_string(fields_.size()) +
                                  " values where the lines above hold " + std::to_string(columns_));
        } else if (columns_ == 3 || TakeSerialNumber(fields_[0])) {
            TakeValues(columns_ - 3);
        }
    }

    // A heading names the columns: it holds a letter and none of its fields
    // is a number. Any other first line is a data set, or the file is refused.
    bool IsHeading() const {
        return std::any_of(fields_.begin(), fields_.end(), HoldsLetter) &&
               std::none_of(fields_.begin(), fields_.end(), [this](const std::string& field) {
                   return IsNumber(field, delimiter_);
               });
    }

    // A first column is a serial one only when it counts the lines: a value
    // with a decimal comma in a comma-separated file must not pass for one.
    bool TakeSerialNumber(const std::string& value) {
        if (!IsSerialNumber(value)) {
            Fail(recordLine_,
                 "its first value " + Shown(value) + " is no serial number" + FourValuesHint);
            return false;
        }
        const long serial = std::stol(value);
        if (table_.DataSets > 0 && serial != lastSerial_ + 1) {
            Fail(recordLine_, "its serial number " + value + " does not follow " +
                                  std::to_string(lastSerial_) + " of the data set before" +
                                  FourValuesHint);
            return false;
        }
        lastSerial_ = serial;
        return true;
    }

    void TakeValues(std::size_t first) {
        for (std::size_t i = first; i < fields_.size(); ++i) {
            if (!IsNumber(fields_[i], delimiter_)) {
                Fail(recordLine_,
                     "its value " + Shown(fields_[i]) + " is no number" +
                         (delimiter_ == ',' && fields_[i].find(',') != std::string::npos
                              ? " (a decimal comma needs semicolons or tabs "
                                "between the values)"
                              : ""));
                return;
            }
        }
        for (std::size_t i = first; i < fields_.size(); ++i) {
            table_.Block += fields_[i];
            table_.Block += i + 1 < fields_.size() ? "\t" : "\r\n";
        }
        ++table_.DataSets;
    }

    const char delimiter_;
    int line_ = 1;
    int recordLine_ = 1;
    bool failed_ = false;
    bool seenRecord_ = false;
    std::size_t columns_ = 0;
    long lastSerial_ = 0;
    std::vector<std::string> fields_;
    TImportedTable table_;
    TTableImport import_;
};

void FieldRead(void* data, std::size_t length, void* builder) {
    static_cast<TTableBuilder*>(builder)->AddField(static_cast<const char*>(data), length);
}

void RecordRead(int, void* builder) {
    static_cast<TTableBuilder*>(builder)->EndRecord();
}

// A tab separates values; only blanks surround them.
int IsBlank(unsigned char c) {
    return c == ' ';
}

// Fed one line at a time, so that every record knows the line it began on;
// a line separated otherwise than the file is refused before it is read.
void ParseLines(csv_parser& parser, std::string_view text, char separator,
                const TTableProgress& progress, TTableBuilder& builder) {
    const std::size_t total = text.size();
    int line = 1;
    bool quoted = false;
    while (!text.empty() && !builder.Failed()) {
        if (progress && line % LinesPerProgress == 0 && !progress(total - text.size(), total)) {
            builder.Cancel();
            return;
        }
        const std::size_t length = LineLength(text);
        const char own = LineSeparator(text.substr(0, length), quoted);
        if (own != '\0' && own != separator) {
            builder.Fail(line, "its values are separated by " + SeparatorName(own) +
                                   " where the file's are separated by " +
                                   SeparatorName(separator));
            return;
        }
        builder.SetLine(line);
        if (csv_parse(&parser, text.data(), length, FieldRead, RecordRead, &builder) != length) {
            builder.Fail(line, csv_error(&parser) == CSV_EPARSE
                                   ? "a quote stands where no quoted value can"
                                   : "it is too long");
            return;
        }
        text.remove_prefix(length);
        ++line;
    }
    if (!builder.Failed() && csv_fini(&parser, FieldRead, RecordRead, &builder) != 0) {
        builder.Fail(line - 1, "a quoted value is not closed");
    }
}

std::string LowerCaseExtension(const std::string& fileName) {
    const std::size_t slash = fileName.find_last_of('/');
    const std::size_t dot = fileName.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return std::string();
    }
    std::string extension = fileName.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

} // namespace

TTableImport ParseDelimitedTable(std::string_view text, const TTableProgress& progress) {
    if (IsUtf16(text)) {
        TTableImport import;
        import.Problem = {TTableProblem::Utf16Text, 0, "it is UTF-16 text"};
        return import;
    }
    if (text.substr(0, Utf8ByteOrderMark.size()) == Utf8ByteOrderMark) {
        text.remove_prefix(Utf8ByteOrderMark.size());
    }
    const char separator = ChooseSeparator(text);
    TTableBuilder builder(separator);
    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0) {
        throw std::bad_alloc();
    }
    csv_set_delim(&parser, static_cast<unsigned char>(separator));
    csv_set_space_func(&parser, IsBlank);
    try {
        ParseLines(parser, text, separator, progress, builder);
    } catch (...) {
        csv_free(&parser);
        throw;
    }
    csv_free(&parser);
    return builder.Finish();
}

bool IsTableFileName(const std::string& fileName) {
    const std::string extension = LowerCaseExtension(fileName);
    return extension == ".csv" || extension == ".tsv" || extension == ".txt";
}

std::string TableRefusalMessage(const std::string& fileName, const TTableProblem& problem) {
    if (problem.Kind == TTableProblem::Utf16Text) {
        return "The file " + fileName +
               " is written as UTF-16 text, which cannot be imported. Save the table as UTF-8 or "
               "plain text and import it again. The grid was not changed.";
    }
    const std::string where = problem.Kind == TTableProblem::BadLine
                                  ? "Line " + std::to_string(problem.Line) + " of " + fileName +
                                        " is not a data set: " + problem.Reason + "."
                                  : "The file " + fileName + " holds no data sets.";
    return where +
           " A table holds one data set per line: Q, depth midway and depth near, or a serial "
           "number and those three, separated by commas, semicolons or tabs. The grid was not "
           "changed.";
}
