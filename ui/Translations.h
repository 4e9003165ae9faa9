#pragma once

// The toolkit's own texts (file and print dialogs, the overwrite question, the context menus of
// text fields) in German, whatever the user's locale: the whole interface is German.

class QCoreApplication;

namespace telvarin {

// Installs the toolkit's German translations in the application; false when none could be found
// (the toolkit's texts then stay English).
bool installGermanToolkitTranslations(QCoreApplication& app);

} // namespace telvarin
