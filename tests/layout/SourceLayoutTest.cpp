// The rules of the project's structure, checked on its sources: the operating system is reached
// only through foundation/files, no header includes itself through others, each folder includes
// only the libraries its targets link (the links in the CMake files, which the README's layout
// table must name), the core knows no Qt, and no window but the program start reaches into the
// case input window.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct SourceFile {
    std::string path; // from the source root, with "/"
    std::vector<std::string> quoted;
    std::vector<std::string> angled;
};

const std::vector<std::string> kSourceFolders = {"foundation", "repertory", "analysis", "history", "server",
                                                 "tools",      "data",      "ui",       "tests",   "bench"};

bool isSource(const fs::path& path) {
    const std::string extension = path.extension().string();
    return extension == ".h" || extension == ".cpp";
}

SourceFile read(const fs::path& root, const fs::path& file) {
    static const std::regex include(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    SourceFile source{fs::relative(file, root).generic_string(), {}, {}};
    std::ifstream in(file);
    std::smatch match;
    for (std::string line; std::getline(in, line);) {
        if (std::regex_search(line, match, include))
            (match[1] == "<" ? source.angled : source.quoted).push_back(match[2]);
    }
    return source;
}

const std::vector<SourceFile>& projectSources() {
    static const std::vector<SourceFile> sources = [] {
        const fs::path root(TELVARIN_SOURCE_DIR);
        std::vector<SourceFile> found;
        for (const std::string& folder : kSourceFolders) {
            for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
                if (entry.is_regular_file() && isSource(entry.path()))
                    found.push_back(read(root, entry.path()));
            }
        }
        std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.path < b.path; });
        return found;
    }();
    return sources;
}

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::vector<std::string> fields(const std::string& line, char separator) {
    std::vector<std::string> found;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, separator);)
        found.push_back(field);
    return found;
}

// A library or program of the project as the build links it (tests/layout/CMakeLists.txt).
struct Target {
    std::string folder; // from the source root, with a trailing "/"
    std::vector<std::string> publicLinks;
    std::vector<std::string> privateLinks;
};

const std::map<std::string, Target>& projectTargets() {
    static const std::map<std::string, Target> targets = [] {
        std::map<std::string, Target> read;
        std::ifstream in(TELVARIN_LAYOUT_LINKS);
        for (std::string line; std::getline(in, line);) {
            std::vector<std::string> field = fields(line, '\t');
            field.resize(4);
            std::istringstream publicLinks(field[2]);
            std::istringstream privateLinks(field[3]);
            read[field[1]] = {field[0] + "/",
                              {std::istream_iterator<std::string>(publicLinks), {}},
                              {std::istream_iterator<std::string>(privateLinks), {}}};
        }
        return read;
    }();
    return targets;
}

// The library folder a path belongs to, the longest that matches; empty for tests and benchmarks.
std::string libraryOf(const std::string& path) {
    std::string library;
    for (const auto& [name, target] : projectTargets()) {
        if (startsWith(path, target.folder) && target.folder.size() > library.size())
            library = target.folder;
    }
    return library;
}

// What the sources of a folder may include: the folders of the targets its targets link, and of
// what those pass on publicly.
std::set<std::string> foldersUsableFrom(const std::string& folder) {
    std::set<std::string> usable;
    std::vector<std::string> pending;
    for (const auto& [name, target] : projectTargets()) {
        if (target.folder != folder)
            continue;
        pending.insert(pending.end(), target.publicLinks.begin(), target.publicLinks.end());
        pending.insert(pending.end(), target.privateLinks.begin(), target.privateLinks.end());
    }
    std::set<std::string> seen;
    while (!pending.empty()) {
        const std::string name = pending.back();
        pending.pop_back();
        if (!seen.insert(name).second)
            continue;
        const Target& target = projectTargets().at(name);
        usable.insert(target.folder);
        pending.insert(pending.end(), target.publicLinks.begin(), target.publicLinks.end());
    }
    return usable;
}

TEST(SourceLayout, OnlyTheFilesLibraryIncludesSystemHeaders) {
    ASSERT_GT(projectSources().size(), 100u);
    for (const SourceFile& source : projectSources()) {
        // files and the tests' own helpers for FIFOs, sockets and owners (tests/files) are the
        // one place a port to another system has to look at.
        if (startsWith(source.path, "foundation/files/") || startsWith(source.path, "tests/files/"))
            continue;
        // The practice server's connection is PostgreSQL's client library, which makes its own
        // system calls; the desktop's keyring is reached through its library too.
        const bool serverConnection = source.path == "server/ServerConnection.cpp";
        const bool keyring = source.path == "ui/PracticeServer.cpp";
        for (const std::string& header : source.angled) {
            const bool library = startsWith(header, "gtest/") || startsWith(header, "benchmark/") ||
                                 (serverConnection && header == "libpq-fe.h") ||
                                 (keyring && startsWith(header, "qt6keychain/"));
            EXPECT_FALSE(header.ends_with(".h") && !library) << source.path << " includes <" << header << ">";
        }
    }
}

// The interface of files is the same on every system: its shared headers and sources include no
// system header, and each system's implementation only its own system's.
TEST(SourceLayout, EachSystemsCallsStayInItsOwnFolder) {
    const std::set<std::string> windowsOnly = {"windows.h", "aclapi.h", "sddl.h",
                                               "lmcons.h",  "io.h",     "shellapi.h"};
    for (const SourceFile& source : projectSources()) {
        if (!startsWith(source.path, "foundation/files/"))
            continue;
        const bool posix = startsWith(source.path, "foundation/files/posix/");
        const bool windows = startsWith(source.path, "foundation/files/windows/");
        for (const std::string& header : source.angled) {
            if (!header.ends_with(".h"))
                continue;
            EXPECT_TRUE(posix || windows) << source.path << " includes <" << header << ">";
            EXPECT_FALSE(posix && windowsOnly.contains(header))
                << source.path << " includes <" << header << ">";
            EXPECT_FALSE(windows && !windowsOnly.contains(header) && header != "fcntl.h")
                << source.path << " includes <" << header << ">";
        }
    }
}

