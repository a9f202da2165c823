// What a person at the window might type or choose, drawn from one seeded
// stream so that a session replays from its seed alone. Every draw advances
// the stream, so the order of the calls is part of the session.
#pragma once

#include <QString>

#include <random>
#include <string>
#include <vector>

class TRandomUser {
public:
    explicit TRandomUser(std::mt19937::result_type seed) : random_(seed) {}

    // The stream itself, for the dialogs that answer questions at random.
    std::mt19937& Stream() { return random_; }

    int Pick(int count) { return static_cast<int>(random_() % static_cast<unsigned>(count)); }
    bool Chance(int percent) { return Pick(100) < percent; }
    template <typename T> const T& PickFrom(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Pick(static_cast<int>(items.size())))];
    }
    double Uniform(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random_);
    }

    // Texts a person might type into a value cell.
    std::string CellText();
    std::string CountText();
    // Mostly what fits a drained field: the drain depth below every water
    // table of the blocks pasted, the spacing and the layer well beyond it.
    std::string ConstantText(int field);
    // A block as a spreadsheet copies it: plausible depths most of the time,
    // CR LF, LF or CR line ends, now and then a decimal comma, an empty field
    // or more than three columns.
    QString SpreadsheetBlock();
    QString JunkBlock();

private:
    std::string Junk(int length, const std::string& characters);

    std::mt19937 random_;
};
