#include "UTableImport.h"

#include "UFloatMath.h"
#include "UNumberText.h"

#include <csv.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <vector>

namespace {

constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";
// Enough of a bad value to recognise it in a message.
constexpr std::size_t ShownValueLength = 24;

// Tabs win over semicolons, and semicolons over commas: a file separated by
// either of the first two may use commas as decimal marks.
char ChooseDelimiter(std::string_view text) {
    if (text.find('\t') != std::string_view::npos) {
        return '\t';
    }
    return text.find(';') != std::string_view::npos ? ';' : ',';
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
            import_.Problem = {line, std::move(reason)};
        }
    }

    TTableImport Finish() {
        if (!failed_ && table_.DataSets == 0) {
            import_.Problem = {0, "it holds no data sets"};
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
        } else if (columns_ == 4 && !IsSerialNumber(fields_[0])) {
            Fail(recordLine_, "its serial number " + Shown(fields_[0]) + " is no whole number");
        } else {
            TakeValues(columns_ - 3);
        }
    }

    // A heading names the columns: none of its fields is a number.
    bool IsHeading() const {
        return std::none_of(fields_.begin(), fields_.end(), [this](const std::string& field) {
            return IsNumber(field, delimiter_);
        });
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

// Fed one line at a time, so that every record knows the line it began on.
void ParseLines(csv_parser& parser, std::string_view text, TTableBuilder& builder) {
    int line = 1;
    while (!text.empty() && !builder.Failed()) {
        const std::size_t length = LineLength(text);
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

TTableImport ParseDelimitedTable(std::string_view text) {
    if (text.substr(0, Utf8ByteOrderMark.size()) == Utf8ByteOrderMark) {
        text.remove_prefix(Utf8ByteOrderMark.size());
    }
    const char delimiter = ChooseDelimiter(text);
    TTableBuilder builder(delimiter);
    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0) {
        throw std::bad_alloc();
    }
    csv_set_delim(&parser, static_cast<unsigned char>(delimiter));
    csv_set_space_func(&parser, IsBlank);
    ParseLines(parser, text, builder);
    csv_free(&parser);
    return builder.Finish();
}

bool IsTableFileName(const std::string& fileName) {
    const std::string extension = LowerCaseExtension(fileName);
    return extension == ".csv" || extension == ".tsv" || extension == ".txt";
}

std::optional<std::string> ReadTableFile(const std::string& fileName) {
    std::ifstream file(fileName, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::string text;
    char buffer[1 << 16];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(file.gcount()));
        if (text.size() > MaxTableFileBytes) {
            return std::nullopt;
        }
    }
    if (file.bad()) {
        return std::nullopt;
    }
    return text;
}

std::string TableRefusalMessage(const std::string& fileName, const TTableProblem& problem) {
    const std::string where = problem.Line > 0
                                  ? "Line " + std::to_string(problem.Line) + " of " + fileName +
                                        " is not a data set: " + problem.Reason + "."
                                  : "The file " + fileName + " holds no data sets.";
    return where +
           " A table holds one data set per line: Q, depth midway and depth near, or a serial "
           "number and those three, separated by commas, semicolons or tabs. The grid was not "
           "changed.";
}

std::string UnreadableTableMessage(const std::string& fileName) {
    return "The file " + fileName + " cannot be read as a table of at most " +
           std::to_string(MaxTableFileBytes >> 20) + " MB. The grid was not changed.";
}
