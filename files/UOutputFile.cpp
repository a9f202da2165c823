#include "UOutputFile.h"

#include "UFileNames.h"
#include "UFileNumber.h"
#include "UFloatMath.h"
#include "UInputFile.h"
#include "USameFile.h"
#include "UTextScanner.h"
#include "UTylwenUtils.h"

#include <utility>

namespace {

const char* const LineEnd = "\r\n";

const char* OptionTitle(TCalculationOption option) {
    return option == TCalculationOption::OverEntireSoilDepth ? " Results of the Soravik calculator"
                                                             : " Soravik calculator results";
}

std::string RegressionLine(const TCalculationResults& result) {
    std::string line = " Q/H\" = A.H\" + B  with  A = ";
    AppendFixed(line, result.SlopeA, 6, 3);
    line += "    B =";
    AppendFixed(line, result.InterceptB, 7, 4);
    line += "    H\" = H - E";
    return line;
}

std::string ConductivityLine(const TCalculationResults& result) {
    std::string line = " Ka = A*S^2/4 = ";
    AppendFixed(line, result.Ka, 6, 3);
    line += "   Kb = B*S^2/8*d = ";
    AppendFixed(line, result.Kb, 6, 3);
    line += "  with d = ";
    AppendFixed(line, result.EquivalentDepth, 6, 3);
    return line;
}

// The reader's words are those of the input-file writer that cannot create
// its file.
std::string CouldNotOpenOutputMessage(const std::string& name) {
    return CouldNotCreateMessage(name);
}

// An output file has five short lines. Far more than that is no output file,
// and holding it whole (a string per line, a line in the text box each) could
// cost many times its size.
constexpr std::size_t MaxOutputLines = 10000;
constexpr std::size_t MaxOutputCharacters = 1024 * 1024;

std::string TooLargeMessage(const std::string& name) {
    return "The file \"" + name + "\" is too large to be an output file and was not read.";
}

// False as soon as the file proves larger than an output file can be.
bool ReadLimitedLines(TTextScanner& scanner, LineSet& lines) {
    std::size_t characters = 0;
    std::string line;
    while (scanner.ReadLine(line, MaxOutputCharacters - characters)) {
        characters += line.size();
        if (characters > MaxOutputCharacters || lines.size() == MaxOutputLines) {
            return false;
        }
        lines.push_back(std::move(line));
    }
    return true;
}

} // namespace

std::string FormatOutputFile(const std::string& outputPath, const TCalculationResults& result) {
    std::string out;
    for (const std::string& line :
         {" File: " + PathOnOneLine(outputPath), std::string(OptionTitle(result.Option)),
          RegressionLine(result), ConductivityLine(result),
          std::string(" (see Intro and Figure tabs)")}) {
        out += line;
        out += LineEnd;
    }
    return out;
}

TOutputWritten WriteOutputFile(const TCalculationResults& result, TDMTylwen& store,
                               TFileWriteSeam& seam) {
    const std::string outputName = ChangeDataFileExt(store.FileName, ".out");
    const std::string inputName = ChangeDataFileExt(store.FileName, ".inp");
    if (LeadToSameFile(inputName, outputName)) {
        throw EInOutError(SameFileMessage(inputName, outputName));
    }
    std::string text = FormatOutputFile(outputName, result);
    const TWriteResult written = WriteFileSafely(outputName, text, seam);
    if (!written.Succeeded()) {
        throw EInOutError("The output file \"" + outputName +
                          "\" could not be written: " + written.Reason);
    }
    store.FileName = outputName;
    return {inputName, outputName, std::move(text)};
}

std::string ConfirmationMessage(const TOutputWritten& written) {
    return "The input is saved in " + written.InputName +
           "   Calculations were done and the output is saved in  " + written.OutputName;
}

LineSet OutputLinesOf(const std::string& text) {
    LineSet lines;
    std::size_t start = 0;
    for (std::size_t end = text.find(LineEnd); end != std::string::npos;
         end = text.find(LineEnd, start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

std::optional<TFileMessage> ReadOutputLines(const std::string& name, TDMTylwen& store) {
    TTextScanner scanner(name);
    if (!scanner.IsOpen()) {
        return TFileMessage{CouldNotOpenOutputMessage(name), false};
    }
    LineSet lines;
    if (!ReadLimitedLines(scanner, lines)) {
        return TFileMessage{TooLargeMessage(name), false};
    }
    const auto count = static_cast<std::int32_t>(lines.size());
    // An empty file leaves the earlier lines in place, unread.
    if (count > 0) {
        store.OutputLines = std::move(lines);
    }
    store.NrOfOutputLines = count;
    return std::nullopt;
}
