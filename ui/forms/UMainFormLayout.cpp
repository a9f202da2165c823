// The pages of the main window and their controls, at the places and sizes
// the calculator has always had (pixels at 96 dots per inch).
#include "UMainForm.h"

#include "UAnchors.h"
#include "UDataGrid.h"
#include "UFonts.h"
#include "UPictures.h"
#include "UTextField.h"

#include <QAction>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QLabel* NewLabel(QWidget* page, const char* name, const char* text, int left, int top) {
    auto* label = new QLabel(QString::fromUtf8(text), page);
    label->setObjectName(QString::fromUtf8(name));
    label->setTextFormat(Qt::PlainText);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QLabel* NewWrappedLabel(QWidget* page, const char* name, const char* text, QRect place) {
    QLabel* label = NewLabel(page, name, text, place.left(), place.top());
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(place);
    return label;
}

TTextField* NewField(QWidget* page, const char* name, const char* text, const QLabel* caption,
                     QRect place) {
    auto* field = new TTextField(QString::fromUtf8(text), page);
    field->setObjectName(QString::fromUtf8(name));
    field->setGeometry(place);
    field->setAccessibleName(caption->text().simplified());
    return field;
}

QPushButton* NewButton(QWidget* page, const char* name, const char* caption, QRect place,
                       int fontPixels) {
    auto* button = new QPushButton(QString::fromUtf8(caption), page);
    button->setObjectName(QString::fromUtf8(name));
    button->setGeometry(place);
    button->setFont(PixelFont(QStringLiteral("Tahoma"), fontPixels));
    button->setAccessibleName(button->text());
    return button;
}

