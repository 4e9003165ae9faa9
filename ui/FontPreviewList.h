#pragma once

// A drop-down list of the installed typefaces that shows each face's name followed by a sample
// written in that face, with a marker in front of scalable faces.

#include <QComboBox>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <map>
#include <vector>

namespace telvarin {

// One entry of the list: the face name and whether the face scales freely (the outline faces that
// are marked in the list).
struct FontFace {
    QString name;
    bool scalable = false;
};

// The installed faces of the screen, each once, hidden system faces left out.
std::vector<FontFace> installedFontFaces();

enum class FontPreviewStyle {
    NameOnly,       // the name alone, in the list's own font
    NameThenSample, // the name, then the sample in the face itself
};

class FontPreviewList : public QComboBox {
    Q_OBJECT

public:
    // The item data of a scalable face, as the font type of the face.
    static constexpr int kScalableFontType = 4;
    static constexpr int kDefaultSampleHeight = 16;
    static constexpr int kNameIndent = 15;
    static constexpr int kSampleGap = 20;

    explicit FontPreviewList(QWidget* parent = nullptr);
    ~FontPreviewList() override;

    void setPreviewStyle(FontPreviewStyle style, bool refill = false);
    FontPreviewStyle previewStyle() const { return style_; }
    // The pixel height of the samples; the list is filled again only when asked.
    void setSampleHeight(int pixelHeight, bool refill);
    int sampleHeight() const { return sampleHeight_; }
    static QString sampleText() { return QStringLiteral("abcdeABCDE"); }

    // Fills the list with the installed faces, sorted, and selects the first one.
    void fillWithInstalledFaces();
    void fillWith(std::vector<FontFace> faces);

    // Selects the first face whose name begins with the name (letter case ignored), else the first.
    void selectFace(const QString& name);
    // The selected face, or the empty string when nothing is selected.
    QString selectedFace() const;

    bool isScalable(int index) const;
    int itemHeight() const { return sampleHeight_ + 4; }
    int widestName() const { return widestName_; }
    int widestSample() const { return widestSample_; }
    // The font the sample of a face is written in; the list's own font when it has none.
    QFont sampleFont(const QString& face) const;
    // The width the open list gets: room for the widest name and the widest sample.
    int popupWidth() const;

    // Draws an item's marker, name and sample into a rectangle, the sample starting at
    // sampleOffset from the left edge after the name's indent.
    void paintItem(QPainter& painter, const QRect& rect, int index, bool selected, int sampleOffset) const;

    void showPopup() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont makeSampleFont(const QString& face) const;
    void measure(const QString& face);

    FontPreviewStyle style_ = FontPreviewStyle::NameThenSample;
    int sampleHeight_ = kDefaultSampleHeight;
    int widestName_ = 0;
    int widestSample_ = 0;
    std::map<QString, QFont> sampleFonts_;
    QPixmap scalableMarker_;
};

} // namespace telvarin
