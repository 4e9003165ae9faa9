#include "ui/SymptomSearchWindow.h"

#include "foundation/dialogs/HelpViewer.h"
#include "foundation/dialogs/IconPushButton.h"
#include "foundation/dialogs/WaitCursor.h"
#include "foundation/grid/GlyphRoom.h"
#include "foundation/settings/MainSettings.h"
#include "foundation/text/QtCodePage.h"
#include "ui/IconSet.h"
#include "ui/RepertoryTreeModel.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QTreeView>

namespace telvarin {

namespace {

constexpr QSize kTemplateSize(294, 148);

bool isEnterKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

SymptomSearchWindow::SymptomSearchWindow(const RepertoryDatabase& db, const TableFont* tableFont,
                                         const DialogServices& services, AddSymptomCallback addSymptom,
                                         QWidget* parent)
    : DialogBase(placementName(), kTemplateSize, services, parent), db_(db),
      addSymptom_(std::move(addSymptom)) {
    const WaitCursor busy;
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setModal(false);
    setWindowTitle(baseTitle());
    setHelpTopic(kHelpTopicSymptomTreeSearch);

    setUpLayout();
    createControls();
    addAnchor(tree_, kAnchorStretches, kAnchorStretches);
    for (QWidget* button : {takeOverButton_, addButton_, helpButton_, backButton_})
        addAnchor(button, kAnchorFollowsFarSide, kAnchorStays);
    setDialogIcon(programIcon());
    if (tableFont != nullptr)
        tree_->setFont(tableFont->font());

    restorePlacement();

    // The whole repertory at once; the model reads the database in place, so nothing is expanded
    // or selected and no item is built before it is seen.
    model_ = new RepertoryTreeModel(db_, this);
    tree_->setModel(model_);
    connect(tree_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &SymptomSearchWindow::updateTitle);
    tree_->setFocus(Qt::OtherFocusReason);
}

SymptomSearchWindow::~SymptomSearchWindow() {
    tree_->removeEventFilter(this);
}

void SymptomSearchWindow::createControls() {
    tree_ = addControl<QTreeView>(QRect(4, 3, 233, 141));
    tree_->setHeaderHidden(true);
    tree_->setAccessibleName(baseTitle());
    tree_->setRootIsDecorated(true);
    tree_->setUniformRowHeights(true);
    tree_->setItemDelegate(new RoomyRowDelegate(tree_));
    tree_->setDragEnabled(false);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Long rubric texts scroll sideways instead of losing their number to an ellipsis.
    tree_->setTextElideMode(Qt::ElideNone);
    tree_->header()->setStretchLastSection(false);
    tree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tree_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    tree_->installEventFilter(this);
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tree_, &QWidget::customContextMenuRequested, this, [this](const QPoint& viewportPos) {
        if (QMenu* menu = contextMenuAt(viewportPos))
            menu->popup(tree_->viewport()->mapToGlobal(viewportPos));
    });

    IconButtonRow buttons = iconButtonRow(QPoint(248, 3), Qt::Vertical);
    takeOverButton_ = buttons.add(QStringLiteral("Ü&bernehmen"), iconPair(ButtonIcon::TakeOver));
    addButton_ = buttons.add(QStringLiteral("Hi&nzufügen"), iconPair(ButtonIcon::Add));
    helpButton_ = buttons.add(QStringLiteral("&Hilfe"), iconPair(ButtonIcon::Help));
    backButton_ = buttons.add(QStringLiteral("&Zurück"), iconPair(ButtonIcon::Back));
    takeOverButton_->setDefault(true);

