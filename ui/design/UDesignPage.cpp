#include "UDesignPage.h"

#include "UNumberText.h"
#include "UResultText.h"
#include "UShownText.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTableWidget>

#include <cmath>
#include <map>

namespace {

constexpr int FieldLeft = 290;
constexpr int RowPitch = 32;
constexpr int TopRow = 12;

const char* const EarlierCaption = "Use Ka and Kb of the last calculation with the first option";
const char* const RefusedText = "No drain spacing: see the message beside the field.";
const char* const NothingTypedText = "Type the design discharge and the allowed height h to see "
                                     "the drain spacing.";

QLabel* NewText(QWidget* page, const char* name, const char* accessibleName, QRect place) {
    auto* label = new QLabel(page);
    label->setObjectName(QString::fromUtf8(name));
    label->setAccessibleName(QString::fromUtf8(accessibleName));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(place);
    return label;
}

// Where calculated Ka and Kb come from: the calculation's own fit, or the
// what-if fit without the data sets `leftOut`.
QString CalculatedSource(const std::vector<std::size_t>& leftOut) {
    if (leftOut.empty()) {
        return QStringLiteral("Ka and Kb from the last calculation.");
    }
    return QStringLiteral("Ka and Kb of the what-if fit without %1 %2.")
        .arg(leftOut.size() == 1 ? QStringLiteral("data set") : QStringLiteral("data sets"),
             QString::fromStdString(SerialList(leftOut)));
}

// What the note under the fields says of Ka and Kb.
QString SourceText(bool hasCalculation, bool typed, bool secondOptionWithoutConfirmation,
                   bool earlierExists, const std::vector<std::size_t>& leftOut) {
    if (typed) {
        return QStringLiteral("Ka and Kb are typed, not calculated: the design has no range.");
    }
    if (secondOptionWithoutConfirmation) {
        return QString::fromUtf8(SecondOptionDesignNote) +
               (earlierExists ? QString()
                              : QStringLiteral(" No calculation with the first option has run "
                                               "yet: type Ka and Kb."));
    }
    return hasCalculation ? CalculatedSource(leftOut)
                          : QStringLiteral("Type Ka and Kb, or calculate them on the Input page.");
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QString General(double value) {
    return Text(FormatGeneral(value));
}

} // namespace

TDesignPage::TDesignPage(TResults& results, QWidget* parent) : QWidget(parent), results_(results) {
    connect(&results_, &TResults::Changed, this, &TDesignPage::ResultsChanged);
}

// The page is made before it first shows, so its controls show with it.
void TDesignPage::setVisible(bool visible) {
    if (visible) {
        Build();
    }
    QWidget::setVisible(visible);
}

// A page not yet built reads the results object when it is.
void TDesignPage::ResultsChanged(TResultsChange change) {
    const std::optional<TDesignInputs>& inputs = results_.DesignInputs();
    if (!IsBuilt() || !inputs) {
        return;
    }
    if (change == TResultsChange::Calculation) {
        ShowCalculation(*inputs);
    } else if (change == TResultsChange::WhatIf) {
        ShowFit(*inputs);
    }
}

void TDesignPage::Build() {
    if (IsBuilt()) {
        return;
    }
    Discharge_Edit = AddField(0, "Discharge_Edit", "Design discharge q (mm/day)",
                              "The discharge the drains must carry off, in mm/day as in the data "
                              "sets");
    Head_Edit = AddField(1, "Head_Edit", "Allowed height h of the water table (m)",
                         "The highest the water table may stand midway between the drains, "
                         "measured from drain level");
    DrainDepth_Edit = AddField(2, "DrainDepth_Edit", "Drain depth (m)",
                               "Depth of the drains below the surface; only tells where the water "
                               "table midway then lies");
    Impermeable_Edit = AddField(3, "Impermeable_Edit", "Layer below drain level D (m)",
                                "The thickness of the layer below drain level, as the calculation "
                                "takes the depth to the impermeable layer: measured from the "
                                "surface, subtract the drain depth");
    Radius_Edit = AddField(4, "Radius_Edit", "Drain radius r (m)", "Radius of the new drains");
    Ka_Edit = AddField(5, "Ka_Edit", "Ka, conductivity above drain level (m/day)",
                       "From the last calculation; may be typed over");
    Kb_Edit = AddField(6, "Kb_Edit", "Kb, conductivity below drain level (m/day)",
                       "From the last calculation; may be typed over");
    UseEarlier_CheckBox = new QCheckBox(QString::fromUtf8(EarlierCaption), this);
    UseEarlier_CheckBox->setObjectName(QStringLiteral("UseEarlier_CheckBox"));
    UseEarlier_CheckBox->setAccessibleName(UseEarlier_CheckBox->text());
    UseEarlier_CheckBox->setGeometry(16, TopRow + 7 * RowPitch, 683, 22);
    UseEarlier_CheckBox->hide();
    connect(UseEarlier_CheckBox, &QCheckBox::toggled, this, [this] { Refresh(true); });
    CreateResult();
    Recalculate();
    if (results_.DesignInputs()) {
        ShowCalculation(*results_.DesignInputs());
    }
}

QLineEdit* TDesignPage::AddField(int row, const char* name, const char* caption, const char* tip) {
    const int top = TopRow + row * RowPitch;
    QLabel* label = NewText(this, "", caption, {16, top + 4, FieldLeft - 24, 24});
    label->setText(QString::fromUtf8(caption));
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromUtf8(name));
    edit->setAccessibleName(QString::fromUtf8(caption));
    edit->setToolTip(QString::fromUtf8(tip));
    edit->setGeometry(FieldLeft, top, 89, 24);
    label->setBuddy(edit);
    const std::string messageName = std::string(name) + "_Message";
    QLabel* message = NewText(this, messageName.c_str(), "", {FieldLeft + 100, top, 310, 30});
    QPalette red = message->palette();
    red.setColor(QPalette::WindowText, Qt::darkRed);
    message->setPalette(red);
    fields_.push_back({edit, message});
    connect(edit, &QLineEdit::textChanged, this, [this] { Refresh(false); });
    return edit;
}

