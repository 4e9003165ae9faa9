// Every window as a user without a mouse or without sight meets it: each control has a name a
// screen reader can say, Tab reaches every control and comes back round, and the labels without
// an accelerator of their own move the focus with their shortcut keys.

#include "data/BuiltinRepertory.h"
#include "foundation/dialogs/MessageBoxes.h"
#include "foundation/grid/TableGrid.h"
#include "foundation/settings/SettingsStore.h"
#include "ui/CaseGrid.h"
#include "ui/CaseInputWindow.h"
#include "ui/FileCaseDialog.h"
#include "ui/PracticeFolderDialog.h"
#include "ui/QuestionWindow.h"
#include "ui/SymptomSearchWindow.h"
#include "ui/TextSearchWindow.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <functional>

using namespace telvarin;

namespace {

class NoHelp : public HelpViewer {
public:
    void showHelpTopic(int, QWidget*) override {}
};

// The controls a user works with: shown, enabled, taking the focus by Tab, and not a part of
// another control (the field of a combo box, the viewport of a table).
QList<QWidget*> controlsOf(QWidget& window) {
    QList<QWidget*> controls;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window) || !widget->isEnabled() || widget->focusProxy() ||
            !(widget->focusPolicy() & Qt::TabFocus) || widget->window() != &window)
            continue;
        bool part = false;
        for (QWidget* above = widget->parentWidget(); above && above != &window;
             above = above->parentWidget())
            part = part || (above->focusPolicy() & Qt::TabFocus);
        if (!part)
            controls << widget;
    }
    return controls;
}

QString describe(const QWidget* widget) {
    return QStringLiteral("%1 \"%2\"")
        .arg(QString::fromLatin1(widget->metaObject()->className()), widget->objectName());
}

// The control a focused widget belongs to.
QWidget* controlOf(QWidget* focused, const QList<QWidget*>& controls) {
    for (QWidget* widget = focused; widget; widget = widget->parentWidget()) {
        if (controls.contains(widget))
            return widget;
        for (QWidget* control : controls)
            if (control->focusProxy() == widget)
                return control;
    }
    return nullptr;
}

// Names the controls a screen reader could not name, and those Tab does not reach from the first
// focused one before it comes back round.
void checkWindow(QWidget& window) {
    window.activateWindow();
    QVERIFY2(QTest::qWaitForWindowActive(&window), qPrintable(window.windowTitle()));
    QTRY_VERIFY(QApplication::focusWidget() && QApplication::focusWidget()->window() == &window);
    const QList<QWidget*> controls = controlsOf(window);
    QVERIFY(!controls.isEmpty());
    QStringList unnamed;
    for (QWidget* control : controls) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        if (!accessible || accessible->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << describe(control);
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(window.windowTitle() + ": no name: " + unnamed.join(", ")));

    QSet<QWidget*> reached;
    QWidget* first = QApplication::focusWidget();
    QVERIFY2(first && first->window() == &window,
             qPrintable(window.windowTitle() + ": the focus is elsewhere: " +
                        (first ? first->window()->windowTitle() + " " + describe(first) : QString())));
    for (int press = 0; press < 3 * controls.size() + 10; ++press) {
        if (QWidget* control = controlOf(QApplication::focusWidget(), controls))
            reached.insert(control);
        // A table reached by Tab shows its focus on a cell.
        if (auto* grid = qobject_cast<TableGrid*>(QApplication::focusWidget());
            grid && grid->rowCount() > grid->fixedRowCount())
            QVERIFY2(grid->focusCell().isValid(), qPrintable(window.windowTitle()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() == first && reached.size() == controls.size())
            break;
    }
    QStringList unreached;
    for (QWidget* control : controls)
        if (!reached.contains(control))
            unreached << describe(control) + " " +
                             QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
    QVERIFY2(unreached.isEmpty(), qPrintable(window.windowTitle() + ": Tab misses " + unreached.join(", ")));
}

struct LabelKey {
    QString label;
    QKeyCombination keys;
};

// Each label's shortcut takes the focus from the window's last control to the label's control.
void checkLabelKeys(QWidget& window, std::initializer_list<LabelKey> labelKeys) {
    const QList<QWidget*> controls = controlsOf(window);
    for (const LabelKey& labelKey : labelKeys) {
        QLabel* label = nullptr;
        for (QLabel* candidate : window.findChildren<QLabel*>())
            if (candidate->text() == labelKey.label)
                label = candidate;
        QVERIFY2(label && label->buddy(), qPrintable(labelKey.label));
        controls.back()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), labelKey.keys.key(), labelKey.keys.keyboardModifiers());
        QVERIFY2(controlOf(QApplication::focusWidget(), controls) == label->buddy(),
                 qPrintable(labelKey.label));
    }
}

