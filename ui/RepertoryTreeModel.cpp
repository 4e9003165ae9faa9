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

int RepertoryTreeModel::firstSectionOf(int chapter) const {
    return chapter == 0 ? 0 : db_.sectionEnd(chapter - 1);
}

int RepertoryTreeModel::firstRubricOf(int section) const {
    return section == 0 ? 0 : db_.rubricEnd(section - 1);
}

QModelIndex RepertoryTreeModel::makeIndex(Level level, int record) const {
    switch (level) {
    case Level::Chapter:
        return createIndex(record, 0, packId(level, record));
    case Level::Section: {
        const int chapter = chapterOfSection_[static_cast<std::size_t>(record)];
        if (chapter < 0)
            return {};
        return createIndex(record - firstSectionOf(chapter), 0, packId(level, record));
    }
    case Level::Rubric: {
        const int section = sectionOfRubric_[static_cast<std::size_t>(record)];
        if (section < 0)
            return {};
        return createIndex(record - firstRubricOf(section), 0, packId(level, record));
    }
    case Level::None:
        break;
    }
    return {};
}

QModelIndex RepertoryTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column != 0 || row >= rowCount(parent))
        return {};
    switch (levelOf(parent)) {
    case Level::None:
        return makeIndex(Level::Chapter, row);
    case Level::Chapter:
        return makeIndex(Level::Section, firstSectionOf(recordOf(parent)) + row);
    case Level::Section:
        return makeIndex(Level::Rubric, firstRubricOf(recordOf(parent)) + row);
    case Level::Rubric:
        break;
    }
    return {};
}

QModelIndex RepertoryTreeModel::parent(const QModelIndex& child) const {
    const int record = recordOf(child);
    switch (levelOf(child)) {
    case Level::Section:
        return makeIndex(Level::Chapter, chapterOfSection_[static_cast<std::size_t>(record)]);
    case Level::Rubric:
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
        return db_.sectionEnd(record) - firstSectionOf(record);
    case Level::Section:
        return db_.rubricEnd(record) - firstRubricOf(record);
    case Level::Rubric:
        break;
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
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return fromWindows1252(itemText(index));
}

Qt::ItemFlags RepertoryTreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags itemFlags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (levelOf(index) == Level::Rubric)
        itemFlags |= Qt::ItemNeverHasChildren;
    return itemFlags;
}

std::string RepertoryTreeModel::itemText(const QModelIndex& index) const {
    const int record = recordOf(index);
    switch (levelOf(index)) {
    case Level::Chapter:
        return std::string(db_.chapterName(record));
    case Level::Section:
        return std::string(db_.sectionName(record));
    case Level::Rubric:
        return treeRubricItemText(db_, record + 1);
    case Level::None:
        break;
    }
    return {};
}

std::vector<std::string> RepertoryTreeModel::ancestorTexts(const QModelIndex& index) const {
    std::vector<std::string> texts;
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
