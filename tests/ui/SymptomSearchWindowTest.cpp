// The symptom tree search on the reference repertory: the tree, the title that follows the
// selection, the ways a rubric goes to the case, and hiding instead of closing.

#include "ui/SymptomSearchWindow.h"

#include "foundation/dialogs/IconPushButton.h"
#include "foundation/settings/MainSettings.h"
#include "foundation/text/GermanOrder.h"
#include "foundation/text/QtCodePage.h"
#include "repertory/RepertoryTexts.h"
#include "tests/KentRepertory.h"
#include "tests/ui/SearchWindowsTestSupport.h"
#include "ui/RepertoryTreeModel.h"

#include <QAbstractItemModelTester>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTreeView>
#include <memory>

using namespace telvarin;
using namespace telvarin::search_test;

namespace {

const QString kTitle = QStringLiteral("Symptomsuche");
const QChar kNoBreakSpace(0x00A0);

QString shown(std::string_view windows1252) {
    return fromWindows1252(windows1252);
}

struct OpenTreeSearch {
    Services services;
    HandedOver handedOver;
    std::unique_ptr<SymptomSearchWindow> window;

    explicit OpenTreeSearch(const TableFont* font = nullptr, const RepertoryDatabase& db = reference()) {
        window = std::make_unique<SymptomSearchWindow>(db, font, services.services(), handedOver.callback());
        showAndWait(*window);
    }

    QTreeView& tree() const { return *window->tree(); }
    RepertoryTreeModel& model() const { return window->model(); }