    connect(takeOverButton_, &QPushButton::clicked, this, &SymptomSearchWindow::accept);
    connect(addButton_, &QPushButton::clicked, this, &SymptomSearchWindow::addSelected);
    connect(helpButton_, &QPushButton::clicked, this, [this] { showHelp(kHelpTopicSymptomTreeSearch); });
    connect(backButton_, &QPushButton::clicked, this, &SymptomSearchWindow::reject);
    connect(tree_, &QTreeView::doubleClicked, this, [this] { takeOverByActivation(); });
}

void SymptomSearchWindow::showWindow(const TableFont* tableFont) {
    if (tableFont != nullptr)
        tree_->setFont(tableFont->font());
    show();
    raise();
    activateWindow();
}

QMenu* SymptomSearchWindow::contextMenuAt(const QPoint& viewportPos) {
    const QModelIndex item = tree_->indexAt(viewportPos);
    if (RepertoryTreeModel::levelOf(item) != RepertoryTreeModel::Level::Rubric)
        return nullptr;
    // Made anew each time and gone once closed.
    auto* menu = new QMenu(tree_);
    connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);
    addCrossReferenceEntries(*menu, db_.rubricTextField(RepertoryTreeModel::recordOf(item)), openTextSearch_);
    if (menu->isEmpty()) {
        delete menu;
        return nullptr;
    }
    return menu;
}

void SymptomSearchWindow::changeTableFont(const TableFont* tableFont) {
    tree_->setFont(tableFont != nullptr ? tableFont->font() : font());
}

void SymptomSearchWindow::applySettings(const MainSettings& settings) {
    model_->setOrder(settings.symptomTreeAlphabetical ? TreeOrder::German : TreeOrder::Repertory);
    model_->setRemedyListOrder(settings.remedyListsByGrade ? RemedyListOrder::ByGrade
                                                           : RemedyListOrder::Stored);
}

std::optional<ParsedSymptom> SymptomSearchWindow::selectedSymptom() const {
    const QModelIndexList selected = tree_->selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return std::nullopt;
    return treeItemSymptom(db_, model_->itemText(selected.front()));
}

void SymptomSearchWindow::addSelected() {
    // Held as a plain value: g++ 12 takes the optional for a dangling pointer in the call below.
    const ParsedSymptom symptom = selectedSymptom().value_or(ParsedSymptom{});
    if (symptom.number <= 0)
        return;
    if (addSymptom_)
        addSymptom_(symptom.number, symptom.bd);
    // The case table took the focus; the user goes on picking here.
    raise();
    activateWindow();
    tree_->setFocus(Qt::OtherFocusReason);
}

void SymptomSearchWindow::accept() {
    savePlacement();
    const std::optional<ParsedSymptom> symptom = selectedSymptom();
    // A rubric item always carries a positive number; anything else would only empty a case row.
    if (symptom && symptom->number > 0 && addSymptom_)
        addSymptom_(symptom->number, symptom->bd);
    DialogBase::accept();
}

void SymptomSearchWindow::reject() {
    savePlacement();
    DialogBase::reject();
}

bool SymptomSearchWindow::takeOverByActivation() {
    const std::optional<ParsedSymptom> symptom = selectedSymptom();
    if (!symptom || symptom->number == 0)
        return false;
    QModelIndex chapter = tree_->selectionModel()->selectedIndexes().front();
    while (chapter.parent().isValid())
        chapter = chapter.parent();
    tree_->collapseAll();
    // Collapsing takes the selection up to the group that closes over it; a rubric left selected
    // out of sight would go over again with the next Enter.
    tree_->setCurrentIndex(chapter);
    if (addSymptom_)
        addSymptom_(symptom->number, symptom->bd);
    hide();
    return true;
}

bool SymptomSearchWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tree_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (isEnterKey(key->key()) && key->modifiers() == Qt::NoModifier) {
            // Enter belongs to the tree: a rubric goes over, a chapter or section opens or
            // closes, and neither reaches the window's OK command.
            if (!takeOverByActivation()) {
                const QModelIndex current = tree_->currentIndex();
                if (current.isValid())
                    tree_->setExpanded(current, !tree_->isExpanded(current));
            }
            return true;
        }
    }
    return DialogBase::eventFilter(watched, event);
}

void SymptomSearchWindow::updateTitle() {
    const QModelIndexList selected = tree_->selectionModel()->selectedIndexes();
    const std::vector<Windows1252Text> ancestors =
        selected.isEmpty() ? std::vector<Windows1252Text>() : model_->ancestorTexts(selected.front());
    setWindowTitle(fromWindows1252(symptomSearchTitle(ancestors)));
}

} // namespace telvarin
