#pragma once

// "Symptomsuche": the whole repertory as a tree of chapters, sections and rubrics, from which a
// rubric is handed to the case. Modeless, and hidden rather than closed, so that the tree keeps its
// expansion and selection from one use to the next.

#include "foundation/dialogs/DialogBase.h"
#include "repertory/RepertoryDatabase.h"
#include "ui/CrossReferenceMenu.h"
#include "ui/SearchWindowRules.h"

#include <optional>

class QMenu;
class QTreeView;

namespace telvarin {

class IconPushButton;
class RepertoryTreeModel;
struct MainSettings;
class TableFont;

class SymptomSearchWindow : public DialogBase {
    Q_OBJECT

public:
    static QString placementName() { return QStringLiteral("Symptomsuche"); }
    static QString baseTitle() { return QStringLiteral("Symptomsuche"); }

    // The database must outlive the window. The window is built hidden, its placement restored;
    // showWindow shows it. tableFont may be null.
    SymptomSearchWindow(const RepertoryDatabase& db, const TableFont* tableFont,
                        const DialogServices& services, AddSymptomCallback addSymptom,
                        QWidget* parent = nullptr);
    ~SymptomSearchWindow() override;

    // Applies the table font when one is set, shows the window and brings it to the front.
    void showWindow(const TableFont* tableFont);
    // The table font was changed in the settings (null: the built-in font).
    void changeTableFont(const TableFont* tableFont);
    // The tree's order and its tips' remedy lists as the settings give them; a new order lays
    // the tree out anew, collapsed.
    void applySettings(const MainSettings& settings);

    // The symptom of the selected item; nothing while no rubric item is selected.
    std::optional<ParsedSymptom> selectedSymptom() const;

    QTreeView* tree() const { return tree_; }
    RepertoryTreeModel& model() const { return *model_; }
    IconPushButton* takeOverButton() const { return takeOverButton_; }
    IconPushButton* addButton() const { return addButton_; }
    IconPushButton* helpButton() const { return helpButton_; }
    IconPushButton* backButton() const { return backButton_; }

    // Where "Siehe: …" in a rubric's context menu opens the text search; none: no such entries.
    void setCrossReferenceHandler(OpenTextSearch open) { openTextSearch_ = std::move(open); }
    // The context menu of the item at a point of the tree's viewport; null where it has none.
    QMenu* contextMenuAt(const QPoint& viewportPos);

    // "Hi&nzufügen": hands the selected rubric over and keeps the window in front.
    void addSelected();
    // "Ü&bernehmen": hands the selected rubric over and hides the window.
    void accept() override;
    // "&Zurück", Escape and the close box: only hides the window.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    // A double click or Enter on a rubric: the tree collapses, the rubric goes over, the window
    // hides. False when the selection is no rubric.
    bool takeOverByActivation();
    void updateTitle();

    const RepertoryDatabase& db_;
    AddSymptomCallback addSymptom_;
    OpenTextSearch openTextSearch_;
    RepertoryTreeModel* model_ = nullptr;
    QTreeView* tree_ = nullptr;
    IconPushButton* takeOverButton_ = nullptr;
    IconPushButton* addButton_ = nullptr;
    IconPushButton* helpButton_ = nullptr;
    IconPushButton* backButton_ = nullptr;
};

} // namespace telvarin
