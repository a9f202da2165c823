// The saved forms of a report, as bytes ready to be written safely: the PDF
// document to hand in, and the report's graph as a picture or a drawing. Each
// is told its progress and may be stopped; a stopped one gives nothing.
#pragma once

#include "UReportContents.h"

#include <QByteArray>
#include <QDateTime>
#include <QSize>

#include <cstddef>
#include <optional>

// Longer tables of data sets show only their first and last KeptAtEachEnd
// rows: the output file holds them all.
constexpr std::size_t FullTableLimit = 2000;
constexpr std::size_t KeptAtEachEnd = 1000;

constexpr int DefaultGraphDotsPerInch = 300;
constexpr int LeastGraphDotsPerInch = 50;
constexpr int MostGraphDotsPerInch = 1200;

// An A4 PDF: title, date, the input and output file names, the site
// constants, the results with their intervals, the graph, the table of data
// sets with their residuals and an appendix with the data sets as entered;
// every page ends in one line with the program, the date, the input file
// and the method.
std::optional<QByteArray> ReportPdf(const TReportContents& contents, const QDateTime& made,
                                    const TPaintProgress& progress = {});

// The graph, 16 x 10 cm, as a PNG picture of `dotsPerInch` that says so.
QSize GraphPngPixels(int dotsPerInch);
std::optional<QByteArray> GraphPng(const TReportContents& contents,
                                   int dotsPerInch = DefaultGraphDotsPerInch,
                                   const TPaintProgress& progress = {});

// The graph as an SVG drawing whose canvas is the drawing's.
QSize GraphSvgSize();
std::optional<QByteArray> GraphSvg(const TReportContents& contents,
                                   const TPaintProgress& progress = {});
