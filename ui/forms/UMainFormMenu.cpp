// The commands of the main window (ActionList1) and the menu (MainMenu1) whose
// entries run them. The commands are not placed in any widget: only the menu
// entries carry live shortcuts, so a key is never bound twice.
#include "UMainForm.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

struct TCommandDefinition {
    const char* Name;
    const char* Caption;
    const char* Hint;
    QKeySequence Shortcut;
};

// A hint "short|long" gives the tooltip before the bar and the status text after it.
void ApplyHint(QAction* action, const char* hint) {
    const QString text = QString::fromUtf8(hint);
    const qsizetype bar = text.indexOf(QLatin1Char('|'));
    action->setToolTip(bar < 0 ? text : text.left(bar));
    action->setStatusTip(bar < 0 ? text : text.mid(bar + 1));
}

QAction* NewCommand(QObject* list, const TCommandDefinition& command) {
    auto* action = new QAction(QString::fromUtf8(command.Caption), list);
    action->setObjectName(QString::fromUtf8(command.Name));
    ApplyHint(action, command.Hint);
    action->setShortcut(command.Shortcut);
    return action;
}

// A menu entry mirrors its command's caption, hint and enabled state and runs it.
QAction* NewEntry(QMenu* menu, const char* name, QAction* command, const char* ownHint = nullptr,
                  QKeySequence ownShortcut = {}) {
    QAction* entry = menu->addAction(command->text());
    entry->setObjectName(QString::fromUtf8(name));
    entry->setToolTip(command->toolTip());
    entry->setStatusTip(command->statusTip());
    if (ownHint) {
        ApplyHint(entry, ownHint);
    }
    entry->setShortcut(ownShortcut.isEmpty() ? command->shortcut() : ownShortcut);
    entry->setEnabled(command->isEnabled());
    QObject::connect(command, &QAction::changed, entry,
                     [entry, command] { entry->setEnabled(command->isEnabled()); });
    QObject::connect(entry, &QAction::triggered, command, &QAction::trigger);
    return entry;
}

} // namespace

void TMainForm::CreateCommands() {
    ActionList1 = new QObject(this);
    ActionList1->setObjectName(QStringLiteral("ActionList1"));
    InputOpen = NewCommand(ActionList1, {"InputOpen", "&InputOpen", "Open an existing datafile",
                                         QKeySequence(Qt::CTRL | Qt::Key_I)});
    InputSave =
        NewCommand(ActionList1, {"InputSave", "Input&Save", "Save the data into a datafile", {}});
    OutputOpen = NewCommand(ActionList1, {"OutputOpen", "&OutputOpen", "Open an output file",
                                          QKeySequence(Qt::CTRL | Qt::Key_O)});
    GraphOpen = NewCommand(ActionList1,
                           {"GraphOpen", "&GraphOpen", "", QKeySequence(Qt::CTRL | Qt::Key_G)});
    GraphOpen->setEnabled(false);
    ImportTable = NewCommand(ActionList1, {"ImportTable",
                                           "I&mport table…",
                                           "Fill the grid from a spreadsheet's CSV or text file",
                                           {}});
    SaveReport = NewCommand(ActionList1,
                            {"SaveReport", "Save &report…", "Save the report as a PDF file", {}});
    SaveReport->setEnabled(false);
    SaveGraph = NewCommand(
        ActionList1,
        {"SaveGraph", "Save gra&ph…", "Save the regression graph as a PNG or SVG file", {}});
    SaveGraph->setEnabled(false);
    // Ctrl+X is Cut everywhere: a key meant to cut a value must never end the
    // program with the typed data; Exit takes the desktop's quit key.
    FileExit1 = NewCommand(ActionList1, {"FileExit1", "ProgramE&xit", "Exit|Quits the application",
                                         QKeySequence(Qt::CTRL | Qt::Key_Q)});
    EditCut1 = NewCommand(ActionList1, {"EditCut1", "Cu&t",
                                        "Cut|Cuts the selection and puts it on the Clipboard",
                                        QKeySequence(Qt::CTRL | Qt::Key_X)});
    EditCopy1 = NewCommand(ActionList1, {"EditCopy1", "&Copy",
                                         "Copy|Copies the selection and puts it on the Clipboard",
                                         QKeySequence(Qt::CTRL | Qt::Key_C)});
    EditPaste1 =
        NewCommand(ActionList1, {"EditPaste1", "&Paste", "Paste|Inserts Clipboard contents",
                                 QKeySequence(Qt::CTRL | Qt::Key_V)});
    EditDelete1 = NewCommand(ActionList1, {"EditDelete1", "&Delete", "Delete|Erases the selection",
                                           QKeySequence(Qt::Key_Delete)});
    HelpGuide = NewCommand(ActionList1, {"HelpGuide", "Soravik &Help",
                                         "Help|The user guide at the chapter of this page",
                                         QKeySequence(Qt::Key_F1)});
    HelpAbout = NewCommand(
        ActionList1,
        {"HelpAbout", "&About Soravik", "About|The version, the licence and the Qt version", {}});
}

void TMainForm::CreateMenu() {
    QMenuBar* MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    FileMenu = MainMenu1->addMenu(QStringLiteral("File"));
    FileMenu->setToolTipsVisible(true);
    InputOpen1 = NewEntry(FileMenu, "InputOpen1", InputOpen);
    InputSave1 =
        NewEntry(FileMenu, "InputSave1", InputSave, nullptr, QKeySequence(Qt::CTRL | Qt::Key_S));
    OpenOutput1 = NewEntry(FileMenu, "OpenOutput1", OutputOpen);
    GraphOpen1 = NewEntry(FileMenu, "GraphOpen1", GraphOpen, "Open a graphis file");
    ImportTable1 = NewEntry(FileMenu, "ImportTable1", ImportTable);
    FileMenu->addSeparator();
    SaveReport1 = NewEntry(FileMenu, "SaveReport1", SaveReport);
    SaveGraph1 = NewEntry(FileMenu, "SaveGraph1", SaveGraph);
    FileMenu->addSeparator();
    ProgramExit = NewEntry(FileMenu, "ProgramExit", FileExit1, "Exit|Quit the application");

    EditMenu = MainMenu1->addMenu(QStringLiteral("&Edit"));
    EditMenu->setToolTipsVisible(true);
    Cut = NewEntry(EditMenu, "Cut", EditCut1);
    Copy = NewEntry(EditMenu, "Copy", EditCopy1);
    Paste = NewEntry(EditMenu, "Paste", EditPaste1);
    Delete = NewEntry(EditMenu, "Delete", EditDelete1);

    HelpMenu = MainMenu1->addMenu(QStringLiteral("&Help"));
    HelpMenu->setToolTipsVisible(true);
    SoravikHelp1 = NewEntry(HelpMenu, "SoravikHelp1", HelpGuide);
    AboutSoravik1 = NewEntry(HelpMenu, "AboutSoravik1", HelpAbout);
}
