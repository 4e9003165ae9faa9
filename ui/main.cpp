#include "foundation/SettingsStore.h"
#include "ui/ProgramStart.h"
#include "ui/QuestionWindow.h"
#include "ui/Translations.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    telvarin::installGermanToolkitTranslations(app);
    telvarin::registerProgramIdentity();
    telvarin::QSettingsStore settings;
    telvarin::QuestionWindowMessageBoxes messages;
    return telvarin::runProgram(settings, messages);
}
