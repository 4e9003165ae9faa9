#pragma once

// What the tests of the two search windows share: the reference repertory, a recorded hand-over
// and help viewer, and a window opened over an in-memory store.

#include "data/BuiltinRepertory.h"
#include "foundation/dialogs/DialogBase.h"
#include "foundation/dialogs/HelpViewer.h"
#include "foundation/dialogs/MessageBoxes.h"
#include "foundation/settings/SettingsStore.h"
#include "foundation/settings/WindowPersistence.h"
#include "tests/ReferenceRepertory.h"
#include "ui/SearchWindowRules.h"

#include <QTest>
#include <stdexcept>
#include <utility>
#include <vector>

namespace telvarin::search_test {

inline const RepertoryDatabase& reference() {
    return test::referenceRepertory();
}

class RecordingHelp : public HelpViewer {
public:
    void showHelpTopic(int topic, QWidget*) override { topics.push_back(topic); }
    std::vector<int> topics;
};

// Every symptom handed to the case, as the case input window's addSymptom would get it.
struct HandedOver {
    std::vector<std::pair<RubricNumber, int>> symptoms;

    AddSymptomCallback callback() {
        return [this](RubricNumber number, int bd) { symptoms.emplace_back(number, bd); };
    }
};

struct Services {
    MemorySettingsStore store;
    PresetMessageBoxes messages;
    RecordingHelp help;

    DialogServices services() { return {&store, &help, &messages}; }
    bool hasPlacement(const QString& windowName) const {
        return store.readInt(placementSection(windowName), QStringLiteral("(check)"), 0) ==
               kPlacementComplete;
    }
};

inline void showAndWait(QWidget& window) {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        qWarning("the window was not exposed");
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        qWarning("the window did not become active");
}

} // namespace telvarin::search_test
