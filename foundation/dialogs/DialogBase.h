#pragma once

// The base of the program's dialogs: controls placed by dialog-unit rectangles, icon push buttons,
// the resizable layout, the placement record under the window's name, and help by topic number.
//
// Each window is drawn up as a template: its client size and every control's rectangle in dialog
// units. A dialog unit is a quarter of the dialog font's average character width across and an
// eighth of its line height down, so the whole window grows and shrinks with the font while its
// proportions and the captions' room stay the same.

#include "foundation/dialogs/DynamicLayout.h"
#include "foundation/dialogs/MessageBoxes.h"

#include <QDialog>
#include <QIcon>
#include <QRect>
#include <QString>
#include <limits>
#include <utility>

class QFont;

namespace telvarin {

class HelpViewer;
class IconPushButton;
struct IconPair;
class SettingsStore;
struct ProgramRepertories;

// The horizontal and vertical base units of a dialog font in pixels: four horizontal and eight
// vertical dialog units make one base unit.
struct DialogBaseUnits {
    int x = 0;
    int y = 0;

    bool operator==(const DialogBaseUnits&) const = default;
};

DialogBaseUnits dialogBaseUnitsOf(const QFont& font);

// A rectangle given as x, y, width, height in dialog units, in pixels. Each edge is converted on its
// own and rounded to the nearest pixel, halves away from zero; converting the width instead would
// let rounding open a gap or an overlap between controls that touch in the template.
QRect dialogUnitsToPixels(const QRect& dialogUnits, DialogBaseUnits baseUnits);
QSize dialogUnitsToPixels(const QSize& dialogUnits, DialogBaseUnits baseUnits);

// The dialog font, made smaller where need be (not below a legible 6 points), so that a template of
// the given size in dialog units fits into `room` pixels: on a small or highly scaled screen a
// whole window beats a cut-off one.
QFont fontFittingTemplate(const QFont& font, QSize templateSize, QSize room);

// Widens a control whose caption is wider than the control in its present font, up to the
// caption's width but not past rightEdge (pixels, in its parent); never narrows it. Dialog units
// follow the font's average character width, and a caption rich in wide letters ("M", "ß", "ö")
// can outgrow its template width in some fonts; cutting it off would hide its meaning.
void widenToCaption(QWidget& control, int rightEdge = std::numeric_limits<int>::max());

// What a dialog needs from the program; each may be null. Without a settings store the placement is
// neither restored nor saved, without a help viewer help reports that it failed, and without
// message boxes real ones are shown.
struct DialogServices {
    SettingsStore* settings = nullptr;
    HelpViewer* help = nullptr;
    MessageBoxes* messages = nullptr;
    // The repertory the program works with, against which a case history is checked before its
    // rubric numbers are filed or taken over; without it nothing is checked.
    const ProgramRepertories* repertories = nullptr;
};

class DialogBase : public QDialog {
    Q_OBJECT

public:
    // The dialog gets the client size of its template, given in dialog units.
    DialogBase(const QString& windowName, QSize templateSize, const DialogServices& services,
               QWidget* parent = nullptr);
    ~DialogBase() override;

    const QString& windowName() const { return windowName_; }
    DynamicLayout& dynamicLayout() { return *layout_; }
    const DynamicLayout& dynamicLayout() const { return *layout_; }
    DialogBaseUnits baseUnits() const { return baseUnits_; }
    QRect pixelRect(const QRect& dialogUnits) const { return dialogUnitsToPixels(dialogUnits, baseUnits_); }

    // The placement record "Dialog\<window name>"; the show state is never applied.
    bool restorePlacement();
    bool savePlacement();

    // Shows a help topic; F1 shows the dialog's own topic when it has one.
    void showHelp(int topic);
    void setHelpTopic(int topic) { helpTopic_ = topic; }
    int helpTopic() const { return helpTopic_; }

    SettingsStore* settingsStore() const { return services_.settings; }
    const ProgramRepertories* programRepertories() const { return services_.repertories; }
    MessageBoxes& messageBoxes() {
        return services_.messages != nullptr ? *services_.messages : screenMessages_;
    }

protected:
    // Records the initial size for the layout; the first step of a dialog's initialisation, after
    // its controls exist at their template positions.
    void setUpLayout() {
        keepGroupFramesClear();
        layout_->setUp();
    }
    bool addAnchor(QWidget* control, int horizontalCode, int verticalCode) {
        return layout_->addAnchor(control, horizontalCode, verticalCode);
    }

    // A control of the dialog, constructed with the given arguments and the dialog as parent, at a
    // rectangle in dialog units.
    template <typename Control, typename... Args>
    Control* addControl(const QRect& dialogUnits, Args&&... args) {
        auto* control = new Control(std::forward<Args>(args)..., this);
        control->setGeometry(pixelRect(dialogUnits));
        return control;
    }
    // Makes an existing widget a control of the dialog at a rectangle in dialog units.
    void placeControl(QWidget* control, const QRect& dialogUnits);

    IconPushButton* addIconPushButton(const QRect& dialogUnits, const QString& caption, const QIcon& hotIcon,
                                      const QIcon& normalIcon);
    IconPushButton* addIconPushButton(const QRect& dialogUnits, const QString& caption,
                                      const IconPair& pictures);

    // The icon push buttons along the edge of a window, each touching the one before: side by side
    // (Qt::Horizontal) or one below the other. 42 x 35 dialog units each: in the usual dialog fonts
    // room for the 32-pixel picture above a one-line caption such as "Übernehmen".
    class IconButtonRow {
    public:
        IconPushButton* add(const QString& caption, const IconPair& pictures);

    private:
        friend class DialogBase;
        IconButtonRow(DialogBase& dialog, QPoint firstTopLeft, Qt::Orientation orientation)
            : dialog_(dialog), next_(firstTopLeft, kSize), orientation_(orientation) {}

        static constexpr QSize kSize{42, 35};
        DialogBase& dialog_;
        QRect next_; // in dialog units
        Qt::Orientation orientation_;
    };
    // A row whose first button has its top left corner at firstTopLeft (dialog units).
    IconButtonRow iconButtonRow(QPoint firstTopLeft, Qt::Orientation orientation = Qt::Horizontal) {
        return IconButtonRow(*this, firstTopLeft, orientation);
    }

    void setDialogIcon(const QIcon& icon) { setWindowIcon(icon); }
    void setDialogIcon(const QString& iconPath) { setWindowIcon(QIcon(iconPath)); }

    void keyPressEvent(QKeyEvent* event) override;
    // Every opening brings the whole window onto the screen; a window shown again keeps its place.
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // The first activation after a showing: the window manager has framed the window by now.
    bool event(QEvent* event) override;

private:
    // The template puts a group box's title on its frame line, where this toolkit draws the frame
    // below the title or a check box's height, whichever is taller. With a font made smaller to fit
    // a small screen, the check boxes keep their size and would reach over the frame; their group
    // then moves its top edge up to clear them.
    void keepGroupFramesClear();

    QString windowName_;
    DialogServices services_;
    QtMessageBoxes screenMessages_;
    DialogBaseUnits baseUnits_;
    DynamicLayout* layout_; // owned by the dialog as its Qt child
    int helpTopic_ = 0;
    bool shownBefore_ = false;
    bool fittedInItsFrame_ = false; // since the last showing
    QRect hiddenNormalRect_;
};

} // namespace telvarin
