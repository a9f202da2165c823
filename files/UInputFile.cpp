#include "UInputFile.h"

#include "UFileNames.h"
#include "UFileNumber.h"
#include "UFloatMath.h"
#include "UTextScanner.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

namespace {

const char* const LineEnd = "\r\n";
const char* const Separator = " - - - - - - - - - - - - - - - - - - - - -";
const char* const EndMarkerStart = " - - -";
const char* const InvalidNumberMessage = "Invalid numeric input";

// Every label is 29 characters; the number follows it directly.
const std::array<const char*, 4> ConstantLabels = {
    " Drain depth (m)             ",
    " Depth impermeable layer (m) ",
    " Depth spacing (m)           ",
    " Drain radius (m)            ",
};

const std::array<const char*, 6> ColumnHeading = {
    "                    Depth of water table",  "                    ---------------------",
    "          Drain        midway       near",  " Serial   discharge    between      the",
    " number   (mm/day)     drains      drains", "                         (m)         (m) ",
};

constexpr std::size_t LabelLength = 28;
constexpr std::size_t NotConvertedLength = 6;
// The widest number the writer produces: a site constant of the smallest
// magnitude written in full, a sign, "0." and 324 decimals (the largest
// double, with three decimals, takes 314 characters). Sixty-four characters
// would leave the program unable to open a file it wrote itself.
constexpr std::size_t MaxNumberLength = 1 + 2 + 324;
// The empty line, the column heading and the separator before the table.
constexpr int LinesBeforeTable = 8;

void AppendLine(std::string& out, const std::string& line) {
    out += line;
    out += LineEnd;
}

// Two decimals, as the file has always held the constants, whenever they give
// the value back; any other value with the fewest decimals that do, so that
// a 65 mm pipe's radius of 0.0325 m is not saved, reopened and calculated
// again as 0.03.
void AppendSiteConstant(std::string& out, double value) {
    const std::string twoDecimals = FormatFixed(value, 6, 2);
    const std::size_t digits = twoDecimals.find_first_not_of(' ');
    if (ParseFileNumber(std::string_view(twoDecimals).substr(digits)) == value) {
        out += twoDecimals;
    } else {
        AppendShortestFixed(out, value, 6);
    }
}

std::array<double, 4> SiteConstants(const TDMTylwen& store) {
    return {store.DrainDepth, store.ImpermeableDepth, store.DrainSpacing, store.DrainRadius};
}

// A value as wide as its field or wider would run into the number before it
// and read back as one number with it; a blank keeps them apart.
void AppendDataField(std::string& out, double value, int width) {
    const std::size_t start = out.size();
    AppendFixed(out, value, width, 3);
    if (out[start] != ' ') {
        out.insert(start, 1, ' ');
    }
}

void AppendDataLine(std::string& out, const TDMTylwen& store, std::int32_t dataSet) {
    const std::size_t slot = static_cast<std::size_t>(dataSet) - 1;
    AppendInteger(out, dataSet, 5);
    AppendDataField(out, At(store.WorkDischarge, slot), 12);
    AppendDataField(out, At(store.WorkMidway, slot), 12);
    AppendDataField(out, At(store.WorkNear, slot), 11);
    out += LineEnd;
}

// One byte more for each digit of a serial number beyond five. Reserving
// too little would double the file's text in memory while a large table is
// written.
std::size_t DataLineLength(std::size_t dataSets) {
    const std::size_t serialDigits = std::to_string(dataSets).size();
    return WrittenDataLineBytes + (serialDigits > 5 ? serialDigits - 5 : 0);
}

// What a file holds, kept apart from the store until the whole table is read.
struct TInputFileContent {
    std::array<double, 4> Constants{};
    // Slot 0 of each column carries no data, as in the store.
    DataSetR Discharge{0.0};
    DataSetR Midway{0.0};
    DataSetR Near{0.0};
};

enum class TScanOutcome {
    Read,
    InvalidNumber,
    Incomplete,
    TooLarge,
    // A data line with fewer than its three numbers.
    MissingNumber,
    // A data line with more than a serial number in its first characters.
    SerialField,
};

// A number longer than the reader takes is refused whole rather than split
// into two numbers that were never written.
bool ConvertNumber(const std::string& token, double& value) {
    const std::optional<double> number =
        token.size() > MaxNumberLength ? std::nullopt : ParseFileNumber(token);
    value = number.value_or(0.0);
    return number.has_value();
}

// At the end of the file a number reads as 0; only text that is no number
// fails.
bool ReadNumber(TTextScanner& scanner, double& value) {
    std::string token;
    if (!scanner.TakeToken(token, MaxNumberLength + 1)) {
        value = 0.0;
        return true;
    }
    return ConvertNumber(token, value);
}

// A value missing from a data line is never taken from the next line, whose
// serial number would become a depth and whose data set would be lost.
TScanOutcome ReadDataValue(TTextScanner& scanner, double& value) {
    std::string token;
    if (!scanner.TakeTokenOnLine(token, MaxNumberLength + 1)) {
        return scanner.AtEnd() ? TScanOutcome::Incomplete : TScanOutcome::MissingNumber;
    }
    return ConvertNumber(token, value) ? TScanOutcome::Read : TScanOutcome::InvalidNumber;
}

void SkipLines(TTextScanner& scanner, int count) {
    for (int line = 0; line < count; ++line) {
        scanner.SkipLine();
    }
}

// The labels are never examined: the number after the first 28 characters is
// what counts.
bool ReadSiteConstants(TTextScanner& scanner, std::array<double, 4>& constants) {
    for (double& constant : constants) {
        scanner.TakeLinePrefix(LabelLength);
        if (!ReadNumber(scanner, constant)) {
            return false;
        }
        scanner.SkipLine();
    }
    return true;
}

// The first characters of a data line (serial number and the start of the
// discharge field) are never converted; text after the third number is
// skipped.
TScanOutcome ReadDataSet(TTextScanner& scanner, TInputFileContent& content) {
    std::array<double, 3> values{};
    for (double& value : values) {
        const TScanOutcome outcome = ReadDataValue(scanner, value);
        if (outcome != TScanOutcome::Read) {
            return outcome;
        }
    }
    scanner.SkipLine();
    content.Discharge.push_back(values[0]);
    content.Midway.push_back(values[1]);
    content.Near.push_back(values[2]);
    return TScanOutcome::Read;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The characters that are never converted hold a serial number or nothing:
// a number typed with too few blanks before it ("1 5.000") would lose its
// first digits there unseen.
bool IsSerialField(const std::string& start) {
    return std::all_of(start.begin(), start.end(),
                       [](char c) { return IsDigit(c) || c == ' ' || c == '\t'; });
}

// Six digits: the start of a serial number of six digits or more.
bool IsWholeSerialField(const std::string& start) {
    return start.size() == NotConvertedLength && std::all_of(start.begin(), start.end(), IsDigit);
}

// Only a line that starts like the separator ends the table; the end of the
// file before it leaves the table unfinished.
TScanOutcome ReadTable(TTextScanner& scanner, TInputFileContent& content, std::size_t maxDataSets) {
    for (;;) {
        if (scanner.AtEnd()) {
            return TScanOutcome::Incomplete;
        }
        const std::string start = scanner.TakeLinePrefix(NotConvertedLength);
        if (start == EndMarkerStart) {
            return TScanOutcome::Read;
        }
        if (!IsSerialField(start)) {
            return TScanOutcome::SerialField;
        }
        // From data set 1000000 on the serial number outgrows the characters
        // that are never converted; its remaining digits are no discharge.
        if (IsWholeSerialField(start)) {
            scanner.SkipDigits();
        }
        if (content.Discharge.size() > maxDataSets) {
            return TScanOutcome::TooLarge;
        }
        const TScanOutcome outcome = ReadDataSet(scanner, content);
        if (outcome != TScanOutcome::Read) {
            return outcome;
        }
    }
}

TScanOutcome ScanInputFile(TTextScanner& scanner, TInputFileContent& content,
                           std::size_t maxDataSets) {
    SkipLines(scanner, 2);
    if (!ReadSiteConstants(scanner, content.Constants)) {
        return TScanOutcome::InvalidNumber;
    }
    SkipLines(scanner, LinesBeforeTable);
    return ReadTable(scanner, content, maxDataSets);
}

// Two zero slots after the last data set, which the grid fill reads.
void CommitInputFile(TInputFileContent& content, TDMTylwen& store) {
    const auto count = static_cast<std::int32_t>(content.Discharge.size() - 1);
    for (DataSetR* column : {&content.Discharge, &content.Midway, &content.Near}) {
        column->insert(column->end(), 2, 0.0);
    }
    store.DrainDepth = content.Constants[0];
    store.ImpermeableDepth = content.Constants[1];
    store.DrainSpacing = content.Constants[2];
    store.DrainRadius = content.Constants[3];
    store.InputDischarge = std::move(content.Discharge);
    store.InputDepthMidway = std::move(content.Midway);
    store.InputDepthNear = std::move(content.Near);
    store.NrOfDataSets = count;
    store.RowsToFill = count;
}

std::string IncompleteMessage(const std::string& path) {
    return "The file \"" + path +
           "\" ends before the end of its table of data sets and was not read.";
}

std::string TooLargeMessage(const std::string& path, std::int32_t maxDataSets) {
    return "The file \"" + path + "\" holds more than " + std::to_string(maxDataSets) +
           " data sets, more than the table can hold, and was not read.";
}

std::string LineMessage(std::size_t line, const std::string& path, const std::string& fault) {
    return "Line " + std::to_string(line) + " of the file \"" + path + "\" " + fault +
           ", and the file was not read.";
}

// What the reader found, told with the line it stands in.
struct TScanResult {
    TScanOutcome Outcome;
    std::size_t Line;
};

TFileMessage Message(std::string text) {
    return TFileMessage{std::move(text), false};
}

TReadInputResult ReadResult(TScanResult scan, const std::string& path, std::int32_t maxDataSets) {
    switch (scan.Outcome) {
    case TScanOutcome::Read:
        return {TReadInputOutcome::Read, std::nullopt};
    case TScanOutcome::InvalidNumber:
        return {TReadInputOutcome::InvalidNumber, TFileMessage{InvalidNumberMessage, true}};
    case TScanOutcome::Incomplete:
        return {TReadInputOutcome::Incomplete, Message(IncompleteMessage(path))};
    case TScanOutcome::MissingNumber:
        return {TReadInputOutcome::UnreadableLine,
                Message(LineMessage(scan.Line, path,
                                    "holds fewer than the three numbers of a data set "
                                    "(discharge, depth midway and depth near the drains)"))};
    case TScanOutcome::SerialField:
        return {TReadInputOutcome::UnreadableLine,
                Message(LineMessage(scan.Line, path,
                                    "holds more than a serial number in its first six "
                                    "characters, where only digits and blanks belong"))};
    case TScanOutcome::TooLarge:
        break;
    }
    return {TReadInputOutcome::Incomplete, Message(TooLargeMessage(path, maxDataSets))};
}

} // namespace

std::string FormatInputFile(const std::string& path, const TDMTylwen& store) {
    std::string out;
    const std::size_t dataSets = static_cast<std::size_t>(std::max(store.NrOfDataSets, 0));
    out.reserve(1024 + path.size() + dataSets * DataLineLength(dataSets));
    AppendLine(out, " File Name: " + PathOnOneLine(path));
    AppendLine(out, "");
    const std::array<double, 4> constants = SiteConstants(store);
    for (std::size_t i = 0; i < constants.size(); ++i) {
        out += ConstantLabels[i];
        AppendSiteConstant(out, constants[i]);
        out += LineEnd;
    }
    AppendLine(out, "");
    for (const char* line : ColumnHeading) {
        AppendLine(out, line);
    }
    AppendLine(out, Separator);
    for (std::int32_t dataSet = 1; dataSet <= store.NrOfDataSets; ++dataSet) {
        AppendDataLine(out, store, dataSet);
    }
    AppendLine(out, Separator);
    return out;
}

std::optional<TFileMessage> WriteInputFile(const std::string& path, TDMTylwen& store,
                                           TFileWriteSeam& seam) {
    const TWriteResult result = WriteFileSafely(path, FormatInputFile(path, store), seam);
    if (result.Stage == TWriteStage::Create) {
        return Message(CouldNotCreateMessage(path));
    }
    if (!result.Succeeded()) {
        throw EInOutError("The file \"" + path + "\" could not be written: " + result.Reason);
    }
    return std::nullopt;
}

TReadInputResult ReadInputFile(TDMTylwen& store, std::int32_t maxDataSets) {
    store.FileName = ChangeDataFileExt(store.FileName, ".inp");
    TTextScanner scanner(store.FileName);
    if (!scanner.IsOpen()) {
        return {TReadInputOutcome::CouldNotOpen, Message(CouldNotOpenInputMessage(store.FileName))};
    }
    TInputFileContent content;
    const TScanOutcome outcome =
        ScanInputFile(scanner, content, static_cast<std::size_t>(std::max(maxDataSets, 0)));
    if (outcome == TScanOutcome::Read) {
        CommitInputFile(content, store);
    }
    return ReadResult({outcome, scanner.LineNumber()}, store.FileName, maxDataSets);
}

std::string CouldNotCreateMessage(const std::string& path) {
    return "The file \"" + path +
           "\"could not be opened. It may be damaged, in use by another program,  or the "
           "programmer should incorporate more time.";
}

std::string CouldNotOpenInputMessage(const std::string& path) {
    return "The file \"" + path +
           "\"could not be opened. It may be in use by another program,  or the programmer "
           "should incorporate more time.";
}