// Runs check on the modal window that open() shows, then closes it.
void checkModal(const std::function<void()>& open, const std::function<void(QWidget&)>& check = checkWindow) {
    bool checked = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal) {
            check(*modal);
            checked = true;
            modal->close();
        }
    });
    open();
    QVERIFY(checked);
}

template <class Window>
Window* shownWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<Window*>(widget); window && window->isVisible())
            return window;
    return nullptr;
}

class Program {
public:
    Program() {
        RepertoryLoadResult loaded = loadBuiltinRepertory();
        window = std::make_unique<CaseInputWindow>(std::move(std::get<RepertoryDatabase>(loaded)),
                                                   QDir(folder.path()).filePath("historie.xml"),
                                                   DialogServices{&store, &help, &messages});
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void typeRubric(const QString& number) {
        CaseGrid& grid = *window->caseGrid();
        grid.setFocus();
        QTest::keyClicks(&grid, number.left(1));
        QTest::keyClicks(grid.editor(), number.mid(1));
        QTest::keyClick(grid.editor(), Qt::Key_Return);
    }

    QTemporaryDir folder;
    MemorySettingsStore store;
    PresetMessageBoxes messages;
    NoHelp help;
    std::unique_ptr<CaseInputWindow> window;
};

} // namespace

class WindowAccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void caseInputWindowAndItsSearchWindows() {
        Program program;
        program.typeRubric("12");
        checkWindow(*program.window);
        program.window->openTextSearch();
        checkWindow(*shownWindow<TextSearchWindow>());
        checkLabelKeys(*shownWindow<TextSearchWindow>(),
                       {{"Suchtext", Qt::ALT | Qt::Key_S}, {"Kapitelfilter", Qt::ALT | Qt::Key_K}});
        program.window->openTreeSearch();
        checkWindow(*shownWindow<SymptomSearchWindow>());
        // The tree shows its chapters to a screen reader as items with their texts.
        QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(
            shownWindow<SymptomSearchWindow>()->findChild<QTreeView*>());
        QCOMPARE(tree->role(), QAccessible::Tree);
        QVERIFY(tree->childCount() > 1);
        QVERIFY(!tree->child(0)->text(QAccessible::Name).isEmpty());
    }

    void modalWindows() {
        Program program;
        program.typeRubric("12");
        checkModal([&] { program.window->calculate(); },
                   [](QWidget& results) {
                       checkWindow(results);
                       checkLabelKeys(results, {{"Name der Auswertung", Qt::ALT | Qt::Key_U}});
                   });
        checkModal([&] { program.window->openRemedyOverview(); },
                   [](QWidget& overview) {
                       checkWindow(overview);
                       checkLabelKeys(overview, {{"Kapitelfilter", Qt::ALT | Qt::Key_K},
                                                 {"Mittel", Qt::ALT | Qt::Key_M}});
                   });
        checkModal([&] { program.window->openSettings(); });
        checkModal([&] { program.window->openCaseHistory(); });
    }

    void smallDialogs() {
        FileCaseDialog fileCase({"M\xFC"
                                 "ller"_w1252},
                                "Fall"_w1252, DialogServices{});
        fileCase.show();
        checkWindow(fileCase);
        checkLabelKeys(fileCase,
                       {{"Bisherige Fälle", Qt::ALT | Qt::Key_B}, {"Kommentar", Qt::ALT | Qt::Key_K}});
        QuestionWindow question(QStringLiteral("Wollen Sie wirklich beenden?"));
        question.show();
        checkWindow(question);
        PracticeFolderDialog practice(QDir::tempPath(), [](const QString&) { return QString(); });
        practice.show();
        checkWindow(practice);
    }
};

QTEST_MAIN(WindowAccessibilityTest)
#include "WindowAccessibilityTest.moc"
