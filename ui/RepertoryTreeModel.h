#pragma once

// The whole repertory as a tree of chapters, sections and rubrics, read straight from the
// database: nothing is copied per item, so the tree of 26,564 rubrics is ready at once.

#include "repertory/RepertoryDatabase.h"

#include <QAbstractItemModel>
#include <string>
#include <vector>

namespace telvarin {

class RepertoryTreeModel : public QAbstractItemModel {
    Q_OBJECT

public:
    enum class Level { None, Chapter, Section, Rubric };

    // The database must outlive the model.
    explicit RepertoryTreeModel(const RepertoryDatabase& db, QObject* parent = nullptr);

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    static Level levelOf(const QModelIndex& index);
    // Chapter, section or rubric record index, by level; -1 for an invalid index.
    static int recordOf(const QModelIndex& index);

    // An item's text in the code page: the chapter or section name, or the rubric item text.
    std::string itemText(const QModelIndex& index) const;
    // The texts of an item's ancestors from the root down.
    std::vector<std::string> ancestorTexts(const QModelIndex& index) const;

    QModelIndex chapterIndex(int chapter) const;
    QModelIndex sectionIndex(int section) const;
    // The item of a rubric number; invalid when no section holds it.
    QModelIndex rubricIndex(RubricNumber number) const;

private:
    QModelIndex makeIndex(Level level, int record) const;
    int firstSectionOf(int chapter) const;
    int firstRubricOf(int section) const;

    // Where the repertory has its own tree, a rubric whose parent stands in the same section hangs
    // below that parent; the others are the section's own rows.
    void nestRubrics();
    bool nested() const { return !rowOfRubric_.empty(); }

    const RepertoryDatabase& db_;
    std::vector<int> chapterOfSection_; // -1 for sections beyond the last chapter
    std::vector<int> sectionOfRubric_;  // -1 for rubrics beyond the last section
    // Only where nested: per rubric its parent item's rubric (-1: the section), its row there and
    // its children; per section its own rows.
    std::vector<int> nestedParent_;
    std::vector<int> rowOfRubric_;
    std::vector<std::vector<int>> childrenOfRubric_;
    std::vector<std::vector<int>> topsOfSection_;
};

} // namespace telvarin
