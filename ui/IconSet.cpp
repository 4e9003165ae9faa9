#include "ui/IconSet.h"

#include <array>

namespace telvarin {

namespace {

constexpr std::array kButtonIcons{
    ButtonIcon::Calculate,  ButtonIcon::Quit,        ButtonIcon::Help,           ButtonIcon::CaseHistory,
    ButtonIcon::TextSearch, ButtonIcon::TreeSearch,  ButtonIcon::RemedyOverview, ButtonIcon::Settings,
    ButtonIcon::Back,       ButtonIcon::Print,       ButtonIcon::FileCase,       ButtonIcon::NewCase,
    ButtonIcon::TakeOver,   ButtonIcon::Add,         ButtonIcon::Search,         ButtonIcon::Ok,
    ButtonIcon::Delete,     ButtonIcon::OrderByDate, ButtonIcon::OrderByName,    ButtonIcon::Export,
    ButtonIcon::Import,
};

const char* baseName(ButtonIcon role) {
    switch (role) {
    case ButtonIcon::Calculate:
        return "calculate";
    case ButtonIcon::Quit:
        return "quit";
    case ButtonIcon::Help:
        return "help";
    case ButtonIcon::CaseHistory:
        return "case-history";
    case ButtonIcon::TextSearch:
        return "text-search";
    case ButtonIcon::TreeSearch:
        return "tree-search";
    case ButtonIcon::RemedyOverview:
        return "remedy-overview";
    case ButtonIcon::Settings:
        return "settings";
    case ButtonIcon::Back:
        return "back";
    case ButtonIcon::Print:
        return "print";
    case ButtonIcon::FileCase:
        return "file-case";
    case ButtonIcon::NewCase:
        return "new-case";
    case ButtonIcon::TakeOver:
        return "take-over";
    case ButtonIcon::Add:
        return "add";
    case ButtonIcon::Search:
        return "search";
    case ButtonIcon::Ok:
        return "ok";
    case ButtonIcon::Delete:
        return "delete";
    case ButtonIcon::OrderByDate:
        return "order-by-date";
    case ButtonIcon::OrderByName:
        return "order-by-name";
    case ButtonIcon::Export:
        return "export";
    case ButtonIcon::Import:
        return "import";
    }
    return "help";
}

constexpr std::array kProgramIconSizes{16, 24, 32, 48, 64, 128, 256};

QString iconPath(const QString& name) {
    return QStringLiteral(":/icons/") + name + pictureSuffix();
}

} // namespace

QString pictureSuffix() {
    return TELVARIN_SVG_PICTURES ? QStringLiteral(".svg") : QStringLiteral(".png");
}

IconPair iconPair(ButtonIcon role) {
    const QString base = QLatin1String(baseName(role));
    return {iconPath(base + QStringLiteral("-hover")), iconPath(base)};
}

std::span<const ButtonIcon> allButtonIcons() {
    return kButtonIcons;
}

QString programIconPath() {
    return iconPath(QStringLiteral("telvarin"));
}

QIcon programIcon() {
    QIcon icon;
    for (int size : kProgramIconSizes) {
        icon.addFile(QStringLiteral(":/icons/telvarin-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

QString questionIconPath() {
    return iconPath(QStringLiteral("question"));
}

} // namespace telvarin
