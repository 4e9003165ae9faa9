#include "ui/ApplicationStart.h"

#include "foundation/dialogs/FocusFrameStyle.h"

#include <QByteArray>
#include <QString>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

namespace telvarin {
namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// What the platform reports while the application object is created. A message handler is a plain
// function, so this lives at file scope, and only while the object is being created.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
struct HeldMessages {
    std::ostream* err = nullptr;
    QtMessageHandler previous = nullptr;
    std::vector<HeldMessage> messages;
};
HeldMessages* held = nullptr;

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        held->messages.push_back({type, QByteArray(context.category), text});
        return;
    }
    // Qt aborts after this returns; the platform it could not start is no crash of the program.
    const std::string display = environment("DISPLAY");
    *held->err << "telvarin: die grafische Anzeige"
               << (display.empty() ? std::string() : " \"" + display + "\"")
               << " lässt sich nicht ö"
                  "ffnen; das Programm braucht eine X11- oder "
                  "Wayland-Sitzung.\n"
               << std::flush;
    std::_Exit(1);
}

} // namespace

std::unique_ptr<QApplication> createApplication(int& argc, char** argv, std::ostream& err) {
    // The toolkit's own choice of platform, which needs one of these, fails without them.
    if (environment("QT_QPA_PLATFORM").empty() && environment("DISPLAY").empty() &&
        environment("WAYLAND_DISPLAY").empty()) {
        err << "telvarin: keine grafische Anzeige (DISPLAY ist nicht gesetzt); das Programm braucht eine "
               "X11- oder Wayland-Sitzung.\n";
        return nullptr;
    }
    HeldMessages messages{&err, nullptr, {}};
    held = &messages;
    messages.previous = qInstallMessageHandler(holdMessage);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(messages.previous);
    held = nullptr;
    // Started after all: what the platform said goes where it would have gone.
    for (const HeldMessage& message : messages.messages)
        qt_message_output(message.type, QMessageLogContext(nullptr, 0, nullptr, message.category.constData()),
                          message.text);
    // The application takes the style over.
    QApplication::setStyle(new FocusFrameStyle);
    return app;
}

} // namespace telvarin
