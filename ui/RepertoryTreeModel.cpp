#include "ui/RepertoryTreeModel.h"

#include "foundation/text/QtCodePage.h"
#include "ui/SearchWindowRules.h"

namespace telvarin {

namespace {

// An item's identity packed into the index: the level in the low two bits, the record above.
constexpr int kLevelBits = 2;

quintptr packId(RepertoryTreeModel::Level level, int record) {
    return (static_cast<quintptr>(record) << kLevelBits) | static_cast<quintptr>(level);
}

} // namespace

RepertoryTreeModel::RepertoryTreeModel(const RepertoryDatabase& db, QObject* parent)
    : QAbstractItemModel(parent), db_(db), chapterOfSection_(static_cast<std::size_t>(db.sectionCount()), -1),
      sectionOfRubric_(static_cast<std::size_t>(db.rubricCount()), -1) {
    // Ends are cumulative and checked when the database is loaded, so one pass assigns every
    // section and rubric to its holder.
    int section = 0;
    for (int chapter = 0; chapter < db.chapterCount(); ++chapter) {
        for (; section < db.sectionEnd(chapter); ++section)
            chapterOfSection_[static_cast<std::size_t>(section)] = chapter;
    }
    int rubric = 0;
    for (section = 0; section < db.sectionCount(); ++section) {
        for (; rubric < db.rubricEnd(section); ++rubric)
            sectionOfRubric_[static_cast<std::size_t>(rubric)] = section;
    }
    arrangeChaptersAndSections();
}

RepertoryTreeModel::~RepertoryTreeModel() = default;

void RepertoryTreeModel::arrangeChaptersAndSections() {
    chapterAtRow_ = chaptersInTreeOrder(db_, order_);
    rowOfChapter_.assign(chapterAtRow_.size(), 0);
    rowOfSection_.assign(chapterOfSection_.size(), 0);
    sectionsOfChapter_.clear();
    for (std::size_t row = 0; row < chapterAtRow_.size(); ++row)
        rowOfChapter_[static_cast<std::size_t>(chapterAtRow_[row])] = static_cast<int>(row);
    for (int chapter = 0; chapter < db_.chapterCount(); ++chapter) {
        sectionsOfChapter_.push_back(sectionsInTreeOrder(db_, chapter, order_));
        const std::vector<int>& sections = sectionsOfChapter_.back();
        for (std::size_t row = 0; row < sections.size(); ++row)
            rowOfSection_[static_cast<std::size_t>(sections[row])] = static_cast<int>(row);
    }
    rubricTrees_.clear();
    rubricTrees_.resize(static_cast<std::size_t>(db_.chapterCount()));
}

void RepertoryTreeModel::setOrder(TreeOrder order) {
    if (order == order_)
        return;
    beginResetModel();
    order_ = order;
    arrangeChaptersAndSections();
    endResetModel();
}

const ChapterRubricTree& RepertoryTreeModel::rubricsOf(int chapter) const {
    std::unique_ptr<ChapterRubricTree>& tree = rubricTrees_[static_cast<std::size_t>(chapter)];
    if (!tree)
        tree = std::make_unique<ChapterRubricTree>(db_, chapter, order_);
    return *tree;
}

const ChapterRubricTree& RepertoryTreeModel::rubricsOfRubric(int rubric) const {
    return rubricsOf(
        chapterOfSection_[static_cast<std::size_t>(sectionOfRubric_[static_cast<std::size_t>(rubric)])]);
}

RepertoryTreeModel::Level RepertoryTreeModel::levelOf(const QModelIndex& index) {
    if (!index.isValid())
        return Level::None;
    return static_cast<Level>(index.internalId() & ((quintptr{1} << kLevelBits) - 1));
}

int RepertoryTreeModel::recordOf(const QModelIndex& index) {
    if (!index.isValid())
        return -1;
    return static_cast<int>(index.internalId() >> kLevelBits);
}

QModelIndex RepertoryTreeModel::makeIndex(Level level, int record) const {
    switch (level) {
    case Level::Chapter:
        return createIndex(rowOfChapter_[static_cast<std::size_t>(record)], 0, packId(level, record));
    case Level::Section:
        if (chapterOfSection_[static_cast<std::size_t>(record)] < 0)
            return {};
        return createIndex(rowOfSection_[static_cast<std::size_t>(record)], 0, packId(level, record));
    case Level::Rubric: {
        const int section = sectionOfRubric_[static_cast<std::size_t>(record)];
        if (section < 0 || chapterOfSection_[static_cast<std::size_t>(section)] < 0)
            return {};
        return createIndex(rubricsOfRubric(record).rowOf(record), 0, packId(level, record));
    }
    case Level::None:
        break;
    }
    return {};
}

QModelIndex RepertoryTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column != 0 || row >= rowCount(parent))
        return {};
    const auto at = static_cast<std::size_t>(row);
    const int record = recordOf(parent);
    switch (levelOf(parent)) {
    case Level::None:
        return makeIndex(Level::Chapter, chapterAtRow_[at]);
    case Level::Chapter:
        return makeIndex(Level::Section, sectionsOfChapter_[static_cast<std::size_t>(record)][at]);
    case Level::Section:
        return makeIndex(Level::Rubric,
                         rubricsOf(chapterOfSection_[static_cast<std::size_t>(record)]).topsOf(record)[at]);
    case Level::Rubric:
        return makeIndex(Level::Rubric, rubricsOfRubric(record).childrenOf(record)[at]);
    }
    return {};
}

