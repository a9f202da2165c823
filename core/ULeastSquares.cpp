#include "ULeastSquares.h"

#include "UArithmetic.h"

#include <algorithm>
#include <cmath>

namespace {

bool InFit(const TLineData& data, std::size_t i) {
    return !data.InFit || data.InFit->empty() || (i < data.InFit->size() && (*data.InFit)[i]);
}

std::size_t LastIndex(const TLineData& data) {
    return std::min({data.Count, data.Head.size(), data.QH.size()});
}

// Sxx and Sxy about the means, with the absolute sums that tell how much of
// them rounding can have made.
struct TSquares {
    double Head = 0.0;
    double Cross = 0.0;
    std::size_t Count = 0;
    TAbsoluteSums Absolute;
};

template <typename Arithmetic> TSquares SquaresOf(const TLineData& data, const TMeans& means) {
    using A = Arithmetic;
    TSquares squares;
    for (std::size_t i = 0; i < LastIndex(data); ++i) {
        if (InFit(data, i)) {
            const double dx = A::Sub(data.Head[i], means.Head);
            const double dy = A::Sub(data.QH[i], means.QH);
            squares.Head = A::Add(squares.Head, A::Mul(dx, dx));
            squares.Cross = A::Add(squares.Cross, A::Mul(dy, dx));
            squares.Absolute.Add(dx, dy);
            ++squares.Count;
        }
    }
    return squares;
}

} // namespace

template <typename Arithmetic> TMeans MeansOf(const TLineData& data) {
    using A = Arithmetic;
    double sumQH = 0.0;
    double sumHead = 0.0;
    std::size_t count = 0;
    for (std::size_t i = 0; i < LastIndex(data); ++i) {
        if (InFit(data, i)) {
            sumQH = A::Add(sumQH, data.QH[i]);
            sumHead = A::Add(sumHead, data.Head[i]);
            ++count;
        }
    }
    TMeans means;
    means.QH = A::Div(sumQH, static_cast<double>(count));
    means.Head = A::Div(sumHead, static_cast<double>(count));
    return means;
}

template <typename Arithmetic>
bool FitLeastSquaresLine(const TLineData& data, const TMeans& means, const TOneHeadTest& oneHead,
                         double& slope, double& intercept) {
    using A = Arithmetic;
    const TSquares squares = SquaresOf<A>(data, means);
    const TDataSetNoise noise =
        NoiseOfDataSets(data.Head, data.QH, data.Count,
                        data.InFit ? *data.InFit : std::vector<bool>(), data.DepthScale);
    if (oneHead(std::sqrt(squares.Head / static_cast<double>(squares.Count)), noise)) {
        return false;
    }
    TLineFit line{means.Head, means.QH, squares.Head, A::Div(squares.Cross, squares.Head),
                  squares.Count};
    const double slopeNoise = SlopeNoise(line, squares.Absolute, noise);
    line.Slope = ZeroButForRounding(line.Slope, slopeNoise);
    slope = line.Slope;
    intercept = ZeroButForRounding(InterceptThroughMeans<A>(means, slope),
                                   InterceptNoise(line, slopeNoise, noise));
    return true;
}

template <typename Arithmetic> double InterceptThroughMeans(const TMeans& means, double slope) {
    return Arithmetic::Sub(means.QH, Arithmetic::Mul(slope, means.Head));
}

template <typename Arithmetic> double SlopeThroughOrigin(const TMeans& means) {
    return Arithmetic::Div(means.QH, means.Head);
}

template TMeans MeansOf<TCheckedArithmetic>(const TLineData&);
template TMeans MeansOf<TPlainArithmetic>(const TLineData&);
template bool FitLeastSquaresLine<TCheckedArithmetic>(const TLineData&, const TMeans&,
                                                      const TOneHeadTest&, double&, double&);
template bool FitLeastSquaresLine<TPlainArithmetic>(const TLineData&, const TMeans&,
                                                    const TOneHeadTest&, double&, double&);
template double InterceptThroughMeans<TCheckedArithmetic>(const TMeans&, double);
template double InterceptThroughMeans<TPlainArithmetic>(const TMeans&, double);
template double SlopeThroughOrigin<TCheckedArithmetic>(const TMeans&);
template double SlopeThroughOrigin<TPlainArithmetic>(const TMeans&);
