#include "UNiceScale.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <locale>
#include <sstream>

namespace {

// 1, 2 or 5 times a power of ten, at least `rough`.
double NiceStep(double rough) {
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double multiple : {1.0, 2.0, 5.0, 10.0}) {
        if (multiple * power >= rough * (1.0 - 1e-9)) {
            return multiple * power;
        }
    }
    return 10.0 * power;
}

int DecimalsOf(double step) {
    return std::clamp(static_cast<int>(std::ceil(-std::log10(step) - 1e-9)), 0, 12);
}

} // namespace

int TNiceScale::Intervals() const {
    return std::max(1, static_cast<int>(std::lround((High - Low) / Step)));
}

TNiceScale NiceScale(double low, double high, int maxIntervals) {
    if (!std::isfinite(low) || !std::isfinite(high)) {
        low = 0.0;
        high = 1.0;
    }
    if (low > high) {
        std::swap(low, high);
    }
    if (high - low <= 1e-12 * std::max(std::fabs(low), std::fabs(high))) {
        const double room = low == 0.0 ? 1.0 : std::fabs(low) * 0.1;
        low -= room;
        high += room;
    }
    TNiceScale scale;
    scale.Step = NiceStep((high - low) / std::max(1, maxIntervals));
    scale.Low = std::floor(low / scale.Step + 1e-9) * scale.Step;
    scale.High = std::ceil(high / scale.Step - 1e-9) * scale.Step;
    scale.Decimals = DecimalsOf(scale.Step);
    return scale;
}

std::string NiceTickLabel(const TNiceScale& scale, int k) {
    double value = scale.Tick(k);
    // A tick that lands on zero by cancellation is zero, not "-0.0".
    if (std::fabs(value) < scale.Step * 1e-6) {
        value = 0.0;
    }
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << std::fixed << std::setprecision(scale.Decimals) << value;
    return text.str();
}
