// The rules of the project's structure, checked on its sources: the operating system is reached
// only through foundation/files, no header includes itself through others, each folder includes
// only the libraries it builds on, the core knows no Qt, and no window but the program start
// reaches into the case input window.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct SourceFile {
    std::string path; // from the source root, with "/"
    std::vector<std::string> quoted;
    std::vector<std::string> angled;
};

const std::vector<std::string> kSourceFolders = {"foundation", "repertory", "analysis", "history", "tools",
                                                 "data",       "ui",        "tests",    "bench"};

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

// The library folder a path belongs to, the longest that matches; empty for tests and benchmarks.
std::string libraryOf(const std::string& path) {
    static const std::vector<std::string> libraries = {"foundation/text/",
                                                       "foundation/files/",
                                                       "foundation/settings/",
                                                       "foundation/dialogs/",
                                                       "foundation/grid/",
                                                       "repertory/",
                                                       "analysis/",
                                                       "history/",
                                                       "tools/",
                                                       "data/generator/",
                                                       "data/",
                                                       "ui/"};
    for (const std::string& library : libraries) {
        if (startsWith(path, library))
            return library;
    }
    return {};
}

TEST(SourceLayout, OnlyTheFilesLibraryIncludesSystemHeaders) {
    ASSERT_GT(projectSources().size(), 100u);
    for (const SourceFile& source : projectSources()) {
        // files and the tests' own helpers for FIFOs, sockets and owners (tests/files) are the
        // one place a port to another system has to look at.
        if (startsWith(source.path, "foundation/files/") || startsWith(source.path, "tests/files/"))
            continue;
        for (const std::string& header : source.angled) {
            const bool library = startsWith(header, "gtest/") || startsWith(header, "benchmark/");
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
    const std::map<std::string, std::set<std::string>> buildsOn = {
        {"foundation/text/", {}},
        {"foundation/files/", {"foundation/text/"}},
        {"foundation/settings/", {}},
        {"foundation/dialogs/", {"foundation/settings/", "foundation/text/", "foundation/grid/"}},
        {"foundation/grid/", {"foundation/text/", "foundation/files/"}},
        {"repertory/", {"foundation/text/", "foundation/files/"}},
        {"analysis/", {"repertory/", "foundation/text/"}},
        {"history/", {"analysis/", "repertory/", "foundation/text/", "foundation/files/"}},
        {"data/generator/", {}},
        {"data/", {"repertory/"}},
        {"tools/", {"data/", "history/", "analysis/", "repertory/", "foundation/text/", "foundation/files/"}},
        {"ui/",
         {"data/", "history/", "analysis/", "repertory/", "foundation/dialogs/", "foundation/grid/",
          "foundation/settings/", "foundation/text/", "foundation/files/"}},
    };
    for (const SourceFile& source : projectSources()) {
        const std::string library = libraryOf(source.path);
        if (library.empty())
            continue;
        for (const std::string& included : source.quoted) {
            const std::string target = libraryOf(included);
            if (target.empty() || target == library)
                continue;
            EXPECT_TRUE(buildsOn.at(library).contains(target)) << source.path << " includes " << included;
        }
    }
}

TEST(SourceLayout, TheCoreIncludesNoQt) {
    for (const SourceFile& source : projectSources()) {
        const std::string library = libraryOf(source.path);
        const bool qt = library == "ui/" || library == "foundation/settings/" ||
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
