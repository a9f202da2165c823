// The two axes of the regression graph: their largest values, scale factor,
// end, tick intervals, decimals and titles, derived anew at every drawing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TAxisScale {
    double Max = 0.0;
    double Min = 0.0;
    std::int32_t Top = 0;
    std::int32_t Bottom = 0;
    std::int32_t Factor = 0;
    std::int32_t Intervals = 0;
    std::int32_t Decimals = 0;
    std::string Title;
    // Max lies beyond the largest whole step that the 32-bit Top can hold:
    // the end is held there, and no value of the axis can be placed on it.
    bool TooLarge = false;
};

// Vertical axis: Q/H" (1/day).
extern TAxisScale QHAxis;
// Horizontal axis: H" (m).
extern TAxisScale HeadAxis;
extern std::int32_t PlotWidth;
extern std::int32_t PlotHeight;

// Round to the nearest integer, an exact half to the even neighbour.
std::int32_t Round(double value);

// The three steps of every drawing, always called together in this order.
// The maxima are those of the first `nrOfDataSets` H" and Q/H".
void FindGraphMaxima(const std::vector<double>& heads, const std::vector<double>& qh,
                     std::int32_t nrOfDataSets);
void ScaleGraphAxes();
void SetAxisTitles();
