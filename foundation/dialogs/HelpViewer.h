#pragma once

// Shows the program's help by topic number; the help window itself lives elsewhere.

#include <QString>

class QWidget;

namespace telvarin {

class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    virtual void showHelpTopic(int topic, QWidget* parent) = 0;

    // What the user is told when a topic cannot be shown: no help, or no page for the topic.
    static QString failedText() { return QStringLiteral("Failed to launch help."); }
};

// The topic of each window. The number names the topic's page (help/topic-N.html) and is what the
// pages' links lead to, so a topic keeps its number.
inline constexpr int kHelpTopicCaseInput = 13;
inline constexpr int kHelpTopicResults = 14;
inline constexpr int kHelpTopicSymptomTreeSearch = 15;
inline constexpr int kHelpTopicTextSearch = 16;
inline constexpr int kHelpTopicCaseHistory = 17;
inline constexpr int kHelpTopicRemedyOverview = 18;
inline constexpr int kHelpTopicSettings = 19;
inline constexpr int kHelpTopicFileCase = 23;
// Reached through links only: the polarity analysis with the Kent.
inline constexpr int kHelpTopicPolarity = 30;

} // namespace telvarin