TEST(SourceLayout, NoFileIncludesItselfThroughOthers) {
    std::map<std::string, std::vector<std::string>> includes;
    for (const SourceFile& source : projectSources())
        includes[source.path] = source.quoted;
    std::map<std::string, int> state; // 1 being followed, 2 done
    std::vector<std::string> trail;
    std::vector<std::string> circles;
    const auto follow = [&](const auto& self, const std::string& file) -> void {
        state[file] = 1;
        trail.push_back(file);
        for (const std::string& included : includes[file]) {
            if (!includes.contains(included))
                continue; // generated, or beside the file (a .moc)
            if (state[included] == 1) {
                const auto from = std::find(trail.begin(), trail.end(), included);
                std::string circle;
                for (auto it = from; it != trail.end(); ++it)
                    circle += *it + " -> ";
                circles.push_back(circle + included);
            } else if (state[included] == 0) {
                self(self, included);
            }
        }
        trail.pop_back();
        state[file] = 2;
    };
    for (const auto& [file, unused] : includes) {
        if (state[file] == 0)
            follow(follow, file);
    }
    for (const std::string& circle : circles)
        ADD_FAILURE() << circle;
}

TEST(SourceLayout, EachLibraryIncludesOnlyTheLibrariesItBuildsOn) {
    ASSERT_GT(projectTargets().size(), 5u) << TELVARIN_LAYOUT_LINKS;
    for (const SourceFile& source : projectSources()) {
        const std::string library = libraryOf(source.path);
        if (library.empty())
            continue;
        const std::set<std::string> usable = foldersUsableFrom(library);
        for (const std::string& included : source.quoted) {
            const std::string target = libraryOf(included);
            if (target.empty() || target == library)
                continue;
            EXPECT_TRUE(usable.contains(target)) << source.path << " includes " << included;
        }
    }
}

// The README's layout table names each target in its folder and, as the last column, what the
// targets of a row link; "program X" there is a tool the build runs, not a link. Rows of targets
// this build leaves out (the windows in a core-only build) are passed over.
TEST(SourceLayout, TheReadmeTableNamesTheTargetsAndTheirLinks) {
    std::ifstream readme(fs::path(TELVARIN_SOURCE_DIR) / "README.md");
    static const std::regex quoted("(program )?`([^`]+)`");
    std::set<std::string> named;
    std::string folder;
    bool inLayout = false;
    for (std::string line; std::getline(readme, line);) {
        if (startsWith(line, "## "))
            inLayout = line == "## Layout";
        const std::vector<std::string> cell = fields(line, '|');
        if (!inLayout || cell.size() != 5 || startsWith(cell[1], "---") || cell[1] == " folder ")
            continue;
        std::map<std::string, bool> targets; // name -> built here
        std::set<std::string> links;
        for (std::sregex_iterator it(cell[2].begin(), cell[2].end(), quoted), end; it != end; ++it)
            targets[(*it)[2]] = projectTargets().contains((*it)[2]);
        for (std::sregex_iterator it(cell[4].begin(), cell[4].end(), quoted), end; it != end; ++it) {
            if (!(*it)[1].matched)
                links.insert((*it)[2]);
        }
        std::smatch match;
        if (std::regex_search(cell[1], match, quoted))
            folder = match[2];
        if (std::none_of(targets.begin(), targets.end(), [](const auto& target) { return target.second; }))
            continue;
        std::set<std::string> linked;
        for (const auto& [name, built] : targets) {
            named.insert(name);
            ASSERT_TRUE(built) << "README.md names " << name << ", which the build does not make";
            const Target& target = projectTargets().at(name);
            EXPECT_EQ(target.folder, folder) << name;
            linked.insert(target.publicLinks.begin(), target.publicLinks.end());
            linked.insert(target.privateLinks.begin(), target.privateLinks.end());
        }
        for (const auto& [name, built] : targets)
            linked.erase(name);
        EXPECT_EQ(links, linked) << "README.md, the row of " << folder << " " << targets.begin()->first;
    }
    for (const auto& [name, target] : projectTargets())
        EXPECT_TRUE(named.contains(name)) << "README.md's layout table does not name " << name;
}

TEST(SourceLayout, TheCoreIncludesNoQt) {
    for (const SourceFile& source : projectSources()) {
        const std::string library = libraryOf(source.path);
        const bool qt = startsWith(library, "ui/") || library == "foundation/settings/" ||
                        library == "foundation/dialogs/" || library == "foundation/grid/" ||
                        source.path == "foundation/text/QtCodePage.h" ||
                        source.path == "foundation/text/QtCodePage.cpp";
        if (library.empty() || qt)
            continue;
        for (const std::string& header : source.angled)
            EXPECT_FALSE(startsWith(header, "Q")) << source.path << " includes <" << header << ">";
    }
}

// Every other window gets what it needs from the case input window and returns its result to it.
TEST(SourceLayout, OnlyTheProgramStartReachesIntoTheCaseInputWindow) {
    for (const SourceFile& source : projectSources()) {
        if (libraryOf(source.path) != "ui/" || startsWith(source.path, "ui/CaseInputWindow.") ||
            startsWith(source.path, "ui/ProgramStart."))
            continue;
        for (const std::string& included : source.quoted)
            EXPECT_NE(included, "ui/CaseInputWindow.h") << source.path;
    }
}

} // namespace
