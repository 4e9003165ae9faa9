#pragma once

// The program's help: a modeless window that shows the built-in German page of a help topic.

#include "foundation/dialogs/HelpViewer.h"
#include "ui/RepertoryPlaces.h"

#include <QString>
#include <QWidget>
#include <functional>

class QTextBrowser;
class QUrl;

namespace telvarin {

// A page's text with its placeholders filled: {{Repertorium}}, {{Quelle}}, {{Lizenz}} name the
// repertory in use, {{Fallhistorie}} the case history file. The values are escaped for HTML.
QString filledHelpPage(QString page, const RepertoryDescription& repertory, const QString& historyPath);

// Resource path of a topic's page, whether or not the page exists.
QString helpPagePath(int topic);
bool hasHelpPage(int topic);
// The topic a page's address belongs to, or -1 when it is not a help page.
int helpTopicOfSource(const QUrl& source);

class HelpWindow : public QWidget, public HelpViewer {
    Q_OBJECT

public:
    // How the window reports a topic without a page; a message box unless replaced.
    using FailureNotice = std::function<void(QWidget* parent, const QString& message)>;

    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the page of the topic and brings the window to the front. The window stays usable
    // while the asking window is modal, since it becomes that window's transient child.
    void showHelpTopic(int topic, QWidget* parent) override;

    void setFailureNotice(FailureNotice notice);
    // What the pages say about the repertory in use and where the case history lies; until told,
    // they describe the built-in repertory.
    void describe(const RepertoryDescription& repertory, const QString& historyPath);

    // The topic whose page is shown (also after following a link), or -1 before the first page.
    int currentTopic() const;
    QTextBrowser* browser() const { return browser_; }

private:
    void followSource(const QUrl& source);
    void placeBeside(QWidget* owner);

    QTextBrowser* browser_;
    FailureNotice failureNotice_;
    bool placed_ = false;
};

} // namespace telvarin
