#pragma once

// The whole repertory as a tree of chapters, sections and rubrics, read straight from the
// database: nothing is copied per item, and a chapter's rubrics are laid out when the chapter is
// first opened, so the tree is ready at once.

#include "repertory/RepertoryDatabase.h"
#include "repertory/RepertoryTexts.h"
#include "repertory/RubricTree.h"

#include <QAbstractItemModel>
#include <memory>
#include <string>
#include <vector>

namespace telvarin {

class RepertoryTreeModel : public QAbstractItemModel {
    Q_OBJECT

public:
    enum class Level { None, Chapter, Section, Rubric };

    // The database must outlive the model.
    explicit RepertoryTreeModel(const RepertoryDatabase& db, QObject* parent = nullptr);
    ~RepertoryTreeModel() override;

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
    Windows1252Text itemText(const QModelIndex& index) const;
    // The texts of an item's ancestors from the root down.
    std::vector<Windows1252Text> ancestorTexts(const QModelIndex& index) const;

    QModelIndex chapterIndex(int chapter) const;
    QModelIndex sectionIndex(int section) const;
    // The item of a rubric number; invalid when no section holds it.
    QModelIndex rubricIndex(RubricNumber number) const;

    TreeOrder order() const { return order_; }
    // Lays the tree out anew in the other order; the views lose their expansion and selection.
    void setOrder(TreeOrder order);
    // The order, and with it the typefaces, of the remedy lists in the rubrics' tips.
    void setRemedyListOrder(RemedyListOrder order) { remedyListOrder_ = order; }

private:
    QModelIndex makeIndex(Level level, int record) const;
    void arrangeChaptersAndSections();
    // The rubrics of a chapter, laid out on first use.
    const ChapterRubricTree& rubricsOf(int chapter) const;
    const ChapterRubricTree& rubricsOfRubric(int rubric) const;

    const RepertoryDatabase& db_;
    TreeOrder order_ = TreeOrder::Repertory;
    RemedyListOrder remedyListOrder_ = RemedyListOrder::Stored;
    std::vector<int> chapterOfSection_; // -1 for sections beyond the last chapter
    std::vector<int> sectionOfRubric_;  // -1 for rubrics beyond the last section
    std::vector<int> chapterAtRow_;
    std::vector<int> rowOfChapter_;
    std::vector<std::vector<int>> sectionsOfChapter_; // in the tree's order
    std::vector<int> rowOfSection_;
    mutable std::vector<std::unique_ptr<ChapterRubricTree>> rubricTrees_; // per chapter
};

} // namespace telvarin
