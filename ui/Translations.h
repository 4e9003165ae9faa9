#pragma once

// The toolkit's own texts (file and print dialogs, the overwrite question, the context menus of
// text fields) in German, and its sizes and dates German too, whatever the user's locale: the
// whole interface is German.

class QApplication;
class QCoreApplication;

namespace telvarin {

// The desktop's locale as the toolkit's own dialogs use it (the file dialog's sizes and dates),
// German for the whole run; German also as the default of every window. Called before the
// application object exists, which fixes the desktop's locale from the environment as it starts.
// The environment itself is left as the user set it.
void useGermanLocale();

// Installs the toolkit's German translations in the application; false when none could be found
// (the toolkit's texts then stay English).
bool installGermanToolkitTranslations(QCoreApplication& app);

// Every file dialog the toolkit shows, the program's own and the print dialog's, opens with its
// size and date columns wide enough for their German texts.
void fitFileDialogColumns(QApplication& app);

} // namespace telvarin
