// The Design page: from the conductivities to new drains in the same soil.
// For a design discharge and an allowed height of the water table midway it
// shows the drain spacing with its range, d at that spacing and the spacing
// for other heights, recalculated as the fields change. The site constants
// come from the last calculation, Ka and Kb from the fit the Report page
// shows (the what-if fit while data sets are left out of it); all may be
// typed over. The page builds its controls only when first shown or asked
// for them, and follows the results object whether built or not.
#pragma once

#include "UDesignReport.h"
#include "UResults.h"

#include <QWidget>

#include <optional>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QTableWidget;

class TDesignPage : public QWidget {
    Q_OBJECT
public:
    explicit TDesignPage(TResults& results, QWidget* parent = nullptr);

    // Makes the page's controls, once; showing the page makes them first.
    void Build();
    bool IsBuilt() const { return Discharge_Edit != nullptr; }
    void setVisible(bool visible) override;
    // A calculation has run: its site constants and conductivities fill the
    // fields.
    void ShowCalculation(const TDesignInputs& inputs);
    // Data sets were left out of the fit or put back: Ka and Kb of the fit
    // now shown fill their fields; the other fields keep what they hold.
    void ShowFit(const TDesignInputs& inputs);
    // The site constants in fields that are still empty, before any calculation.
    void PrefillSite(double drainDepth, double impermeableDepth, double drainRadius);
    // The design for the saved report; nothing while the page has no result.
    std::optional<TDesignSection> ReportSection() const;

    QLineEdit* Discharge_Edit = nullptr;
    QLineEdit* Head_Edit = nullptr;
    QLineEdit* DrainDepth_Edit = nullptr;
    QLineEdit* Impermeable_Edit = nullptr;
    QLineEdit* Radius_Edit = nullptr;
    QLineEdit* Ka_Edit = nullptr;
    QLineEdit* Kb_Edit = nullptr;
    QCheckBox* UseEarlier_CheckBox = nullptr;
    QLabel* Source_Label = nullptr;
    QLabel* Spacing_Label = nullptr;
    QLabel* Range_Label = nullptr;
    QLabel* WaterTable_Label = nullptr;
    QTableWidget* Heights_Table = nullptr;

private:
    struct TField {
        QLineEdit* Edit;
        QLabel* Message;
    };

    void ResultsChanged(TResultsChange change);
    QLineEdit* AddField(int row, const char* name, const char* caption, const char* tip);
    void CreateResult();
    void FillConductivities();
    void Refresh(bool refillConductivities);
    void Recalculate();
    std::optional<TDesignView> DesignOfFields();
    std::optional<double> FieldValue(QLineEdit* edit, const QString& message);
    std::optional<double> ConductivityValue(QLineEdit* edit, const QString& filled,
                                            double calculated, const QString& message);
    void ShowRefusal(const TDesignRefusal& refusal);
    void ShowView(const TDesignView& view);
    void ClearResult();
    void ShowMessage(QLineEdit* edit, const QString& message);
    bool ConductivitiesTyped() const;

    TResults& results_;
    std::vector<TField> fields_;
    TSharedFit last_;
    TSharedFit earlierFirstOption_;
    // The data sets left out of last_, as the Report page shows it.
    std::vector<std::size_t> leftOut_;
    std::optional<TDesignConductivities> conductivities_;
    QString filledKa_;
    QString filledKb_;
    std::optional<TDesignView> view_;
    // The design that no spacing meets, for the saved report.
    std::optional<TDesignSection> refused_;
};
