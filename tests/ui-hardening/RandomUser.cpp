#include "RandomUser.h"

#include <locale>
#include <sstream>

namespace {

std::string Fixed(double value, int decimals) {
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text.setf(std::ios::fixed);
    text.precision(decimals);
    text << value;
    return text.str();
}

} // namespace

std::string TRandomUser::CellText() {
    switch (Pick(8)) {
    case 0:
        return Fixed(Uniform(0.5, 20.0), 1);
    case 1:
        return Fixed(Uniform(0.1, 1.2), 2);
    case 2:
        return PickFrom<std::string>({"", " ", "abc", "1,5", "-0.2", "1e-3", "0", "+.5"});
    case 3:
        return Junk(1 + Pick(6), "0123456789.,-eE +x");
    default:
        return Fixed(Uniform(0.2, 1.1), 2);
    }
}

std::string TRandomUser::CountText() {
    if (Chance(60)) {
        return std::to_string(8 + Pick(40));
    }
    return PickFrom<std::string>({"", "9", "10", "abc", "$14", "0x1A", "-5", "100001", " 12"});
}

std::string TRandomUser::ConstantText(int field) {
    if (Chance(70)) {
        const double low[] = {1.25, 3.0, 10.0, 0.05};
        const double high[] = {2.0, 20.0, 60.0, 0.2};
        return Fixed(Uniform(low[field], high[field]), 2);
    }
    return PickFrom<std::string>({"1.2", "1,1", "10", "50", "0.1", "", "abc", "0", "5E0"});
}

QString TRandomUser::SpreadsheetBlock() {
    const std::string lineEnd = PickFrom<std::string>({"\r\n", "\r\n", "\n", "\r"});
    const int lines = 1 + Pick(30);
    const int fields = Chance(85) ? 3 : 1 + Pick(5);
    std::string block;
    for (int line = 0; line < lines; ++line) {
        const double midway = Uniform(0.1, 1.0);
        const double values[] = {Uniform(0.5, 20.0), midway, midway + Uniform(0.05, 0.5),
                                 Uniform(0.0, 9.0), Uniform(0.0, 9.0)};
        for (int field = 0; field < fields; ++field) {
            std::string text = Fixed(values[field], 2);
            if (Chance(3)) {
                text = Chance(50) ? "" : "1,25";
            }
            block += (field > 0 ? "\t" : "") + text;
        }
        if (line + 1 < lines || Chance(80)) {
            block += lineEnd;
        }
    }
    return QString::fromStdString(block);
}

QString TRandomUser::JunkBlock() {
    return QString::fromStdString(Junk(1 + Pick(60), "\t\r\n0123456789.,-eE abc"));
}

std::string TRandomUser::Junk(int length, const std::string& characters) {
    std::string junk;
    for (int i = 0; i < length; ++i) {
        junk += characters[static_cast<std::size_t>(Pick(static_cast<int>(characters.size())))];
    }
    return junk;
}
