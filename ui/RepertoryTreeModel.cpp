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
    if (db.hasRubricTree())
        nestRubrics();
}

void RepertoryTreeModel::nestRubrics() {
    const auto rubrics = static_cast<std::size_t>(db_.rubricCount());
    nestedParent_.assign(rubrics, -1);
    rowOfRubric_.assign(rubrics, 0);
    childrenOfRubric_.assign(rubrics, {});
    topsOfSection_.assign(static_cast<std::size_t>(db_.sectionCount()), {});
    for (std::size_t rubric = 0; rubric < rubrics; ++rubric) {
        const int section = sectionOfRubric_[rubric];
        if (section < 0)
            continue;
        // Parents come before their children, so the parent's place is known already.
        const int parent = db_.parentRubric(static_cast<RubricNumber>(rubric + 1)) - 1;
        std::vector<int>& siblings =
            parent >= 0 && sectionOfRubric_[static_cast<std::size_t>(parent)] == section
                ? childrenOfRubric_[static_cast<std::size_t>(parent)]
                : topsOfSection_[static_cast<std::size_t>(section)];
        if (&siblings != &topsOfSection_[static_cast<std::size_t>(section)])
            nestedParent_[rubric] = parent;
        rowOfRubric_[rubric] = static_cast<int>(siblings.size());
        siblings.push_back(static_cast<int>(rubric));
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
        if (nested())
            return createIndex(rowOfRubric_[static_cast<std::size_t>(record)], 0, packId(level, record));
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
        if (nested())
            return makeIndex(
                Level::Rubric,
                topsOfSection_[static_cast<std::size_t>(recordOf(parent))][static_cast<std::size_t>(row)]);
        return makeIndex(Level::Rubric, firstRubricOf(recordOf(parent)) + row);
    case Level::Rubric:
        if (nested())
            return makeIndex(
                Level::Rubric,
                childrenOfRubric_[static_cast<std::size_t>(recordOf(parent))][static_cast<std::size_t>(row)]);
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
        if (nested() && nestedParent_[static_cast<std::size_t>(record)] >= 0)
            return makeIndex(Level::Rubric, nestedParent_[static_cast<std::size_t>(record)]);
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
        if (nested())
            return static_cast<int>(topsOfSection_[static_cast<std::size_t>(record)].size());
        return db_.rubricEnd(record) - firstRubricOf(record);
    case Level::Rubric:
        if (nested())
            return static_cast<int>(childrenOfRubric_[static_cast<std::size_t>(record)].size());
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
    if (levelOf(index) == Level::Rubric && !hasChildren(index))
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
    case Level::Rubric: {
        std::string text = treeRubricItemText(db_, record + 1);
        // Below its parent a rubric shows only its own part: "nachmittags" under "Übelkeit".
        if (nested() && nestedParent_[static_cast<std::size_t>(record)] >= 0) {
            const std::string_view parentText =
                db_.rubricTextField(nestedParent_[static_cast<std::size_t>(record)]);
            if (text.size() > parentText.size() + 2 && text.starts_with(parentText) &&
                text.compare(parentText.size(), 2, ", ") == 0)
                text.erase(0, parentText.size() + 2);
        }
        return text;
    }
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
