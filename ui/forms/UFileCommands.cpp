#include "UFileCommands.h"

#include "UCalculationResults.h"
#include "UDMTylwen.h"
#include "UFileNames.h"
#include "UInputPage.h"
#include "UMainFormControls.h"
#include "UOutputFile.h"
#include "UOutputPage.h"
#include "UResults.h"
#include "UTylwenUtils.h"
#include "UUnsavedWork.h"

#include <QFileInfo>

namespace {

QString OpeningStepName() {
    return QStringLiteral("opening of ") +
           QFileInfo(QString::fromStdString(DMTylwen.FileName)).fileName();
}

std::vector<TRawDataSet> RawDataOf(const TDMTylwen& store, std::size_t count) {
    std::vector<TRawDataSet> data;
    data.reserve(count);
    for (std::size_t serial = 1; serial <= count; ++serial) {
        const auto valueAt = [serial](const DataSetR& column) {
            return serial < column.size() ? column[serial] : 0.0;
        };
        data.push_back({valueAt(store.InputDischarge), valueAt(store.InputDepthMidway),
                        valueAt(store.InputDepthNear)});
    }
    return data;
}

} // namespace

TFileCommands::TFileCommands(TBaseForm& window, TUserDialogs& dialogs,
                             const TMemoryProbe* const& memory, const TFileCommandPages& pages,
                             TResults& results, TUnsavedWork& work)
    : window_(window), dialogs_(dialogs), memory_(memory), pages_(pages), results_(results),
      work_(work) {}

void TFileCommands::OpenInputFile(const std::string& fileName) {
    work_.RecordSettling(OpeningStepName, [&] { ShowChosenInputFile(fileName); });
}

void TFileCommands::OpenOutputFile(const std::string& fileName) {
    work_.RecordSettling(OpeningStepName, [&] { ShowChosenOutputFile(fileName); });
}

// The output file written, its lines on the Output page, and the results
// given to the pages: the Output page draws the graph, the Report and Design
// pages show them when they are built.
void TFileCommands::Calculate() {
    TCalculationResults results = CalculateResults(pages_.Input->SelectedOption());
    const TOutputWritten written = WriteOutputFile(results);
    ResultsAvailable = true;
    if (!OutputShown) {
        dialogs_.ShowMessage(ConfirmationMessage(written));
    }
    DMTylwen.OutputLines = OutputLinesOf(written.Text);
    DMTylwen.NrOfOutputLines = static_cast<std::int32_t>(DMTylwen.OutputLines.size());
    pages_.Output->LoadOutputMemo();
    ShowResults(std::make_shared<const TCalculationResults>(std::move(results)));
    pages_.Output->ShowCalculation(*pages_.Pages);
}

void TFileCommands::ShowResults(TSharedFit fit) {
    const TDMTylwen& store = DMTylwen;
    TReportContents contents;
    contents.OutputFileName = store.FileName;
    contents.InputFileName = ChangeDataFileExt(store.FileName, ".inp");
    contents.DrainDepth = store.DrainDepth;
    contents.ImpermeableDepth = store.ImpermeableDepth;
    contents.DrainSpacing = store.DrainSpacing;
    contents.DrainRadius = store.DrainRadius;
    contents.RawData = RawDataOf(store, fit->NrOfDataSets);
    contents.Statistics = std::move(fit);
    results_.Calculated(std::move(contents));
}