void TDesignPage::CreateResult() {
    Source_Label = NewText(this, "Source_Label", "Source of Ka and Kb",
                           {16, TopRow + 7 * RowPitch + 26, 683, 34});
    // Three lines of bold type: a design that no spacing meets says why.
    Spacing_Label = NewText(this, "Spacing_Label", "Drain spacing", {16, 306, 440, 48});
    QFont bold = Spacing_Label->font();
    bold.setBold(true);
    Spacing_Label->setFont(bold);
    Range_Label = NewText(this, "Range_Label", "Range of the drain spacing", {16, 358, 440, 50});
    WaterTable_Label = NewText(this, "WaterTable_Label", "Water table midway", {16, 412, 440, 34});
    Heights_Table = new QTableWidget(0, 2, this);
    Heights_Table->setObjectName(QStringLiteral("Heights_Table"));
    Heights_Table->setAccessibleName(QStringLiteral("Drain spacing for each allowed height"));
    Heights_Table->setGeometry(470, 300, 229, 192);
    Heights_Table->setHorizontalHeaderLabels({QStringLiteral("h (m)"), QStringLiteral("L (m)")});
    Heights_Table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    Heights_Table->verticalHeader()->hide();
    Heights_Table->verticalHeader()->setMinimumSectionSize(18);
    Heights_Table->verticalHeader()->setDefaultSectionSize(18);
    Heights_Table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Heights_Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the table; the arrow keys move inside it.
    Heights_Table->setTabKeyNavigation(false);
}

void TDesignPage::PrefillSite(double drainDepth, double impermeableDepth, double drainRadius) {
    Build();
    for (const auto& [edit, value] :
         {std::pair{DrainDepth_Edit, drainDepth}, std::pair{Impermeable_Edit, impermeableDepth},
          std::pair{Radius_Edit, drainRadius}}) {
        if (edit->text().isEmpty()) {
            edit->setText(General(value));
        }
    }
}

