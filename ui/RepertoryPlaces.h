#pragma once

// Where the program finds repertories: the shipped one installed beside the program
// (share/telvarin/repertorien, relative to the executable) or, started from the build tree, in
// the build tree; the user's own in ~/.local/share/telvarin/repertorien.

#include "repertory/RepertoryInfo.h"

#include <QString>
#include <string>
#include <vector>

namespace telvarin {

inline constexpr const char* kShippedRepertoryFileName = "kent-de.dat";

QString installedRepertoryFolder();
QString userRepertoryFolder();

// The places of the shipped repertory, the installed one first.
std::vector<std::string> shippedRepertoryFiles();
// The folders whose data files the settings dialog offers: installed (or the build tree's), then
// the user's.
std::vector<std::string> repertoryFolders();

// How the windows and the help name the repertory in use.
struct RepertoryDescription {
    QString name; // the info file's name, else the data file's path; the built-in one's name
    QString source;
    QString licence;
    bool builtin = true;
};

// dataFile is empty for the built-in repertory.
RepertoryDescription describeRepertory(const RepertoryInfo& info, const std::string& dataFile);

} // namespace telvarin