QModelIndex RepertoryTreeModel::parent(const QModelIndex& child) const {
    const int record = recordOf(child);
    switch (levelOf(child)) {
    case Level::Section:
        return makeIndex(Level::Chapter, chapterOfSection_[static_cast<std::size_t>(record)]);
    case Level::Rubric:
        if (const int parentRubric = rubricsOfRubric(record).parentOf(record); parentRubric >= 0)
            return makeIndex(Level::Rubric, parentRubric);
        return makeIndex(Level::Section, sectionOfRubric_[static_cast<std::size_t>(record)]);
    case Level::None:
    case Level::Chapter:
        break;
    }
    return {};
}

int RepertoryTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() && parent.column() != 0)
        return 0;
    const int record = recordOf(parent);
    switch (levelOf(parent)) {
    case Level::None:
        return db_.chapterCount();
    case Level::Chapter:
        return static_cast<int>(sectionsOfChapter_[static_cast<std::size_t>(record)].size());
    case Level::Section:
        return static_cast<int>(
            rubricsOf(chapterOfSection_[static_cast<std::size_t>(record)]).topsOf(record).size());
    case Level::Rubric:
        return static_cast<int>(rubricsOfRubric(record).childrenOf(record).size());
    }
    return 0;
}

int RepertoryTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

bool RepertoryTreeModel::hasChildren(const QModelIndex& parent) const {
    return rowCount(parent) > 0;
}

QVariant RepertoryTreeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::ToolTipRole && levelOf(index) == Level::Rubric)
        return fromWindows1252(remedyListHtml(db_, recordOf(index) + 1, 0, remedyListOrder_));
    if (role != Qt::DisplayRole)
        return {};
    return fromWindows1252(itemText(index));
}

Qt::ItemFlags RepertoryTreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags itemFlags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (levelOf(index) == Level::Rubric && !hasChildren(index))
        itemFlags |= Qt::ItemNeverHasChildren;
    return itemFlags;
}

Windows1252Text RepertoryTreeModel::itemText(const QModelIndex& index) const {
    const int record = recordOf(index);
    switch (levelOf(index)) {
    case Level::Chapter:
        return Windows1252Text(db_.chapterName(record));
    case Level::Section:
        return Windows1252Text(db_.sectionName(record));
    case Level::Rubric: {
        Windows1252Text text = treeRubricItemText(db_, record + 1);
        // Below its parent a rubric shows only its own part: "nachmittags" under "Übelkeit".
        if (const int parentRubric = rubricsOfRubric(record).parentOf(record); parentRubric >= 0)
            return Windows1252Text(ownRubricPart(text, db_.rubricTextField(parentRubric)));
        return text;
    }
    case Level::None:
        break;
    }
    return {};
}

std::vector<Windows1252Text> RepertoryTreeModel::ancestorTexts(const QModelIndex& index) const {
    std::vector<Windows1252Text> texts;
    for (QModelIndex ancestor = parent(index); ancestor.isValid(); ancestor = parent(ancestor))
        texts.insert(texts.begin(), itemText(ancestor));
    return texts;
}

QModelIndex RepertoryTreeModel::chapterIndex(int chapter) const {
    if (chapter < 0 || chapter >= db_.chapterCount())
        return {};
    return makeIndex(Level::Chapter, chapter);
}

QModelIndex RepertoryTreeModel::sectionIndex(int section) const {
    if (section < 0 || section >= db_.sectionCount() ||
        chapterOfSection_[static_cast<std::size_t>(section)] < 0)
        return {};
    return makeIndex(Level::Section, section);
}

QModelIndex RepertoryTreeModel::rubricIndex(RubricNumber number) const {
    if (number < 1 || number > db_.rubricCount())
        return {};
    const int section = sectionOfRubric_[static_cast<std::size_t>(number - 1)];
    if (section < 0 || chapterOfSection_[static_cast<std::size_t>(section)] < 0)
        return {};
    return makeIndex(Level::Rubric, number - 1);
}

} // namespace telvarin
