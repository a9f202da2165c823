// Axis ranges with "nice" ticks: steps of 1, 2 or 5 times a power of ten,
// for the report's graph, whose axes read the same m and 1/day as its tables.
#pragma once

#include <string>

struct TNiceScale {
    double Low = 0.0;
    double High = 1.0;
    double Step = 1.0;
    // Decimals that show every tick of this step exactly.
    int Decimals = 0;

    int Intervals() const;
    double Tick(int k) const { return Low + Step * k; }
};

// The smallest range of whole steps that holds `low` to `high`, with no more
// than about `maxIntervals` intervals. An empty or non-finite range is
// widened to something that can be drawn.
TNiceScale NiceScale(double low, double high, int maxIntervals);

// A tick label: fixed-point with the scale's decimals, "." as separator and
// never "-0".
std::string NiceTickLabel(const TNiceScale& scale, int k);
