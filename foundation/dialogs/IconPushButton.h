#pragma once

// A push button with two pictures: the "hot" one while the pointer is over the button or the
// button is pressed, the normal one otherwise. The picture sits above the caption when the button
// is tall enough, which keeps the accelerator of the caption visible.

#include <QIcon>
#include <QPushButton>
#include <QString>

namespace telvarin {

// Where a button's two pictures are found (resource paths), hover first as the button takes them.
struct IconPair {
    QString hover;
    QString normal;
};

class IconPushButton : public QPushButton {
    Q_OBJECT

public:
    IconPushButton(const QString& text, const QIcon& hotIcon, const QIcon& normalIcon,
                   QWidget* parent = nullptr);

    void setIcons(const QIcon& hotIcon, const QIcon& normalIcon);
    void setIcons(const IconPair& pictures) { setIcons(QIcon(pictures.hover), QIcon(pictures.normal)); }
    bool showsHotIcon() const { return showsHot_; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void updateIcon();
    bool fitsIconAboveText() const;
    // The picture's size above the caption; invalid when not even a small one fits.
    QSize pictureSizeAboveText() const;
    void fitCaption();

    QIcon hotIcon_;
    QIcon normalIcon_;
    bool hovered_ = false;
    bool showsHot_ = false;
    int naturalStretch_ = 0;
};

} // namespace telvarin
