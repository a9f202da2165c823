// How far the fitted line can be trusted: the spread of the data sets about
// it, the standard errors and 95 % intervals of A, B, Ka and Kb, and the data
// sets that lie so far from the line that they deserve a second look.
#pragma once

#include "UCalculation.h"
#include "UDMTylwen.h"

#include <cstddef>
#include <optional>
#include <vector>

// A data set whose residual exceeds this many residual standard deviations is
// suspect.
constexpr double SuspectLimit = 2.5;
// A data set whose Cook's distance exceeds this over n is influential.
constexpr double InfluenceLimit = 4.0;

struct TInterval {
    double Low = 0.0;
    double High = 0.0;
};

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

struct TFitStatistics {
    TCalculationOption Option = TCalculationOption::OverEntireSoilDepth;
    std::size_t NrOfDataSets = 0;
    double MeanHead = 0.0;
    double MeanQH = 0.0;
    double SlopeA = 0.0;
    double InterceptB = 0.0;
    double EquivalentDepth = 0.0;
    double Ka = 0.0;
    double Kb = 0.0;
    // H" and Q/H" of every data set in input order; with the first option
    // also the fitted Q/H" and the residual (measured minus fitted).
    std::vector<double> Head;
    std::vector<double> QH;
    std::vector<double> Fitted;
    std::vector<double> Residuals;
    // First option with at least three data sets only.
    std::optional<TSpreadStatistics> Spread;
    // Also absent when every Q/H" is the same: there is no variation to explain.
    std::optional<double> RSquared;
    // Serial numbers (from 1) of the data sets more than SuspectLimit residual
    // standard deviations from the line.
    std::vector<std::size_t> Suspect;
    // Serial numbers of the data sets that pull the line noticeably on their
    // own: Cook's distance above InfluenceLimit / n.
    std::vector<std::size_t> Influential;

    bool IsSuspect(std::size_t serial) const;
    bool IsInfluential(std::size_t serial) const;
    // Q/H" of the fitted line at `head`: through the origin with the second
    // option, which fits no intercept.
    double LineAt(double head) const;
    // The 95 % confidence band of the line at `head`, when there is a spread.
    std::optional<TInterval> BandAt(double head) const;
    // The residual in residual standard deviations, when there is a spread.
    std::optional<double> StandardizedResidual(std::size_t index) const;
};

// The statistics of the calculation that has just run: reads XValues,
// YValues, SlopeA, InterceptB, MeanX and MeanY as it left them, the count,
// the drain spacing and the conductivities from the store, and takes the
// equivalent depth it returned. Never raises: what cannot be estimated is left
// out.
TFitStatistics FitStatisticsOfLastCalculation(TCalculationOption option, double equivalentDepth,
                                              const TDMTylwen& store = DMTylwen);