void TDesignPage::ShowCalculation(const TDesignInputs& inputs) {
    earlierFirstOption_ = inputs.EarlierFirstOption;
    const bool firstOption = inputs.Fit->Option == TCalculationOption::OverEntireSoilDepth;
    {
        const QSignalBlocker blocker(UseEarlier_CheckBox);
        UseEarlier_CheckBox->setChecked(false);
    }
    UseEarlier_CheckBox->setVisible(!firstOption && earlierFirstOption_);
    for (QLineEdit* edit : {DrainDepth_Edit, Impermeable_Edit, Radius_Edit}) {
        edit->clear();
    }
    PrefillSite(inputs.DrainDepth, inputs.ImpermeableDepth, inputs.DrainRadius);
    ShowFit(inputs);
}

void TDesignPage::ShowFit(const TDesignInputs& inputs) {
    last_ = inputs.Fit;
    leftOut_ = inputs.LeftOut;
    Refresh(true);
}

void TDesignPage::FillConductivities() {
    conductivities_.reset();
    if (last_) {
        conductivities_ = DesignConductivitiesOf(*last_, earlierFirstOption_.get(),
                                                 UseEarlier_CheckBox->isChecked());
    }
    // Four digits fit the field; the design takes the full values while the
    // fields still show them.
    filledKa_ = conductivities_ ? Text(ReportNumberText(conductivities_->Ka)) : QString();
    filledKb_ = conductivities_ ? Text(ReportNumberText(conductivities_->Kb)) : QString();
    const QSignalBlocker blockKa(Ka_Edit);
    const QSignalBlocker blockKb(Kb_Edit);
    Ka_Edit->setText(filledKa_);
    Kb_Edit->setText(filledKb_);
    // A long number shows its leading digits.
    Ka_Edit->setCursorPosition(0);
    Kb_Edit->setCursorPosition(0);
}

std::optional<TDesignSection> TDesignPage::ReportSection() const {
    return view_ ? std::optional<TDesignSection>(DesignSectionOf(*view_)) : refused_;
}

bool TDesignPage::ConductivitiesTyped() const {
    return !conductivities_ || Ka_Edit->text() != filledKa_ || Kb_Edit->text() != filledKb_;
}

// The message beside a field is also the field's description, so that a
// screen reader tells it with the field.
void TDesignPage::ShowMessage(QLineEdit* edit, const QString& message) {
    for (const TField& field : fields_) {
        if (field.Edit == edit) {
            SetShownText(*field.Message, message);
            if (edit->accessibleDescription() != message) {
                edit->setAccessibleDescription(message);
            }
        }
    }
}

std::optional<double> TDesignPage::FieldValue(QLineEdit* edit, const QString& message) {
    const std::string text = edit->text().toStdString();
    if (edit->text().trimmed().isEmpty()) {
        return std::nullopt;
    }
    try {
        const double value = StringToFloat(text);
        if (std::isfinite(value)) {
            return value;
        }
    } catch (const std::exception&) {
    }
    ShowMessage(edit, message);
    SetShownText(*Spacing_Label, QString::fromUtf8(RefusedText));
    return std::nullopt;
}

std::optional<double> TDesignPage::ConductivityValue(QLineEdit* edit, const QString& filled,
                                                     double calculated, const QString& message) {
    if (conductivities_ && edit->text() == filled) {
        return calculated;
    }
    return FieldValue(edit, message);
}

std::optional<TDesignView> TDesignPage::DesignOfFields() {
    const QString notANumber = QStringLiteral("Not a number: type digits with \".\" or \",\"");
    const std::optional<double> q = FieldValue(Discharge_Edit, notANumber);
    const std::optional<double> h = FieldValue(Head_Edit, notANumber);
    const std::optional<double> depth = FieldValue(DrainDepth_Edit, notANumber);
    const std::optional<double> D = FieldValue(Impermeable_Edit, notANumber);
    const std::optional<double> r = FieldValue(Radius_Edit, notANumber);
    const std::optional<double> ka = ConductivityValue(
        Ka_Edit, filledKa_, conductivities_ ? conductivities_->Ka : 0.0, notANumber);
    const std::optional<double> kb = ConductivityValue(
        Kb_Edit, filledKb_, conductivities_ ? conductivities_->Kb : 0.0, notANumber);
    if (!(q && h && depth && D && r && ka && kb)) {
        return std::nullopt;
    }
    TDesignView view;
    view.Request = {*q, *h, *ka, *kb, *D, *r};
    view.DrainDepth = *depth;
    const TDesignResult result = DesignSpacing(view.Request);
    if (!result.Spacing) {
        ShowRefusal(result.Refusal);
        // The values make a design, but no spacing meets it: the report says why.
        if (result.Refusal.Field == TDesignField::Spacing) {
            refused_ =
                RefusedDesignSectionOf(view.Request, ConductivitiesTyped(), result.Refusal.Message);
        }
        return std::nullopt;
    }
    view.Spacing = *result.Spacing;
    view.Typed = ConductivitiesTyped();
    if (!view.Typed && conductivities_->KaInterval && conductivities_->KbInterval) {
        view.Range =
            DesignRange(view.Request, *conductivities_->KaInterval, *conductivities_->KbInterval);
    } else if (!view.Typed) {
        view.Range.Reason = "The data do not bound the spacing: the calculation gave no 95 % "
                            "intervals of Ka and Kb.";
    }
    view.Table = DesignTable(view.Request);
    return view;
}

