#include "ui/QuestionWindow.h"

#include "foundation/dialogs/DialogBase.h"
#include "ui/IconSet.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <algorithm>

namespace telvarin {

namespace {

// The template in dialog units: the icon at the left, the line of text beside it, the two buttons
// centred underneath.
constexpr QSize kTemplateSize(186, 58);
constexpr QRect kIconRect(8, 8, 21, 20);
constexpr QRect kTextRect(38, 13, 140, 10);
constexpr int kButtonTop = 37;
constexpr QSize kButtonSize(50, 14);
constexpr int kButtonGap = 8;
constexpr int kTextRightMargin = 8;
constexpr int kWrapWidthInCharacters = 70;

} // namespace

QuestionWindow::QuestionWindow(const QString& question, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), text_(new QLabel(question, this)),
      yes_(new QPushButton(QStringLiteral("&Ja"), this)),
      no_(new QPushButton(QStringLiteral("&Nein"), this)) {
    setWindowTitle(programTitle());
    setModal(true);
    const DialogBaseUnits units = dialogBaseUnitsOf(font());

    auto* icon = new QLabel(this);
    const QRect iconRect = dialogUnitsToPixels(kIconRect, units);
    icon->setGeometry(iconRect);
    icon->setPixmap(QIcon(questionIconPath()).pixmap(iconRect.size().boundedTo(QSize(32, 32))));
    icon->setAlignment(Qt::AlignCenter);

    // One line of text: a longer question widens the window instead of wrapping. A question of
    // several paragraphs is wrapped at a readable width instead, and the window grows downwards.
    QRect textRect = dialogUnitsToPixels(kTextRect, units);
    text_->setTextFormat(Qt::PlainText);
    const QFontMetrics metrics(font());
    int extraHeight = 0;
    if (question.contains(u'\n')) {
        int widest = 0;
        for (const QString& word : question.split(QRegularExpression(QStringLiteral("\\s+"))))
            widest = std::max(widest, metrics.horizontalAdvance(word));
        textRect.setWidth(
            std::max({textRect.width(), kWrapWidthInCharacters * metrics.averageCharWidth(), widest + 4}));
        text_->setWordWrap(true);
        const int height = text_->heightForWidth(textRect.width());
        extraHeight = std::max(0, height - textRect.height());
        textRect.setHeight(textRect.height() + extraHeight);
    } else {
        textRect.setWidth(std::max(textRect.width(), metrics.horizontalAdvance(question) + 4));
    }
    text_->setGeometry(textRect);

    const QSize templatePixels = dialogUnitsToPixels(kTemplateSize, units);
    const int width =
        std::max(templatePixels.width(),
                 textRect.right() + 1 + dialogUnitsToPixels(QSize(kTextRightMargin, 0), units).width());
    const int buttonsWidth = 2 * kButtonSize.width() + kButtonGap;
    const int buttonsLeft = (width * 4 / units.x - buttonsWidth) / 2;
    yes_->setGeometry(dialogUnitsToPixels(QRect(QPoint(buttonsLeft, kButtonTop), kButtonSize), units)
                          .translated(0, extraHeight));
    no_->setGeometry(
        dialogUnitsToPixels(
            QRect(QPoint(buttonsLeft + kButtonSize.width() + kButtonGap, kButtonTop), kButtonSize), units)
            .translated(0, extraHeight));
    yes_->setDefault(true);
    yes_->setAutoDefault(true);
    no_->setAutoDefault(true);
    setFixedSize(width, templatePixels.height() + extraHeight);

    connect(yes_, &QPushButton::clicked, this, [this] { done(kYes); });
    connect(no_, &QPushButton::clicked, this, [this] { done(kNo); });
    yes_->setFocus();
}

QString QuestionWindow::question() const {
    return text_->text();
}

bool QuestionWindowMessageBoxes::askYesNo(QWidget* parent, const QString& question) {
    QuestionWindow window(question, parent);
    return window.exec() == QuestionWindow::kYes;
}

} // namespace telvarin
