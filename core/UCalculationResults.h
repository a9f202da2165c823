// The result of a calculation as one value: the data sets, the line, Ka and
// Kb, and how far they can be trusted (the spread of the data sets about the
// line, the 95 % intervals, each data set's residual and influence, plain
// warnings). The output file, the graphs, the report, the what-if fit, the
// design and soravik-calc are all given it, so that none of them reads the
// shared regression variables.
#pragma once

#include "UCalculationOption.h"
#include "UOptionalNumber.h"

#include <cmath>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A data set whose Bonferroni p-value lies below this is suspect: that far
// from the line, scatter alone would put one of the n data sets less than
// once in twenty fits.
constexpr double SuspectLevel = 0.05;

// Fewer data sets than this in the fit give a rough result.
constexpr std::size_t EnoughDataSets = 10;

struct TInterval {
    double Low = 0.0;
    double High = 0.0;
};

// From value - halfWidth to value + halfWidth.
TInterval Around(double value, double halfWidth);

// The spread of the data sets about the line. A line has two unknowns, so it
// needs a third data set before there is any spread to estimate.
struct TSpreadStatistics {
    // Residual standard deviation s, with n - 2 degrees of freedom.
    double ResidualDeviation = 0.0;
    double SlopeError = 0.0;
    double InterceptError = 0.0;
    // The two-sided 95 % quantile of Student's t with n - 2 degrees of freedom.
    double StudentT = 0.0;
    TInterval SlopeInterval;
    TInterval InterceptInterval;
    TInterval KaInterval;
    TInterval KbInterval;
    // Sxx, the sum of the squared distances of H" from its mean: with s, n,
    // the mean H" and t it gives the confidence band of the line.
    double HeadSquares = 0.0;
};

// How one data set of the fit stands to the line. Each value is absent where
// it is undefined: too few data sets, no spread (s = 0) or a data set that
// alone fixes the line at its H" (leverage 1). A data set off a line on which
// every other one lies has an unbounded t (an infinity of the residual's sign)
// and a Bonferroni p of 0.
struct TDataSetInfluence {
    TOptionalNumber Leverage;
    // Internally studentized residual r = e / (s sqrt(1 - h)).
    TOptionalNumber Studentized;
    // Externally studentized residual t, with s estimated without the data
    // set, and its two-sided p-value from Student's t with n - 3 degrees of
    // freedom times n, at most 1.
    TOptionalNumber External;
    TOptionalNumber BonferroniP;
    bool ExternalUnbounded() const { return External && std::isinf(*External); }
    TOptionalNumber CooksDistance;
    // Ka and Kb of the line fitted without this data set.
    TOptionalNumber KaWithout;
    TOptionalNumber KbWithout;
};

// A warning in plain words with a code that other programs can rely on.
struct TFitWarning {
    std::string Code;
    std::string Text;
};

struct TCalculationResults {
    TCalculationOption Option = TCalculationOption::OverEntireSoilDepth;
    // Every data set of the calculation, in the fit or not.
    std::size_t NrOfDataSets = 0;
    // Over the data sets in the fit.
    double MeanHead = 0.0;
    double MeanQH = 0.0;
    double SlopeA = 0.0;
    double InterceptB = 0.0;
    double EquivalentDepth = 0.0;
    double DrainSpacing = 0.0;
    double Ka = 0.0;
    double Kb = 0.0;
    // The drain depth plus the largest height H or E: the size of the values
    // that the rounding of H" and Q/H" is judged by (DepthScale).
    double DepthScale = 0.0;
    // H" and Q/H" of every data set in input order; with the first option
    // also the fitted Q/H" and the residual (measured minus fitted).
    std::vector<double> Head;
    std::vector<double> QH;
    std::vector<double> Fitted;
    std::vector<double> Residuals;
    // Whether each data set is in the fit; a calculation fits them all.
    std::vector<bool> InFit;
    // Serial numbers (from 1) of the data sets left out, ascending.
    std::vector<std::size_t> Excluded;
    // First option with at least three data sets in the fit only.
    std::optional<TSpreadStatistics> Spread;
    // Also absent when every Q/H" is the same: there is no variation to explain.
    std::optional<double> RSquared;
    // The squares behind the spread or R^2 exceed the range of the
    // arithmetic: what is absent for it is too large to compute, not undefined.
    bool TooLarge = false;
    // One per data set; empty values for those left out of the fit.
    std::vector<TDataSetInfluence> Influence;
    // Cook's distance beyond this, the median of F with 2 and n - 2 degrees
    // of freedom, makes a data set influential.
    std::optional<double> InfluenceLimit;
    // Serial numbers of the suspect and of the influential data sets.
    std::vector<std::size_t> Suspect;
    std::vector<std::size_t> Influential;
    // Influential data sets of leverage 1: every other one lies at one H", so
    // the slope rests on it alone.
    std::vector<std::size_t> LineRestsOn;
    std::vector<TFitWarning> Warnings;

    bool IsSuspect(std::size_t serial) const;
    bool IsInfluential(std::size_t serial) const;
    bool IsInFit(std::size_t index) const;
    std::size_t NrInFit() const;
    // Q/H" of the fitted line at `head`: through the origin with the second
    // option, which fits no intercept.
    double LineAt(double head) const;
    // The 95 % confidence band of the line at `head`, when there is a spread.
    std::optional<TInterval> BandAt(double head) const;
    // The same for a caller that has counted the data sets in the fit once:
    // a band drawn at many places need not count a million flags each time.
    std::optional<TInterval> BandAt(double head, std::size_t nrInFit) const;
};

// A calculation's results as the window keeps them: made once, never changed
// and shared by the graph, the report, the what-if fit and the design page
// instead of copied to each (with a million data sets a copy takes 150 MB).
using TSharedFit = std::shared_ptr<const TCalculationResults>;
