#pragma once

// The program's pictures: for every push button a pair (the picture shown while the pointer is over
// the button or it is pressed, and the one shown otherwise), the program icon and the question icon.
// All of them are compiled into the program as resources, see pictureSuffix().

#include "foundation/dialogs/IconPushButton.h"

#include <QIcon>
#include <QString>
#include <span>

namespace telvarin {

enum class ButtonIcon {
    Calculate,      // "&Berechnen"
    Quit,           // "Been&den"
    Help,           // "&Hilfe"
    CaseHistory,    // "&Fallhistorie"
    TextSearch,     // "&Textsuche"
    TreeSearch,     // "S&uchen"
    RemedyOverview, // "&Mittel-Ausw."
    Settings,       // "&Eigenschaften"
    Back,           // "&Zurück"
    Print,          // "&Drucken"
    FileCase,       // "&Ablegen"
    NewCase,        // "&Neu"
    TakeOver,       // "Ü&bernehmen"
    Add,            // "Hi&nzufügen"
    Search,         // "&Suche" of the remedy overview
    Ok,             // "&OK"
    Delete,         // "&Löschen"
    OrderByDate,    // "&Sortieren" while the cases are ordered by date
    OrderByName,    // "&Sortieren" while the cases are ordered by name
    Export,         // "&Export"
    Import,         // "&Import"
};

// How the pictures are stored: ".svg", or ".png" where Qt cannot show SVG (the Windows build),
// each PNG with a twice as large "@2x" one beside it, which QIcon takes on high-density screens.
QString pictureSuffix();

// The two pictures of a button.
IconPair iconPair(ButtonIcon role);

// Every button role, for whoever needs to walk the whole set.
std::span<const ButtonIcon> allButtonIcons();

// The scalable program icon; programIcon() adds the prepared pixel sizes so that small window icons
// stay sharp and no picture plug-in is needed for them.
QString programIconPath();
QIcon programIcon();

// The picture at the left of the question window.
QString questionIconPath();

} // namespace telvarin
