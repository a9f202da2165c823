// The saved forms of a report, as bytes ready to be written safely: the PDF
// document to hand in, and the regression graph as a picture or a drawing.
#pragma once

#include "UReportContents.h"

#include <QByteArray>
#include <QDateTime>

// An A4 PDF: title, date, the input and output file names, the site
// constants, the results with their intervals, the graph as vectors and the
// table of data sets with their residuals (continued on further pages).
QByteArray ReportPdf(const TReportContents& contents, const QDateTime& made);

// The graph bitmap as the Output page shows it, as PNG.
QByteArray GraphPng(const TReportContents& contents);

// The graph as an SVG drawing of the same 607 x 313 size.
QByteArray GraphSvg(const TReportContents& contents);
