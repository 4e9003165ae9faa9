#include "ui/HelpWindow.h"

#include "foundation/dialogs/WindowPlacement.h"
#include "foundation/grid/GridColours.h"
#include "ui/IconSet.h"

#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

namespace telvarin {

namespace {

// Headings and table heads in the program's teal, lighter on a dark desktop, so that they stand
// out from the page as much there.
QString pageStyle(const QPalette& palette) {
    const bool dark = isDarkPalette(palette);
    return QStringLiteral("h1 { font-size: x-large; color: %1; }"
                          "h2 { font-size: large; color: %1; }"
                          "table { border-collapse: collapse; border-color: %2; }"
                          "th { background-color: %3; text-align: left; }"
                          "td { vertical-align: top; }"
                          "td, th { border: 1px solid %2; }"
                          "code { font-family: monospace; }")
        .arg(dark ? QStringLiteral("#8cc4d0") : QStringLiteral("#2b5f6b"),
             dark ? QStringLiteral("#5a6b70") : QStringLiteral("#b7c6cb"),
             dark ? QStringLiteral("#2f4349") : QStringLiteral("#e4eef0"));
}

void showFailureBox(QWidget* parent, const QString& message) {
    QMessageBox::warning(parent, QStringLiteral("Telvarin"), message);
}

// The help pages, with the texts only the running program knows filled in.
class HelpBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

    RepertoryDescription repertory = describeRepertory({}, {});
    QString historyPath;

    QVariant loadResource(int type, const QUrl& name) override {
        if (type != QTextDocument::HtmlResource || helpTopicOfSource(name) < 0)
            return QTextBrowser::loadResource(type, name);
        QFile page(QLatin1Char(':') + name.path());
        if (!page.open(QIODevice::ReadOnly))
            return {};
        return filledHelpPage(QString::fromUtf8(page.readAll()), repertory, historyPath);
    }
};

} // namespace

QString filledHelpPage(QString page, const RepertoryDescription& repertory, const QString& historyPath) {
    const QString unknown = QStringLiteral("nicht angegeben");
    const auto text = [&unknown](const QString& value) {
        return (value.isEmpty() ? unknown : value).toHtmlEscaped();
    };
    return page.replace(QStringLiteral("{{Repertorium}}"), text(repertory.name))
        .replace(QStringLiteral("{{Quelle}}"), text(repertory.source))
        .replace(QStringLiteral("{{Lizenz}}"), text(repertory.licence))
        .replace(QStringLiteral("{{Fallhistorie}}"), text(QDir::toNativeSeparators(historyPath)));
}

QString helpPagePath(int topic) {
    return QStringLiteral(":/help/topic-%1.html").arg(topic);
}

bool hasHelpPage(int topic) {
    return QFile::exists(helpPagePath(topic));
}

int helpTopicOfSource(const QUrl& source) {
    static const QRegularExpression pageName(QStringLiteral("^/help/topic-(\\d{1,4})\\.html$"));
    if (source.scheme() != QLatin1String("qrc")) {
        return -1;
    }
    const QRegularExpressionMatch match = pageName.match(source.path());
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new HelpBrowser(this)), failureNotice_(showFailureBox) {
    setWindowTitle(QStringLiteral("Hilfe"));
    setWindowIcon(programIcon());
    browser_->document()->setDefaultStyleSheet(pageStyle(browser_->palette()));
    browser_->setOpenExternalLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(640, 600);

    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::followSource);
    auto* closeKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);
}

void HelpWindow::describe(const RepertoryDescription& repertory, const QString& historyPath) {
    auto* browser = static_cast<HelpBrowser*>(browser_);
    browser->repertory = repertory;
    browser->historyPath = historyPath;
    if (!browser_->source().isEmpty())
        browser_->reload();
}

void HelpWindow::setFailureNotice(FailureNotice notice) {
    failureNotice_ = notice ? std::move(notice) : FailureNotice(showFailureBox);
}

int HelpWindow::currentTopic() const {
    return helpTopicOfSource(browser_->source());
}

void HelpWindow::showHelpTopic(int topic, QWidget* parent) {
    if (!hasHelpPage(topic)) {
        failureNotice_(parent, failedText());
        return;
    }
    const QUrl page(QStringLiteral("qrc") + helpPagePath(topic));
    if (browser_->source() == page) {
        browser_->reload();
    } else {
        browser_->setSource(page);
    }
    QWidget* owner = parent ? parent->window() : nullptr;
    if (!placed_ && owner) {
        placeBeside(owner);
        placed_ = true;
    }
    // A modal window blocks every window that is not its own; as its transient child the help
    // stays readable and scrollable while the asking dialog is open.
    create();
    if (QWindow* handle = windowHandle()) {
        handle->setTransientParent(owner && owner != this ? owner->windowHandle() : nullptr);
    }
    if (!isVisible())
        fitWindowOnScreen(*this);
    show();
    raise();
    activateWindow();
}

void HelpWindow::followSource(const QUrl& source) {
    const QString title = browser_->documentTitle();
    setWindowTitle(title.isEmpty() || helpTopicOfSource(source) < 0 ? QStringLiteral("Hilfe")
                                                                    : QStringLiteral("Hilfe - ") + title);
}

void HelpWindow::placeBeside(QWidget* owner) {
    const QRect ownerFrame = owner->frameGeometry();
    const QScreen* screen = owner->screen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    QPoint topLeft(ownerFrame.right() + 8, ownerFrame.top());
    if (available.isValid() && topLeft.x() + width() > available.right()) {
        // Not enough room to the right: keep the asking window visible at least on its left side.
        topLeft.setX(std::max(available.left(), available.right() - width()));
    }
    if (available.isValid()) {
        topLeft.setY(std::clamp(topLeft.y(), available.top(),
                                std::max(available.top(), available.bottom() - height())));
    }
    move(topLeft);
}

} // namespace telvarin
