#include "ui/FontPreviewList.h"

#include "ui/SettingsDialogRules.h"

#include <QAbstractItemView>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <algorithm>

namespace telvarin {

namespace {

// Two overlapping letters T, grey behind dark, the customary sign of an outline face.
QPixmap paintScalableMarker() {
    QPixmap marker(11, 12);
    marker.fill(Qt::transparent);
    QPainter painter(&marker);
    const auto letterT = [&painter](int x, int y, const QColor& colour) {
        painter.fillRect(x, y, 8, 2, colour);
        painter.fillRect(x + 3, y, 2, 9, colour);
    };
    letterT(0, 0, QColor(0x8c, 0x8c, 0x8c));
    letterT(3, 3, QColor(0x20, 0x30, 0x48));
    return marker;
}

bool faceBefore(const FontFace& a, const FontFace& b) {
    const int order = QString::compare(a.name, b.name, Qt::CaseInsensitive);
    return order != 0 ? order < 0 : a.name < b.name;
}

class FontPreviewDelegate : public QStyledItemDelegate {
public:
    explicit FontPreviewDelegate(FontPreviewList& list) : QStyledItemDelegate(&list), list_(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        painter->save();
        painter->fillRect(option.rect, selected ? option.palette.highlight() : option.palette.base());
        list_.paintItem(*painter, option.rect, index.row(), selected,
                        list_.widestName() + FontPreviewList::kSampleGap);
        if (option.state.testFlag(QStyle::State_HasFocus)) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            focus.backgroundColor =
                selected ? option.palette.highlight().color() : option.palette.base().color();
            list_.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
        }
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {list_.popupWidth(), list_.itemHeight()};
    }

private:
    FontPreviewList& list_;
};

} // namespace

std::vector<FontFace> installedFontFaces() {
    std::vector<FontFace> faces;
    for (const QString& family : QFontDatabase::families()) {
        if (!QFontDatabase::isPrivateFamily(family))
            faces.push_back({family, QFontDatabase::isSmoothlyScalable(family)});
    }
    return faces;
}

FontPreviewList::FontPreviewList(QWidget* parent)
    : QComboBox(parent), scalableMarker_(paintScalableMarker()) {
    setEditable(false);
    setItemDelegate(new FontPreviewDelegate(*this));
    setMaxVisibleItems(12);
}

FontPreviewList::~FontPreviewList() = default;

void FontPreviewList::setPreviewStyle(FontPreviewStyle style, bool refill) {
    style_ = style;
    if (refill)
        fillWithInstalledFaces();
}

void FontPreviewList::setSampleHeight(int pixelHeight, bool refill) {
    sampleHeight_ = std::max(pixelHeight, 1);
    if (refill)
        fillWithInstalledFaces();
}

void FontPreviewList::fillWithInstalledFaces() {
    fillWith(installedFontFaces());
}

void FontPreviewList::fillWith(std::vector<FontFace> faces) {
    std::sort(faces.begin(), faces.end(), faceBefore);
    faces.erase(std::unique(faces.begin(), faces.end(),
                            [](const FontFace& a, const FontFace& b) { return a.name == b.name; }),
                faces.end());
    clear();
    sampleFonts_.clear();
    widestName_ = 0;
    widestSample_ = 0;
    for (const FontFace& face : faces) {
        addItem(face.name, face.scalable ? kScalableFontType : 0);
        if (style_ != FontPreviewStyle::NameOnly)
            sampleFonts_.emplace(face.name, makeSampleFont(face.name));
        measure(face.name);
    }
    setCurrentIndex(count() > 0 ? 0 : -1);
}

void FontPreviewList::selectFace(const QString& name) {
    QStringList faces;
    faces.reserve(count());
    for (int i = 0; i < count(); ++i)
        faces.push_back(itemText(i));
    setCurrentIndex(faceIndexForName(faces, name));
}

QString FontPreviewList::selectedFace() const {
    return currentIndex() >= 0 ? itemText(currentIndex()) : QString();
}

bool FontPreviewList::isScalable(int index) const {
    return (itemData(index).toInt() & kScalableFontType) != 0;
}

QFont FontPreviewList::sampleFont(const QString& face) const {
    const auto found = sampleFonts_.find(face);
    return found != sampleFonts_.end() ? found->second : font();
}

int FontPreviewList::popupWidth() const {
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) + widestName_ + widestSample_ + 35;
}

void FontPreviewList::paintItem(QPainter& painter, const QRect& rect, int index, bool selected,
                                int sampleOffset) const {
    if (index < 0 || index >= count())
        return;
    const QString face = itemText(index);
    if (isScalable(index))
        painter.drawPixmap(rect.left() + 2, rect.top() + (rect.height() - scalableMarker_.height()) / 2,
                           scalableMarker_);
    const QRect nameRect = rect.adjusted(kNameIndent, 0, 0, 0);
    painter.setPen(selected ? palette().highlightedText().color() : palette().text().color());
    painter.setFont(font());
    painter.drawText(nameRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, face);
    if (style_ == FontPreviewStyle::NameOnly)
        return;
    painter.setPen(selected ? palette().highlightedText().color() : palette().windowText().color());
    painter.setFont(sampleFont(face));
    painter.drawText(nameRect.adjusted(sampleOffset, 0, 0, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, sampleText());
}

void FontPreviewList::showPopup() {
    view()->setMinimumWidth(popupWidth());
    QComboBox::showPopup();
}

void FontPreviewList::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const int index = currentIndex();
    if (index < 0)
        return;
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const bool selected = hasFocus() && !view()->isVisible();
    painter.setClipRect(field);
    if (selected)
        painter.fillRect(field, palette().highlight());
    const int nameWidth = QFontMetrics(font()).horizontalAdvance(itemText(index));
    paintItem(painter, field, index, selected, nameWidth + kSampleGap);
}

QFont FontPreviewList::makeSampleFont(const QString& face) const {
    QFont sample;
    sample.setFamilies({face});
    sample.setPixelSize(sampleHeight_);
    sample.setWeight(QFont::Normal);
    sample.setStyleStrategy(QFont::PreferAntialias);
    return sample;
}

void FontPreviewList::measure(const QString& face) {
    widestName_ = std::max(widestName_, QFontMetrics(font()).horizontalAdvance(face));
    if (style_ != FontPreviewStyle::NameOnly)
        widestSample_ =
            std::max(widestSample_, QFontMetrics(sampleFont(face)).horizontalAdvance(sampleText()));
}

} // namespace telvarin