void TDesignPage::ShowRefusal(const TDesignRefusal& refusal) {
    const std::map<TDesignField, QLineEdit*> fieldEdits = {
        {TDesignField::Discharge, Discharge_Edit},
        {TDesignField::Head, Head_Edit},
        {TDesignField::Ka, Ka_Edit},
        {TDesignField::Kb, Kb_Edit},
        {TDesignField::ImpermeableDepth, Impermeable_Edit},
        {TDesignField::DrainRadius, Radius_Edit}};
    const auto field = fieldEdits.find(refusal.Field);
    if (field == fieldEdits.end()) {
        SetShownText(*Spacing_Label, Text(refusal.Message));
        return;
    }
    ShowMessage(field->second, Text(refusal.Message));
    SetShownText(*Spacing_Label, QString::fromUtf8(RefusedText));
}

// What the signals of the fields run: nothing may escape into Qt's event loop.
void TDesignPage::Refresh(bool refillConductivities) {
    try {
        if (refillConductivities) {
            FillConductivities();
        }
        Recalculate();
    } catch (...) {
        view_.reset();
        refused_.reset();
        ClearResult();
        SetShownText(*Spacing_Label, QStringLiteral("The design could not be calculated."));
    }
}

void TDesignPage::Recalculate() {
    for (const TField& field : fields_) {
        ShowMessage(field.Edit, QString());
    }
    ClearResult();
    view_.reset();
    refused_.reset();
    view_ = DesignOfFields();
    const bool secondOption =
        last_ && last_->Option == TCalculationOption::AboveAndBelowDrains && !conductivities_;
    const bool typed = ConductivitiesTyped() && !Ka_Edit->text().isEmpty();
    // Ka and Kb of the earlier first option are no what-if of this fit.
    const bool fromEarlier = last_ && last_->Option == TCalculationOption::AboveAndBelowDrains;
    SetShownText(*Source_Label,
                 SourceText(last_ != nullptr, typed, secondOption, earlierFirstOption_ != nullptr,
                            fromEarlier ? std::vector<std::size_t>() : leftOut_));
    if (view_) {
        ShowView(*view_);
    }
}

void TDesignPage::ClearResult() {
    SetShownText(*Spacing_Label, QString::fromUtf8(NothingTypedText));
    SetShownText(*Range_Label, QString());
    SetShownText(*WaterTable_Label, QString());
    Heights_Table->setRowCount(0);
}

void TDesignPage::ShowView(const TDesignView& view) {
    SetShownText(*Spacing_Label, DesignSpacingText(view));
    SetShownText(*Range_Label, DesignRangeText(view));
    SetShownText(*WaterTable_Label, DesignWaterTableText(view));
    Heights_Table->setRowCount(static_cast<int>(view.Table.size()));
    for (int row = 0; row < Heights_Table->rowCount(); ++row) {
        const TDesignTableRow& line = view.Table[static_cast<std::size_t>(row)];
        auto* head = new QTableWidgetItem(ReportNumber(line.Head));
        auto* spacing = new QTableWidgetItem(DesignTableCell(line));
        head->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        spacing->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Heights_Table->setItem(row, 0, head);
        Heights_Table->setItem(row, 1, spacing);
    }
}