// The picture scaled into the control's place; a picture that could not be
// decoded leaves the control empty.
void ShowPicture(QLabel& image, const QImage& picture) {
    if (!picture.isNull()) {
        image.setPixmap(QPixmap::fromImage(
            picture.scaled(image.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
}

QLabel* NewPicture(QWidget* page, const char* name, const QPixmap& picture, QRect place,
                   const char* description) {
    auto* image = new QLabel(page);
    image->setObjectName(QString::fromUtf8(name));
    image->setGeometry(place);
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image->setAccessibleName(QString::fromUtf8(description));
    image->setPixmap(picture);
    return image;
}

QFont OutputMemoFont() {
    return PixelFont(QStringLiteral("Courier New"), 13);
}

QWidget* NewPage(QTabWidget* pages, const char* name, const char* caption) {
    auto* page = new QWidget(pages);
    page->setObjectName(QString::fromUtf8(name));
    page->setAccessibleName(QString::fromUtf8(caption).trimmed());
    pages->addTab(page, QString::fromUtf8(caption));
    return page;
}

} // namespace

void TMainForm::CreatePages() {
    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    PageControl1 = new QTabWidget(client);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setAccessibleName(QStringLiteral("Pages"));
    PageControl1->tabBar()->setAccessibleName(QStringLiteral("Pages"));
    layout->addWidget(PageControl1);
    setCentralWidget(client);
    CreateIntroPage();
    CreateFigurePage();
    CreateInputPage();
    CreateOutputPage();
    CreateReportPage();
    CreateDesignPage();
}

void TMainForm::CreateIntroPage() {
    Intro_Tabsheet = NewPage(PageControl1, "Intro_Tabsheet", " Intro ");
    Intro_Memo = new QPlainTextEdit(Intro_Tabsheet);
    Intro_Memo->setObjectName(QStringLiteral("Intro_Memo"));
    Intro_Memo->setGeometry(48, 16, 505, 449);
    Intro_Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Intro_Memo->setReadOnly(true);
    // One point smaller than the window, so that the text's lines, laid out
    // with blanks, keep their shape instead of wrapping.
    Intro_Memo->setFont(PixelFont(QStringLiteral("Tahoma"), 12));
    Intro_Memo->setPlainText(IntroText());
    Intro_Memo->setAccessibleName(QStringLiteral("Introduction"));
    LogoImage =
        NewPicture(Intro_Tabsheet, "LogoImage", QPixmap(), {584, 360, 109, 96}, "Soravik logo");
    ShowPicture(*LogoImage, LoadLogo());
}

void TMainForm::CreateFigurePage() {
    Figure_TabSheet = NewPage(PageControl1, "Figure_TabSheet", " Figure ");
    Image2 = NewPicture(Figure_TabSheet, "Image2", QPixmap(), {8, 16, 681, 449},
                        "Cross-section of a drained field");
}

// What the first page does not show, the cross-section and the output text's
// font, is loaded when its page is first shown, so the window appears sooner.
void TMainForm::PreparePage(const QWidget* page) {
    if (page == Figure_TabSheet && Image2->pixmap().isNull()) {
        ShowPicture(*Image2, LoadCrossSection());
    } else if (page == Output_TabSheet && Output_Memo->font() != OutputMemoFont()) {
        Output_Memo->setFont(OutputMemoFont());
    }
}

void TMainForm::CreateInputPage() {
    Input = NewPage(PageControl1, "Input", "Input");
    CreateInputGridArea();
    CreateSiteConstantFields();
    CreateCalculationChoice();
    CreateInputButtons();
    SetInputTabOrder();
}

void TMainForm::CreateInputGridArea() {
    Label7 = NewLabel(Input, "Label7", "Nr. of data sets", 56, 8);
    Edit1 = NewField(Input, "Edit1", std::to_string(DefaultTableRows).c_str(), Label7,
                     {56, 24, 89, 24});
    Label5 = NewLabel(Input, "Label5", "Depth water table", 200, 32);
    Label6 = NewLabel(Input, "Label6", "- - - - - - - - - - - ", 200, 48);
    Label1 = NewWrappedLabel(Input, "Label1", "Serial number", {64, 80, 44, 32});
    Label2 = NewWrappedLabel(Input, "Label2", "Drain discharge mm/day", {128, 64, 59, 48});
    Label3 = NewWrappedLabel(Input, "Label3", "midway between drains (m)", {200, 64, 53, 64});
    Label4 = NewWrappedLabel(Input, "Label4", "near  the drains  (m)", {264, 64, 35, 64});
    DataGrid = new TDataGrid(Input);
    DataGrid->setGeometry(56, 128, 281, 353);
    DataGrid->setAccessibleName(QStringLiteral("Data sets"));
    DataGrid->SetRowCount(DefaultTableRows);
}

void TMainForm::CreateSiteConstantFields() {
    Label9 = NewLabel(Input, "Label9", "Drain depth (m)", 376, 32);
    Edit2 = NewField(Input, "Edit2", "1.2", Label9, {376, 56, 89, 24});
    Label11 =
        NewWrappedLabel(Input, "Label11", "Depth to the impermable layer (m)", {376, 96, 74, 48});
    Edit3 = NewField(Input, "Edit3", "10", Label11, {376, 152, 89, 24});
    Edit3->setToolTip(QStringLiteral("Taken as the thickness of the layer below drain level: "
                                     "measured from the surface, subtract the drain depth"));
    Label12 = NewWrappedLabel(Input, "Label12", "Drain spacing (m) ", {376, 192, 81, 32});
    Edit4 = NewField(Input, "Edit4", "30", Label12, {376, 232, 89, 24});
    Label13 = NewLabel(Input, "Label13", "Drain radius (m)", 376, 272);
    Edit5 = NewField(Input, "Edit5", "0.1", Label13, {376, 296, 89, 24});
}

void TMainForm::CreateCalculationChoice() {
    Panel1 = new QFrame(Input);
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

void TMainForm::CreateInputButtons() {
    Label10 =
        NewWrappedLabel(Input, "Label10", "Data can be pasted form clipboard", {344, 360, 73, 48});
    QFont italic = PixelFont(QStringLiteral("Tahoma"), 13);
    italic.setItalic(true);
    Label10->setFont(italic);
    // The logo decoded once for the Intro page.
    Image1 = NewPicture(Input, "Image1", LogoImage->pixmap(), {528, 320, 109, 96}, "Soravik logo");
    Button2 = NewButton(Input, "Button2", "Save - calculate", {424, 464, 129, 25}, 16);
    Button1 = NewButton(Input, "Button1", "Open input", {576, 464, 91, 25}, 16);
}

void TMainForm::SetInputTabOrder() {
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

void TMainForm::CreateOutputPage() {
    Output_TabSheet = NewPage(PageControl1, "Output_TabSheet", " Output ");
    Output_Memo = new QPlainTextEdit(Output_TabSheet);
    Output_Memo->setObjectName(QStringLiteral("Output_Memo"));
    Output_Memo->setGeometry(22, 16, 609, 113);
    Output_Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    Output_Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Output_Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Output_Memo->setReadOnly(true);
    Output_Memo->setAccessibleName(QStringLiteral("Output file"));
    new TAnchorLeftTopRight(*Output_Memo);
    Output_Memo->hide();
    GraphImage = NewPicture(Output_TabSheet, "GraphImage", QPixmap(), {24, 144, 607, 313},
                            "Regression graph");
    GraphImage->hide();
    SeeOutput_Button =
        NewButton(Output_TabSheet, "SeeOutput_Button", "Open output", {602, 476, 97, 25}, 13);
    SeeOutput_Button->setToolTip(OutputOpen->toolTip());
}
