#include "UBatchHelp.h"

#include "UBatchCsv.h"
#include "UBatchReport.h"
#include "UResultText.h"

#include <vector>

const char* const UsageLine =
    "Usage: soravik-calc [--option 1|2] [--format text|json|csv] [--stats]\n"
    "                   [--design Q_MM_DAY,H_M] [--exclude N,N...] FILE...\n";

namespace {

const char* const HelpBeforeJson =
    "\n"
    "Calculates the hydraulic conductivity of a drained soil from input files of the\n"
    "Soravik calculator. Each FILE is read as its \".inp\" file (the extension is\n"
    "replaced), its water-table depths are checked, it is calculated as by a freshly\n"
    "started program, and the \".out\" file is written beside it and printed.\n"
    "\n"
    "Method: the Hooghoudt equation Q = (8 Kb d H\" + 4 Ka H\"^2) / S^2 is fitted as the\n"
    "line Q/H\" = A H\" + B by least squares, giving Ka = A S^2 / 4 and Kb = B S^2 / (8 d).\n"
    "\n"
    "Options:\n"
    "  --option 1  over the entire soil depth: least-squares line, Ka and Kb (default)\n"
    "  --option 2  above and below drains: slope through the origin and the mean point\n"
    "              only; Ka and Kb are not computed and are reported as 0 (in JSON\n"
    "              B, Ka and Kb are null)\n"
    "  --format text\n"
    "              print each file's five output lines (default)\n"
    "  --format json\n";

const char* const HelpBeforeCsv =
    "  --format csv\n"
    "              print a table instead, for a spreadsheet: a heading line and one\n"
    "              line per file with the columns\n";

const char* const HelpAfterCsv =
    "              (n: the data sets in the fit; suspect: their serial numbers and\n"
    "              warnings: their codes, each separated by blanks); numbers as in\n"
    "              JSON, empty where JSON has null; a file that fails gives file and\n"
    "              error; fields quoted as RFC 4180 has it, lines ended by CR LF\n"
    "  --stats     with text, print the fit statistics below each file's lines: R^2,\n"
    "              the residual deviation s, standard errors and 95 % intervals, the\n"
    "              suspect data sets (Bonferroni p of the studentized residual below\n"
    "              0.05), the influential ones (Cook's distance above the median of\n"
    "              F(2, n-2)) and warnings in plain words\n"
    "  --exclude N,N...\n"
    "              what-if: the statistics, JSON and CSV without these data sets\n"
    "              (serial numbers; given more than once, they add up); the output\n"
    "              file is still the calculation of every data set; needs --stats,\n"
    "              --format json or --format csv\n"
    "  --design Q_MM_DAY,H_M\n"
    "              add the drain spacing L (m) that keeps the water table midway at\n"
    "              H_M m above drain level for a design discharge of Q_MM_DAY mm/day,\n"
    "              from the file's own Ka, Kb, D and r, with d at L and the range of L\n"
    "              from the 95 % intervals of Ka and Kb (in JSON the object \"design\":\n"
    "              q_mm_day, h, L, d, L_range, or q_mm_day, h, error); option 2 makes\n"
    "              no design; not with --format csv\n"
    "  --help      show this text\n"
    "\n"
    "--option, --format and --design are given at most once each.\n"
    "The output file is the same in every format. Messages go to standard error.\n"
    "Exit status: 0 when every file was calculated and printed, 1 when any failed\n"
    "(the others are still done; running out of memory fails that file alone) or\n"
    "standard output could not be written, 2 for wrong usage.\n";

// Indented below the option it belongs to.
constexpr std::size_t Indent = 14;

// `words` on lines no longer than `width` where they fit, each indented.
std::string Wrapped(const std::vector<std::string>& words, std::size_t width) {
    const std::string indent(Indent, ' ');
    std::string lines;
    std::string line = indent;
    for (const std::string& word : words) {
        if (line.size() > Indent && line.size() + 1 + word.size() > width) {
            lines += line + "\n";
            line = indent;
        }
        line += (line.size() > Indent ? " " : "") + word;
    }
    return lines + line + "\n";
}

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::size_t start = 0;
    for (std::size_t blank = text.find(' '); blank != std::string::npos;
         blank = text.find(' ', start)) {
        words.push_back(text.substr(start, blank - start));
        start = blank + 1;
    }
    words.push_back(text.substr(start));
    return words;
}

std::string Joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
        text += (text.empty() ? "" : ", ") + item;
    }
    return text;
}

// The keys every object has and those of the first option, in the order
// written: "file, output_file, ...; with option 1 also r_squared, ...; then
// excluded, warnings and data". The keys of a name that is no UTF-8 are left
// to the manual page, the design's to --design.
std::string JsonKeyText() {
    std::vector<std::vector<std::string>> runs;
    std::vector<TJsonPresence> kinds;
    for (const TJsonKey& key : JsonFileKeys()) {
        if (key.Presence != TJsonPresence::Always && key.Presence != TJsonPresence::LeastSquares) {
            continue;
        }
        if (kinds.empty() || kinds.back() != key.Presence) {
            runs.emplace_back();
            kinds.push_back(key.Presence);
        }
        runs.back().push_back(key.Name);
    }
    std::string text;
    for (std::size_t k = 0; k < runs.size(); ++k) {
        if (k == 0) {
            text += Joined(runs[k]);
        } else if (kinds[k] == TJsonPresence::LeastSquares) {
            text += "; with option 1 also " + Joined(runs[k]);
        } else {
            text += "; then " + ListInWords(runs[k]);
        }
    }
    return text;
}

// soravik-calc(1) tells every field.
std::string JsonParagraph() {
    return "print one JSON array for the whole run instead, each file's object as soon as that "
           "file is done (" +
           JsonKeyText() +
           ", one object per data set), numbers in full precision; a file that fails gives file "
           "and error (see soravik-calc(1) for every field)";
}

std::vector<std::string> ColumnWords() {
    std::vector<std::string> words = CsvColumns();
    for (std::size_t k = 0; k + 1 < words.size(); ++k) {
        words[k] += ",";
    }
    return words;
}

} // namespace

std::string HelpText() {
    // The JSON paragraph keeps within 78 columns, the list of columns within 80.
    return std::string(UsageLine) + HelpBeforeJson + Wrapped(Words(JsonParagraph()), 78) +
           HelpBeforeCsv + Wrapped(ColumnWords(), 80) + HelpAfterCsv;
}
