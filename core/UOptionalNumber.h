// A number that may be absent, kept in the eight bytes of a double where
// std::optional<double> takes sixteen: every data set of a fit has seven of
// them, and a fit of a million data sets keeps 56 MB fewer. Absence is one
// signalling NaN that no arithmetic gives (its results are quiet NaNs), held
// as bits and never handed out as a number; every double, any other NaN
// included, is kept bit for bit. Reads and converts as std::optional<double>.
#pragma once

#include <cstdint>
#include <cstring>
#include <optional>

class TOptionalNumber {
public:
    TOptionalNumber() = default;
    TOptionalNumber(std::nullopt_t) {}
    TOptionalNumber(double value) : bits_(BitsOf(value)) {}
    TOptionalNumber(const std::optional<double>& value)
        : bits_(value ? BitsOf(*value) : AbsentBits) {}

    bool has_value() const { return bits_ != AbsentBits; }
    explicit operator bool() const { return has_value(); }
    // Needs has_value(), as std::optional's.
    double operator*() const {
        double value;
        std::memcpy(&value, &bits_, sizeof value);
        return value;
    }
    operator std::optional<double>() const {
        return has_value() ? std::optional<double>(**this) : std::nullopt;
    }

private:
    static std::uint64_t BitsOf(double value) {
        std::uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        return bits;
    }

    static constexpr std::uint64_t AbsentBits = 0x7FF4'0000'0000'0A5EULL;
    std::uint64_t bits_ = AbsentBits;
};