    // Selects an item as a click does; the item is scrolled into view first. The click falls on
    // the item's visible part: in a wide face a long rubric reaches beyond the tree's right edge.
    QPoint visibleCentre(const QModelIndex& index) const {
        tree().scrollTo(index);
        return tree().visualRect(index).intersected(tree().viewport()->rect()).center();
    }
    void click(const QModelIndex& index) const {
        QTest::mouseClick(tree().viewport(), Qt::LeftButton, {}, visibleCentre(index));
    }
    void doubleClick(const QModelIndex& index) const {
        const QPoint centre = visibleCentre(index);
        QTest::mouseClick(tree().viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(tree().viewport(), Qt::LeftButton, {}, centre);
    }
    QModelIndex firstRubric() const { return model().index(0, 0, model().index(0, 0, model().index(0, 0))); }
    int expandedCount() const {
        int expanded = 0;
        for (int chapter = 0; chapter < model().rowCount(); ++chapter) {
            const QModelIndex chapterItem = model().index(chapter, 0);
            expanded += tree().isExpanded(chapterItem) ? 1 : 0;
            for (int section = 0; section < model().rowCount(chapterItem); ++section)
                expanded += tree().isExpanded(model().index(section, 0, chapterItem)) ? 1 : 0;
        }
        return expanded;
    }
};

// Rows of pixels in which some pixel differs clearly from the background: the height of the ink.
std::pair<int, int> inkRows(const QImage& image, const QRect& area, QRgb background) {
    int top = -1;
    int bottom = -1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (std::abs(qGray(image.pixel(x, y)) - qGray(background)) > 48) {
                top = top < 0 ? y : top;
                bottom = y;
                break;
            }
    return {top - area.top(), bottom - area.top()};
}

// The ink height of the text drawn with room to spare, as no row cuts it.
int unclippedInkHeight(const QString& text, const QFont& font) {
    const QFontMetrics metrics(font);
    QImage image(metrics.horizontalAdvance(text) + 8, 3 * metrics.height(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(4, metrics.height() + metrics.ascent(), text);
    painter.end();
    const auto [top, bottom] = inkRows(image, image.rect(), qRgb(255, 255, 255));
    return bottom - top + 1;
}

} // namespace

class SymptomSearchWindowTest : public QObject {
    Q_OBJECT

private slots:
    void theTreeHoldsTheWholeRepertoryInTableOrder() {
        const RepertoryDatabase& db = reference();
        RepertoryTreeModel model(db);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

        QCOMPARE(model.rowCount(), 58);
        int sections = 0;
        int rubrics = 0;
        RubricNumber expectedNumber = 1;
        for (int chapter = 0; chapter < model.rowCount(); ++chapter) {
            const QModelIndex chapterItem = model.index(chapter, 0);
            QCOMPARE(chapterItem.data().toString(), shown(db.chapterName(chapter).bytes()));
            for (int section = 0; section < model.rowCount(chapterItem); ++section, ++sections) {
                const QModelIndex sectionItem = model.index(section, 0, chapterItem);
                QCOMPARE(sectionItem.data().toString(), shown(db.sectionName(sections).bytes()));
                QCOMPARE(model.parent(sectionItem), chapterItem);
                for (int row = 0; row < model.rowCount(sectionItem); ++row, ++rubrics, ++expectedNumber) {
                    const QModelIndex rubricItem = model.index(row, 0, sectionItem);
                    // Spot checks of the parent link keep the walk over 26,564 items quick.
                    if (row == 0 || row + 1 == model.rowCount(sectionItem))
                        QCOMPARE(model.parent(rubricItem), sectionItem);
                    QCOMPARE(RepertoryTreeModel::recordOf(rubricItem), expectedNumber - 1);
                    QVERIFY(!model.hasChildren(rubricItem));
                }
            }
        }
        QCOMPARE(sections, 409);
        QCOMPARE(rubrics, 26564);
    }

    void rubricItemsCarryTextSeparatorAndNumber() {
        const RepertoryDatabase& db = reference();
        RepertoryTreeModel model(db);
        for (const RubricNumber number : {1, 2, 12, 13000, 26564}) {
            const QModelIndex item = model.rubricIndex(number);
            QVERIFY(item.isValid());
            QCOMPARE(item.data().toString(),
                     shown(rubricText(db, number).bytes()) + kNoBreakSpace + QString::number(number));
            const std::optional<ParsedSymptom> symptom = treeItemSymptom(db, model.itemText(item));
            QVERIFY(symptom.has_value());
            QCOMPARE(symptom->number, number);
            QCOMPARE(symptom->bd, 0);
        }
        // The last rubric of the table sits under the last section of the last chapter.
        const QModelIndex last = model.rubricIndex(26564);
        QCOMPARE(last.row(), model.rowCount(last.parent()) - 1);
        QCOMPARE(last.parent().row(), model.rowCount(last.parent().parent()) - 1);
        QCOMPARE(last.parent().parent().row(), 57);
        QVERIFY(!model.rubricIndex(0).isValid());
        QVERIFY(!model.rubricIndex(26565).isValid());
    }

    void onlyTextsWithTheSeparatorAfterTheFirstCharacterAreRubrics() {
        const RepertoryDatabase& db = reference();
        QVERIFY(!treeItemSymptom(db, "MIND"_w1252).has_value());
        QVERIFY(!treeItemSymptom(db, "\xA0"_w1252
                                     "12")
                     .has_value());
        const std::optional<ParsedSymptom> lastWins = treeItemSymptom(db, "a\xA0"_w1252
                                                                          "5 [3]\xA0"
                                                                          "17");
        QVERIFY(lastWins.has_value());
        QCOMPARE(lastWins->number, 17);
        QVERIFY(lastWins->valid);
        const std::optional<ParsedSymptom> noNumber = treeItemSymptom(db, "Fear [2]\xA0"_w1252);
        QVERIFY(noNumber.has_value());
        QCOMPARE(noNumber->number, 0);
    }

    void theTitleFollowsTheSelection() {
        const RepertoryDatabase& db = reference();
        QCOMPARE(symptomSearchTitle({}), "Symptomsuche"_w1252);
        QCOMPARE(symptomSearchTitle({"MIND"_w1252, "GENERAL"_w1252}),
                 "Symptomsuche - MIND GENERAL "_w1252);

        OpenTreeSearch open;
        QCOMPARE(open.window->windowTitle(), kTitle);
        // Home selects the first chapter, Right opens it, Down goes on to its first section.
        QTest::keyClick(&open.tree(), Qt::Key_Home);
        QCOMPARE(open.window->windowTitle(), kTitle);
        QTest::keyClick(&open.tree(), Qt::Key_Right);
        QTest::keyClick(&open.tree(), Qt::Key_Down);
        const QString chapter = shown(db.chapterName(0).bytes());
        QCOMPARE(open.window->windowTitle(), kTitle + QStringLiteral(" - ") + chapter + u' ');
        QTest::keyClick(&open.tree(), Qt::Key_Right);
        QTest::keyClick(&open.tree(), Qt::Key_Down);
        QCOMPARE(open.window->windowTitle(),
                 kTitle + QStringLiteral(" - ") + chapter + u' ' + shown(db.sectionName(0).bytes()) + u' ');
        QCOMPARE(open.window->selectedSymptom()->number, 1);

        open.click(open.model().rubricIndex(26564));
        QCOMPARE(open.window->windowTitle(), kTitle + QStringLiteral(" - ") +
                                                 shown(db.chapterName(57).bytes()) + u' ' +
                                                 shown(db.sectionName(408).bytes()) + u' ');
    }

    void aDoubleClickOnAGroupOnlyOpensIt() {
        OpenTreeSearch open;
        const QModelIndex chapter = open.model().index(3, 0);
        open.doubleClick(chapter);
        QVERIFY(open.tree().isExpanded(chapter));
        QVERIFY(open.window->isVisible());
        open.doubleClick(open.model().index(0, 0, chapter));
        QVERIFY(open.tree().isExpanded(open.model().index(0, 0, chapter)));
        QVERIFY(open.handedOver.symptoms.empty());
    }

    void aDoubleClickOnARubricHandsItOverCollapsesAndHides() {
        OpenTreeSearch open;
        const QModelIndex rubric = open.model().rubricIndex(13000);
        open.tree().expand(open.model().index(1, 0));
        open.doubleClick(rubric);
        QCOMPARE(open.handedOver.symptoms, (std::vector<std::pair<RubricNumber, int>>{{13000, 0}}));
        QVERIFY(!open.window->isVisible());
        QCOMPARE(open.expandedCount(), 0);
        // This path keeps no placement.
        QVERIFY(!open.services.hasPlacement(SymptomSearchWindow::placementName()));

        open.window->showWindow(nullptr);
        QVERIFY(open.window->isVisible());
        QCOMPARE(open.expandedCount(), 0);
        // The selection went up to the collapsed chapter with the rubric out of sight, so the
        // next Enter or "Ü&bernehmen" does not hand the hidden rubric over once more.
        QCOMPARE(open.tree().currentIndex(), rubric.parent().parent());
        QVERIFY(!open.window->selectedSymptom());
        QCOMPARE(open.window->windowTitle(), kTitle);
        QTest::keyClick(&open.tree(), Qt::Key_Return);
        QCOMPARE(open.handedOver.symptoms.size(), std::size_t{1});
    }

    void enterHandsARubricOverOnceAndOpensAGroup() {
        OpenTreeSearch open;
        const QModelIndex chapter = open.model().index(2, 0);
        open.click(chapter);
        QTest::keyClick(&open.tree(), Qt::Key_Return);
        QVERIFY(open.tree().isExpanded(chapter));
        QVERIFY(open.window->isVisible());
        QTest::keyClick(&open.tree(), Qt::Key_Return);
        QVERIFY(!open.tree().isExpanded(chapter));

        open.click(open.model().rubricIndex(7));
        QTest::keyClick(&open.tree(), Qt::Key_Enter);
        QCOMPARE(open.handedOver.symptoms, (std::vector<std::pair<RubricNumber, int>>{{7, 0}}));
        QVERIFY(!open.window->isVisible());
    }

    void takeOverHandsTheRubricOverAndKeepsTheExpansion() {
        OpenTreeSearch open;
        const QModelIndex rubric = open.model().rubricIndex(2500);
        open.click(rubric);
        QTest::mouseClick(open.window->takeOverButton(), Qt::LeftButton);
        QCOMPARE(open.handedOver.symptoms, (std::vector<std::pair<RubricNumber, int>>{{2500, 0}}));
        QVERIFY(!open.window->isVisible());
        QVERIFY(open.services.hasPlacement(SymptomSearchWindow::placementName()));

        open.window->showWindow(nullptr);
        QVERIFY(open.tree().isExpanded(rubric.parent()));
        QVERIFY(open.tree().isExpanded(rubric.parent().parent()));
        QCOMPARE(open.window->selectedSymptom()->number, 2500);
    }

    void takeOverWithAChapterSelectedOnlyHides() {
        OpenTreeSearch open;
        open.click(open.model().index(0, 0));
        QTest::keyClick(open.window->takeOverButton(), Qt::Key_Space);
        QVERIFY(open.handedOver.symptoms.empty());
        QVERIFY(!open.window->isVisible());
        // Nothing selected at all: the same.
        open.window->showWindow(nullptr);
        open.tree().clearSelection();
        open.window->accept();
        QVERIFY(open.handedOver.symptoms.empty());
        QVERIFY(!open.window->isVisible());
    }

    void addHandsOverEachTimeAndStaysOpen() {
        OpenTreeSearch open;
        open.click(open.model().rubricIndex(12));
        QTest::mouseClick(open.window->addButton(), Qt::LeftButton);
        QTest::keyClick(open.window->addButton(), Qt::Key_Space);
        QCOMPARE(open.handedOver.symptoms, (std::vector<std::pair<RubricNumber, int>>{{12, 0}, {12, 0}}));
        QVERIFY(open.window->isVisible());

        open.click(open.model().index(1, 0));
        QTest::mouseClick(open.window->addButton(), Qt::LeftButton);
        QCOMPARE(open.handedOver.symptoms.size(), std::size_t{2});
    }

    void backEscapeAndTheCloseBoxOnlyHide() {
        OpenTreeSearch open;
        const QModelIndex rubric = open.model().rubricIndex(400);
        open.click(rubric);
        QTest::mouseClick(open.window->backButton(), Qt::LeftButton);
        QVERIFY(!open.window->isVisible());
        QVERIFY(open.services.hasPlacement(SymptomSearchWindow::placementName()));

        open.window->showWindow(nullptr);
        QTest::keyClick(&open.tree(), Qt::Key_Escape);
        QVERIFY(!open.window->isVisible());

        open.window->showWindow(nullptr);
        QVERIFY(open.window->close());
        QVERIFY(!open.window->isVisible());
        open.window->showWindow(nullptr);
        QVERIFY(open.window->selectedSymptom());
        QCOMPARE(open.window->selectedSymptom()->number, 400);
        QVERIFY(open.handedOver.symptoms.empty());
    }

    void helpShowsTopic15() {
        OpenTreeSearch open;
        QTest::mouseClick(open.window->helpButton(), Qt::LeftButton);
        QTest::keyClick(&open.tree(), Qt::Key_F1);
        QCOMPARE(open.services.help.topics, (std::vector<int>{15, 15}));
    }

    void theWindowReopensAtItsPlacementAndGrowsWithItsTree() {
        OpenTreeSearch first;
        const QSize initial = first.window->size();
        QCOMPARE(first.window->minimumSize(), initial);
        first.window->resize(initial + QSize(120, 80));
        QTRY_COMPARE(first.tree().width(), first.window->pixelRect(QRect(4, 3, 233, 141)).width() + 120);
        const QRect button = first.window->pixelRect(QRect(248, 3, 42, 35));
        QCOMPARE(first.window->takeOverButton()->geometry(), button.translated(120, 0));
        QCOMPARE(first.tree().height(), first.window->pixelRect(QRect(4, 3, 233, 141)).height() + 80);
        first.window->reject();

        SymptomSearchWindow second(reference(), nullptr, first.services.services(), {});
        QCOMPARE(second.size(), initial + QSize(120, 80));
        QCOMPARE(second.windowIcon().isNull(), false);
    }

    void theTableFontReachesTheTreeWhenShown() {
        const std::optional<TableFont> small = TableFont::create(QStringLiteral("DejaVu Sans"), 14);
        const std::optional<TableFont> large = TableFont::create(QStringLiteral("DejaVu Serif"), 20);
        QVERIFY(small && large);
        OpenTreeSearch open(&*small);
        QCOMPARE(open.tree().font().pixelSize(), 14);
        open.window->reject();
        open.window->showWindow(&*large);
        QCOMPARE(open.tree().font().family(), QStringLiteral("DejaVu Serif"));
        QCOMPARE(open.tree().font().pixelSize(), 20);
        // Without a table font the tree keeps the font it has.
        open.window->showWindow(nullptr);
        QCOMPARE(open.tree().font().pixelSize(), 20);
    }

    // Chapter Magen, section Übelkeit of the German Kent: the font's ascent leaves no room for the dots.
    void capitalUmlautsKeepTheirDots() {
        const std::optional<TableFont> tableFont = TableFont::create(QStringLiteral("DejaVu Serif"), 13);
        QVERIFY(tableFont);
        for (const TableFont* font : {static_cast<const TableFont*>(nullptr), &*tableFont}) {
            OpenTreeSearch open(font, test::kentRepertory());
            const QModelIndex stomach = open.model()
                                            .match(open.model().index(0, 0), Qt::DisplayRole,
                                                   QStringLiteral("Magen"), 1, Qt::MatchExactly)
                                            .value(0);
            QVERIFY(stomach.isValid());
            const QModelIndex nausea = open.model()
                                           .match(open.model().index(0, 0, stomach), Qt::DisplayRole,
                                                  QStringLiteral("Übelkeit"), 1, Qt::MatchExactly)
                                           .value(0);
            QVERIFY(nausea.isValid());
            open.tree().expand(stomach);
            open.tree().setCurrentIndex(stomach);
            open.tree().scrollTo(nausea, QAbstractItemView::PositionAtCenter);
            open.tree().horizontalScrollBar()->setValue(0);
            const QRect row = open.tree().visualRect(nausea).intersected(open.tree().viewport()->rect());
            const QImage shot = open.tree().viewport()->grab().toImage();
            const QRgb background = shot.pixel(row.right() - 1, row.center().y());
            const auto [top, bottom] = inkRows(shot, row, background);
            // Ink in the row's first line of pixels means the row cut the dots off.
            QVERIFY2(top > 0, qPrintable(QStringLiteral("ink starts at row %1").arg(top)));
            QCOMPARE(bottom - top + 1, unclippedInkHeight(nausea.data().toString(), open.tree().font()));
        }
    }

    // The Kent's own tree: "nachmittags" below "Übelkeit", which stands in its section.
    void rubricsHangBelowTheirParentWhereTheRepertoryHasATree() {
        const RepertoryDatabase& kent = test::kentRepertory();
        RepertoryTreeModel model(kent);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        const QModelIndex afternoon = model.rubricIndex(24605);
        QCOMPARE(afternoon.data().toString(), QStringLiteral("nachmittags [38]\u00A024605"));
        const QModelIndex nausea = model.parent(afternoon);
        QCOMPARE(RepertoryTreeModel::recordOf(nausea), 24600);
        QCOMPARE(model.index(afternoon.row(), 0, nausea), afternoon);
        QCOMPARE(RepertoryTreeModel::levelOf(model.parent(nausea)), RepertoryTreeModel::Level::Section);
        QCOMPARE(model.parent(nausea).data().toString(), QStringLiteral("Übelkeit"));
        QVERIFY(model.rowCount(model.parent(nausea)) < model.rowCount(nausea));
        QCOMPARE(model.ancestorTexts(afternoon).size(), 3u);

        // Tips list the remedies, by grade in the classical typefaces.
        QVERIFY(!afternoon.data(Qt::ToolTipRole).toString().contains(u"<b>"));
        model.setRemedyListOrder(RemedyListOrder::ByGrade);
        QVERIFY(afternoon.data(Qt::ToolTipRole).toString().contains(u"<b>"));

        // In German order every level is sorted by the text it shows, and the rubric keeps its place.
        model.setOrder(TreeOrder::German);
        const QModelIndex sorted = model.rubricIndex(24605);
        QCOMPARE(sorted.data().toString(), afternoon.data().toString());
        const QModelIndex sortedNausea = model.parent(sorted);
        // The text without the remedy count and the number.
        const auto shown = [&model](const QModelIndex& index) {
            const std::string text = model.itemText(index).bytes();
            return text.substr(0, text.rfind(" ["));
        };
        for (const QModelIndex& parent : {QModelIndex(), sortedNausea, model.parent(sortedNausea)}) {
            for (int row = 1; row < model.rowCount(parent); ++row)
                QVERIFY2(compareGerman(shown(model.index(row - 1, 0, parent)),
                                       shown(model.index(row, 0, parent))) <= 0,
                         qPrintable(model.index(row, 0, parent).data().toString()));
        }
    }

    void aCrossReferenceOpensTheTextSearchFromTheContextMenu() {
        OpenTreeSearch open(nullptr, test::kentRepertory());
        QStringList asked;
        open.window->setCrossReferenceHandler([&asked](const QString& words) { asked << words; });
        const QModelIndex stomach = open.model()
                                        .match(open.model().index(0, 0), Qt::DisplayRole,
                                               QStringLiteral("Magen"), 1, Qt::MatchExactly)
                                        .value(0);
        const QModelIndex section =
            open.model()
                .match(open.model().index(0, 0, stomach), Qt::DisplayRole,
                       QStringLiteral("Kloßgefühl (siehe: Stein)"), 1, Qt::MatchExactly)
                .value(0);
        QVERIFY(section.isValid());
        const QModelIndex rubric = open.model().index(0, 0, section);
        open.tree().expand(stomach);
        open.tree().expand(section);
        open.tree().scrollTo(rubric);
        QMenu* menu = open.window->contextMenuAt(open.visibleCentre(rubric));
        QVERIFY(menu != nullptr);
        QCOMPARE(menu->actions().size(), 1);
        QCOMPARE(menu->actions().front()->text(), QStringLiteral("Siehe: Stein"));
        menu->actions().front()->trigger();
        QCOMPARE(asked, QStringList{QStringLiteral("Stein")});
        delete menu;
        // A rubric without a reference has no menu.
        QCOMPARE(open.window->contextMenuAt(
                     open.visibleCentre(open.model().index(0, 0, open.model().index(0, 0, stomach)))),
                 nullptr);
    }

    void grabOfTheWindow() {
        OpenTreeSearch open;
        const QModelIndex rubric = open.model().rubricIndex(3);
        open.click(rubric);
        QVERIFY(
            open.window->grab().save(QStringLiteral(TELVARIN_TEST_OUTPUT_DIR "/symptom-search-window.png")));
    }
};

QTEST_MAIN(SymptomSearchWindowTest)
#include "SymptomSearchWindowTest.moc"
