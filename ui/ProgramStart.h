#pragma once

// The start of the process: the program's name for the settings store, the splash window, the
// case history path and the case input window as the main window.

#include "repertory/RepertoryDatabase.h"

#include <QString>
#include <functional>

namespace telvarin {

class CaseInputWindow;
class MessageBoxes;
class SettingsStore;

// Organisation "Kesto", application "OrvandWCE": where the settings store keeps the values.
void registerProgramIdentity();

// The case history file of the run: "historie.xml" in the start directory, with exactly one
// separator in between.
QString historyPathOfStartDirectory(const QString& startDirectory);

// A repertory of the practitioner's own: this data file in the start directory, next to the case
// history, is used instead of the built-in repertory when it is valid.
inline constexpr const char* kOwnRepertoryFileName = "repertorium.dat";

struct ProgramStartHooks {
    // The built-in repertory; the compiled-in one unless given.
    std::function<RepertoryLoadResult()> loadRepertory;
    // Runs once the case input window is shown and the event loop is running.
    std::function<void(CaseInputWindow&)> whenReady;
};

// Everything after the application object exists: the splash window, the repertory (the start
// directory's own file when valid, otherwise the built-in one; a damaged built-in one is reported
// and ends the program with 1), then the case input window until it is quit.
int runProgram(SettingsStore& store, MessageBoxes& messages, const ProgramStartHooks& hooks = {});

} // namespace telvarin
