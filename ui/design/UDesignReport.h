// What the Design page and the saved report say of a design, in the same
// words and numbers.
#pragma once

#include "UDrainDesign.h"
#include "UReportContents.h"

#include <QString>

#include <vector>

// A design that has a spacing, with everything shown beside it.
struct TDesignView {
    TDesignRequest Request;
    double DrainDepth = 0.0;
    // Ka and Kb typed by the user rather than taken from a calculation.
    bool Typed = false;
    TDesignSpacing Spacing;
    TDesignRange Range;
    std::vector<TDesignTableRow> Table;
};

QString DesignSpacingText(const TDesignView& view);
QString DesignRangeText(const TDesignView& view);
// Where the water table midway lies below the surface at the allowed height.
QString DesignWaterTableText(const TDesignView& view);
// The spacing of a table row, or why there is none.
QString DesignTableCell(const TDesignTableRow& row);

TDesignSection DesignSectionOf(const TDesignView& view);
// A design that no spacing meets: its values and the solver's message.
TDesignSection RefusedDesignSectionOf(const TDesignRequest& request, bool typed,
                                      const std::string& message);
