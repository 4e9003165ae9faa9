#pragma once

// The start of the process: the program's name for the settings store, the splash window, the
// case history path and the case input window as the main window.

#include "repertory/RepertoryDatabase.h"

#include <QString>
#include <functional>

namespace telvarin {

class CaseInputWindow;
class MessageBoxes;
class PracticeFolderQuestions;
class SettingsStore;

// Organisation "Kesto", application "OrvandWCE": where the settings store keeps the values.
void registerProgramIdentity();

// The case history file of the run: "historie.xml" in the practice folder, with exactly one
// separator in between.
QString historyPathOfStartDirectory(const QString& startDirectory);

struct ProgramStartHooks {
    // The built-in repertory; the compiled-in one unless given.
    std::function<RepertoryLoadResult()> loadRepertory;
    // Runs once the case input window is shown and the event loop is running.
    std::function<void(CaseInputWindow&)> whenReady;
    // The questions about the practice folder; the screen's unless given.
    PracticeFolderQuestions* practiceFolder = nullptr;
};

// Everything after the application object exists: the splash window, the practice folder (see
// settlePracticeFolder; the user may quit there, with 0), the repertory (see
// repertory/RepertoryChoice.h: a file that cannot be used is reported and the next one taken; a
// damaged built-in one ends the program with 1), then the case input window until it is quit.
int runProgram(SettingsStore& store, MessageBoxes& messages, const ProgramStartHooks& hooks = {});

} // namespace telvarin
