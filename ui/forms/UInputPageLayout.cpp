// The Input page's controls, at the places and sizes the calculator has
// always had (pixels at 96 dots per inch).
#include "UInputPage.h"

#include "UDataGrid.h"
#include "UFonts.h"
#include "UPageControls.h"
#include "UTextField.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

void TInputPage::CreateControls(const QPixmap& logo) {
    CreateGridArea();
    CreateSiteConstantFields();
    CreateCalculationChoice();
    CreateButtons(logo);
    SetTabOrder();
}

void TInputPage::CreateGridArea() {
    Label7 = NewLabel(this, "Label7", "Nr. of data sets", 56, 8);
    Edit1 =
        NewField(this, "Edit1", std::to_string(DefaultTableRows).c_str(), Label7, {56, 24, 89, 24});
    Label5 = NewLabel(this, "Label5", "Depth water table", 200, 32);
    Label6 = NewLabel(this, "Label6", "- - - - - - - - - - - ", 200, 48);
    Label1 = NewWrappedLabel(this, "Label1", "Serial number", {64, 80, 44, 32});
    Label2 = NewWrappedLabel(this, "Label2", "Drain discharge mm/day", {128, 64, 59, 48});
    Label3 = NewWrappedLabel(this, "Label3", "midway between drains (m)", {200, 64, 53, 64});
    Label4 = NewWrappedLabel(this, "Label4", "near  the drains  (m)", {264, 64, 35, 64});
    DataGrid = new TDataGrid(this);
    DataGrid->setGeometry(56, 128, 281, 353);
    DataGrid->setAccessibleName(QStringLiteral("Data sets"));
    DataGrid->SetRowCount(DefaultTableRows);
}

void TInputPage::CreateSiteConstantFields() {
    Label9 = NewLabel(this, "Label9", "Drain depth (m)", 376, 32);
    Edit2 = NewField(this, "Edit2", "1.2", Label9, {376, 56, 89, 24});
    Label11 =
        NewWrappedLabel(this, "Label11", "Depth to the impermable layer (m)", {376, 96, 74, 48});
    Edit3 = NewField(this, "Edit3", "10", Label11, {376, 152, 89, 24});
    Edit3->setToolTip(QStringLiteral("Taken as the thickness of the layer below drain level: "
                                     "measured from the surface, subtract the drain depth"));
    Label12 = NewWrappedLabel(this, "Label12", "Drain spacing (m) ", {376, 192, 81, 32});
    Edit4 = NewField(this, "Edit4", "30", Label12, {376, 232, 89, 24});
    Label13 = NewLabel(this, "Label13", "Drain radius (m)", 376, 272);
    Edit5 = NewField(this, "Edit5", "0.1", Label13, {376, 296, 89, 24});
}

void TInputPage::CreateCalculationChoice() {
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(488, 120, 209, 137);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setAccessibleName(QStringLiteral("Calculation"));
    QPalette highlight = Panel1->palette();
    highlight.setColor(QPalette::Window, highlight.color(QPalette::Highlight));
    highlight.setColor(QPalette::WindowText, highlight.color(QPalette::HighlightedText));
    Panel1->setPalette(highlight);
    Panel1->setAutoFillBackground(true);

    Label8 = NewWrappedLabel(Panel1, "Label8",
                             "  To calculate the hydraulic      conductivity:", {8, 8, 166, 32});
    RadioGroup1 = new QGroupBox(QStringLiteral("Make selection"), Panel1);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setGeometry(8, 48, 185, 73);
    RadioGroup1->setFocusPolicy(Qt::NoFocus);
    RadioButton1 = new QRadioButton(QStringLiteral("Over enntire soil depth"), Panel1);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton1->setGeometry(16, 72, 161, 17);
    RadioButton1->setChecked(true);
    RadioButton1->setAccessibleName(RadioButton1->text().trimmed());
    RadioButton2 = new QRadioButton(QStringLiteral("Above and below drains "), Panel1);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    RadioButton2->setGeometry(16, 96, 169, 17);
    RadioButton2->setAccessibleName(RadioButton2->text().trimmed());
}

void TInputPage::CreateButtons(const QPixmap& logo) {
    Label10 =
        NewWrappedLabel(this, "Label10", "Data can be pasted form clipboard", {344, 360, 73, 48});
    QFont italic = PixelFont(QStringLiteral("Tahoma"), 13);
    italic.setItalic(true);
    Label10->setFont(italic);
    // The logo decoded once for the Intro page.
    Image1 = NewPicture(this, "Image1", logo, {528, 320, 109, 96}, "Soravik logo");
    Button2 = NewButton(this, "Button2", "Save - calculate", {424, 464, 129, 25}, 16);
    Button1 = NewButton(this, "Button1", "Open input", {576, 464, 91, 25}, 16);
}

void TInputPage::SetTabOrder() {
    QWidget::setTabOrder(DataGrid, Edit1);
    QWidget::setTabOrder(Edit1, RadioButton1);
    QWidget::setTabOrder(RadioButton1, RadioButton2);
    QWidget::setTabOrder(RadioButton2, Button1);
    QWidget::setTabOrder(Button1, Button2);
    QWidget::setTabOrder(Button2, Edit2);
    QWidget::setTabOrder(Edit2, Edit3);
    QWidget::setTabOrder(Edit3, Edit4);
    QWidget::setTabOrder(Edit4, Edit5);
}
