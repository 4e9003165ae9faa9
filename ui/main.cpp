#include "foundation/settings/SettingsStore.h"
#include "ui/ApplicationStart.h"
#include "ui/ProgramArguments.h"
#include "ui/ProgramStart.h"
#include "ui/QuestionWindow.h"
#include "ui/Translations.h"

#include <QApplication>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    // Answered before QApplication, which needs a display.
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (const std::optional<int> exitCode = telvarin::answerProgramArguments(arguments, std::cout, std::cerr))
        return *exitCode;

    // Before any window or dialog, and before the application object fixes the desktop's locale.
    telvarin::useGermanLocale();
    const std::unique_ptr<QApplication> app = telvarin::createApplication(argc, argv, std::cerr);
    if (!app)
        return 1;
    telvarin::installGermanToolkitTranslations(*app);
    telvarin::fitFileDialogColumns(*app);
    telvarin::registerProgramIdentity();
    // Lets the desktop match the windows to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("de.kesto.telvarin"));
    telvarin::QSettingsStore settings;
    telvarin::QuestionWindowMessageBoxes messages;
    return telvarin::runProgram(settings, messages);
}
