// The Design page in the main window: after the Report page, filled by every
// calculation, its site constants taken from the Input page until then.
#include "UMainForm.h"

#include "UDMTylwen.h"
#include "UDesignPage.h"
#include "UResults.h"

#include <QTabWidget>

namespace {

const char* const DesignStatusText = "The drain spacing that keeps the water table at the allowed "
                                     "height h for the design discharge.";

} // namespace

void TMainForm::CreateDesignPage() {
    Design_TabSheet = new TDesignPage(*results_, PageControl1);
    Design_TabSheet->setObjectName(QStringLiteral("Design_TabSheet"));
    Design_TabSheet->setAccessibleName(QStringLiteral("Design"));
    PageControl1->addTab(Design_TabSheet, QStringLiteral(" Design "));
}

void TMainForm::Design_TabSheetShow() {
    ShowStatus(DesignStatusText);
    Design_TabSheet->PrefillSite(DMTylwen.DrainDepth, DMTylwen.ImpermeableDepth,
                                 DMTylwen.DrainRadius);
}
