#include "ui/RepertoryPlaces.h"

#include "foundation/text/QtCodePage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace telvarin {

namespace {

std::string fileName(const QString& path) {
    return toFilePath(path);
}

QString buildTreeRepertoryFile() {
#ifdef TELVARIN_KENT_DE_BUILD_FILE
    return QString::fromUtf8(TELVARIN_KENT_DE_BUILD_FILE);
#else
    return {};
#endif
}

} // namespace

QString installedRepertoryFolder() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/../share/telvarin/repertorien"));
}

QString userRepertoryFolder() {
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                           QStringLiteral("/telvarin/repertorien"));
}

std::vector<std::string> shippedRepertoryFiles() {
    std::vector<std::string> files{
        fileName(installedRepertoryFolder() + u'/' + QString::fromLatin1(kShippedRepertoryFileName))};
    if (const QString built = buildTreeRepertoryFile(); !built.isEmpty())
        files.push_back(fileName(built));
    return files;
}

std::vector<std::string> repertoryFolders() {
    std::vector<std::string> folders{fileName(installedRepertoryFolder())};
    // Started from the build tree, the shipped repertory lies there.
    if (const QString built = buildTreeRepertoryFile();
        !built.isEmpty() && !QDir(installedRepertoryFolder()).exists())
        folders.push_back(fileName(QFileInfo(built).absolutePath()));
    folders.push_back(fileName(userRepertoryFolder()));
    return folders;
}

RepertoryDescription describeRepertory(const RepertoryInfo& info, const std::string& dataFile) {
    const RepertoryInfo shown = dataFile.empty() ? builtinRepertoryInfo() : info;
    const QString name = dataFile.empty() || !info.name.empty()
                             ? fromWindows1252(shown.name)
                             : QDir::toNativeSeparators(fromFilePath(dataFile));
    return {name, fromWindows1252(shown.source), fromWindows1252(shown.licence), dataFile.empty()};
}

} // namespace telvarin
