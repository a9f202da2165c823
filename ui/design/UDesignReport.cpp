#include "UDesignReport.h"

namespace {

QString PerDay(double value, const char* unit) {
    return ReportNumber(value) + QString::fromUtf8(unit);
}

QString SourceOfConductivities(bool typed) {
    return typed ? QStringLiteral("typed") : QStringLiteral("from the calculation");
}

std::vector<TReportLine> RequestLines(const TDesignRequest& request, bool typed) {
    return {
        {QStringLiteral("Design discharge q"), PerDay(request.DischargeMmPerDay, " mm/day"), {}},
        {QStringLiteral("Allowed height h above drain level"), ReportMetres(request.Head), {}},
        {QStringLiteral("Ka (m/day)"), ReportNumber(request.Ka), SourceOfConductivities(typed)},
        {QStringLiteral("Kb (m/day)"), ReportNumber(request.Kb), SourceOfConductivities(typed)},
        {QStringLiteral("Layer below drain level D"), ReportMetres(request.ImpermeableDepth), {}},
        {QStringLiteral("Drain radius r"), ReportMetres(request.DrainRadius), {}},
    };
}

} // namespace

QString DesignSpacingText(const TDesignView& view) {
    return QStringLiteral("Drain spacing L = %1, with d = %2 at that spacing")
        .arg(ReportMetres(view.Spacing.Spacing), ReportMetres(view.Spacing.EquivalentDepth));
}

QString DesignRangeText(const TDesignView& view) {
    if (view.Typed) {
        return QStringLiteral("No range: Ka and Kb were typed, and the 95 % intervals belong to "
                              "the calculated ones.");
    }
    if (!view.Range.Bounded()) {
        return QString::fromStdString(view.Range.Reason);
    }
    return QStringLiteral("Range from the 95 % intervals of Ka and Kb: %1 to %2")
        .arg(ReportNumber(*view.Range.Narrowest), ReportMetres(*view.Range.Widest));
}

QString DesignWaterTableText(const TDesignView& view) {
    const double depth = view.DrainDepth - view.Request.Head;
    if (depth <= 0.0) {
        return QStringLiteral("Note: h reaches the surface or above it (drain depth %1).")
            .arg(ReportMetres(view.DrainDepth));
    }
    return QStringLiteral("The water table midway stays %1 below the surface.")
        .arg(ReportMetres(depth));
}

QString DesignTableCell(const TDesignTableRow& row) {
    return row.Result.Spacing ? ReportNumber(row.Result.Spacing->Spacing)
                              : QStringLiteral("no spacing");
}

TDesignSection DesignSectionOf(const TDesignView& view) {
    const TDesignRequest& request = view.Request;
    TDesignSection section;
    const QString range = view.Range.Bounded() && !view.Typed
                              ? ReportNumber(*view.Range.Narrowest) + QStringLiteral(" to ") +
                                    ReportMetres(*view.Range.Widest)
                              : QStringLiteral("not bounded");
    section.Lines = RequestLines(request, view.Typed);
    section.Lines.push_back(
        {QStringLiteral("Drain spacing L"), ReportMetres(view.Spacing.Spacing), range});
    section.Lines.push_back({QStringLiteral("Equivalent depth d at L"),
                             ReportMetres(view.Spacing.EquivalentDepth),
                             {}});
    for (const TDesignTableRow& row : view.Table) {
        section.Table.push_back(
            {QStringLiteral("L for h = %1").arg(ReportMetres(row.Head)), DesignTableCell(row), {}});
    }
    return section;
}

TDesignSection RefusedDesignSectionOf(const TDesignRequest& request, bool typed,
                                      const std::string& message) {
    TDesignSection section;
    section.Lines = RequestLines(request, typed);
    section.Lines.push_back({QStringLiteral("Drain spacing L"), QStringLiteral("none"), {}});
    section.Message = QString::fromStdString(message);
    return section;
}
