#include "UBatchArguments.h"

#include "UExcludeOption.h"
#include "UMessageText.h"
#include "UPrintableText.h"

#include <algorithm>
#include <iostream>
#include <set>

namespace {

constexpr int ExitWrongUsage = 2;

std::optional<TCalculationOption> ParseOption(const std::string& value) {
    if (value == "1") {
        return TCalculationOption::OverEntireSoilDepth;
    }
    if (value == "2") {
        return TCalculationOption::AboveAndBelowDrains;
    }
    return std::nullopt;
}

std::optional<TOutputFormat> ParseFormat(const std::string& value) {
    if (value == "text") {
        return TOutputFormat::Text;
    }
    if (value == "json") {
        return TOutputFormat::Json;
    }
    if (value == "csv") {
        return TOutputFormat::Csv;
    }
    return std::nullopt;
}

// The value of the option `name` when words[i] is it, as "--name VALUE"
// (i then moves to the value) or "--name=VALUE"; empty when the value is
// missing, which no option takes.
std::optional<std::string> OptionValue(const std::vector<std::string>& words, std::size_t& i,
                                       const std::string& name) {
    const std::string& word = words[i];
    if (word == name) {
        return i + 1 < words.size() ? words[++i] : std::string();
    }
    if (word.rfind(name + "=", 0) == 0) {
        return word.substr(name.size() + 1);
    }
    return std::nullopt;
}

class TArgumentParser {
public:
    TArgumentParser(const char* usage, TBatchArguments& arguments)
        : usage_(usage), arguments_(arguments) {}

    std::optional<int> Parse(const std::vector<std::string>& words);

private:
    std::optional<int> TakeWord(const std::vector<std::string>& words, std::size_t& i);
    std::optional<int> TakeSingle(const std::string& name, const std::string& value);
    std::optional<int> TakeExclude(const std::string& value);
    std::optional<int> CheckTogether();
    int WrongUsage(const std::string& reason) const;

    const char* usage_;
    TBatchArguments& arguments_;
    std::set<std::string> given_;
    bool optionsEnded_ = false;
};

int TArgumentParser::WrongUsage(const std::string& reason) const {
    std::cerr << "soravik-calc: " << EscapeControls(WithFullStop(reason)) << '\n'
              << usage_ << "Try 'soravik-calc --help' for more information.\n";
    return ExitWrongUsage;
}

// --option, --format and --design hold one value each: a second one would
// silently replace the first.
std::optional<int> TArgumentParser::TakeSingle(const std::string& name, const std::string& value) {
    if (!given_.insert(name).second) {
        return WrongUsage(name + " is given more than once: give it once");
    }
    if (name == "--option") {
        const std::optional<TCalculationOption> option = ParseOption(value);
        if (!option) {
            return WrongUsage("--option needs the value 1 or 2");
        }
        arguments_.Option = *option;
    } else if (name == "--format") {
        const std::optional<TOutputFormat> format = ParseFormat(value);
        if (!format) {
            return WrongUsage("--format needs the value text, json or csv");
        }
        arguments_.Print.Format = *format;
    } else {
        std::string refusal;
        arguments_.Print.Design = ParseDesignDuty(value, refusal);
        if (!arguments_.Print.Design || !refusal.empty()) {
            return WrongUsage(refusal.empty()
                                  ? "--design needs two numbers Q_MM_DAY,H_M such as 7,0.5"
                                  : "--design: " + refusal);
        }
    }
    return std::nullopt;
}

// Every --exclude adds its data sets to those of the others.
std::optional<int> TArgumentParser::TakeExclude(const std::string& value) {
    const std::optional<std::vector<std::size_t>> serials = ParseSerialList(value);
    if (!serials) {
        return WrongUsage("--exclude needs data set numbers separated by commas, as 3,7");
    }
    std::vector<std::size_t>& excluded = arguments_.Excluded;
    excluded.insert(excluded.end(), serials->begin(), serials->end());
    std::sort(excluded.begin(), excluded.end());
    excluded.erase(std::unique(excluded.begin(), excluded.end()), excluded.end());
    return std::nullopt;
}

std::optional<int> TArgumentParser::TakeWord(const std::vector<std::string>& words,
                                             std::size_t& i) {
    const std::string& word = words[i];
    if (optionsEnded_ || word.size() < 2 || word[0] != '-') {
        arguments_.Files.push_back(word);
    } else if (word == "--") {
        optionsEnded_ = true;
    } else if (word == "--help" || word == "-h") {
        arguments_.Help = true;
    } else if (word == "--stats") {
        arguments_.Print.Statistics = true;
    } else if (const std::optional<std::string> value = OptionValue(words, i, "--exclude")) {
        return TakeExclude(*value);
    } else {
        for (const char* name : {"--option", "--format", "--design"}) {
            if (const std::optional<std::string> value = OptionValue(words, i, name)) {
                return TakeSingle(name, *value);
            }
        }
        return WrongUsage("unknown option '" + word + "'");
    }
    return std::nullopt;
}

std::optional<int> TArgumentParser::CheckTogether() {
    const TPrintChoice& print = arguments_.Print;
    if (!arguments_.Help && arguments_.Files.empty()) {
        return WrongUsage("no input file given");
    }
    if (!arguments_.Excluded.empty() && !print.Statistics && print.Format == TOutputFormat::Text) {
        return WrongUsage("--exclude changes only the statistics: use it with --stats, "
                          "--format json or --format csv");
    }
    if (print.Design && print.Format == TOutputFormat::Csv) {
        return WrongUsage("--design is given with text or JSON, not in the CSV table");
    }
    return std::nullopt;
}

std::optional<int> TArgumentParser::Parse(const std::vector<std::string>& words) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (const std::optional<int> status = TakeWord(words, i)) {
            return status;
        }
    }
    return CheckTogether();
}

} // namespace

std::optional<int> ParseBatchArguments(const std::vector<std::string>& words, const char* usage,
                                       TBatchArguments& arguments) {
    return TArgumentParser(usage, arguments).Parse(words);
}
