// The OpenRep form. The symptom tree is the authority for the structure: every node is one
// rubric, the roots are the chapters, and each node right below a root starts a section. The
// symptom file only lends a text to a node whose label is empty.

#include "foundation/files/FileKind.h"
#include "foundation/text/CodePage.h"
#include "foundation/text/Trimmed.h"
#include "repertory/ImportBuilder.h"
#include "repertory/ImportText.h"
#include "repertory/OpenRepFiles.h"

#include <array>
#include <unordered_map>

namespace telvarin {
namespace {

// How deep a rubric may lie below its chapter. Each level adds at least three bytes (", x") to the
// rubric text, whose field holds 223: deeper paths could never be shown, and the import carries
// each node's whole path, so a chain without bound costs memory with the square of its depth.
constexpr std::size_t kMaxRubricDepth = 64;

// The section of a chapter's own rubric, read after the chapter name in the "Kapitel" column.
constexpr const char* kChapterRubricSection = "(ganzes Kapitel)";

// The chapters of Kent's repertory in German, in the order of Kent's book (UTF-8). The published
// chapter file lists them alphabetically, but practitioners look them up in the book's order, and
// the rubric numbers that case histories store follow from it: this order never changes.
constexpr std::array<std::string_view, 37> kKentBookChapters = {"Gemüt",
                                                                "Schwindel",
                                                                "Kopf",
                                                                "Auge",
                                                                "Sehen",
                                                                "Ohr",
                                                                "Gehör",
                                                                "Nase",
                                                                "Gesicht",
                                                                "Mund",
                                                                "Zähne",
                                                                "Hals",
                                                                "Hals-Auß"
                                                                "enseite",
                                                                "Magen",
                                                                "Bauch",
                                                                "Mastdarm",
                                                                "Stuhl",
                                                                "Blase",
                                                                "Nieren",
                                                                "Prostata",
                                                                "Harnröhre",
                                                                "Urin",
                                                                "Geschlechtsorgane männlich",
                                                                "Geschlechtsorgane weiblich",
                                                                "Kehlkopf und Luftröhre",
                                                                "Atmung",
                                                                "Husten",
                                                                "Auswurf",
                                                                "Brust",
                                                                "Rü"
                                                                "cken",
                                                                "Extremitäten",
                                                                "Schlaf",
                                                                "Frost",
                                                                "Fieber",
                                                                "Schweiß",
                                                                "Haut",
                                                                "Allgemeines"};

std::string utf8(std::string_view windows1252) {
    return windows1252ToUtf8(windows1252);
}

std::string tidiedName(std::string_view name) {
    return joinedParts(tidiedParts(name).parts);
}

class OpenRepImport {
public:
    OpenRepImport(std::string folder, std::string chapterOrderFile, const std::string& polarityFile)
        : folder_(std::move(folder)), chapterOrderFile_(std::move(chapterOrderFile)) {
        builder_.counterPolarityTable(polarityFile);
    }

    RepertoryImportResult run() {
        using Step = std::optional<RepertoryImportError> (OpenRepImport::*)();
        for (const Step step :
             {&OpenRepImport::read, &OpenRepImport::takeRemedies, &OpenRepImport::nameChapters,
              &OpenRepImport::orderChapters, &OpenRepImport::buildTables}) {
            if (std::optional<RepertoryImportError> problem = (this->*step)())
                return *problem;
        }
        report_.notes.insert(report_.notes.begin(), files_.notes.begin(), files_.notes.end());
        return builder_.finish(folder_);
    }

private:
    const OpenRepNode& node(int index) const { return files_.nodes[static_cast<std::size_t>(index)]; }
    std::string treePlace(int index) const { return placeInFile(files_.treeFile, node(index).line); }

    std::optional<RepertoryImportError> read() { return readOpenRepFiles(folder_, files_); }

    // In the order of the remedy file: lower case with a final ".", as in the other formats.
    std::optional<RepertoryImportError> takeRemedies() {
        for (const OpenRepRemedy& remedy : files_.remedies) {
            const std::string where = placeInFile(files_.remedyFile, remedy.line);
            std::string abbreviation;
            if (auto problem = convertAt(remedy.abbreviation, where, abbreviation))
                return problem;
            if (abbreviation.empty() || abbreviation.find_first_of(" ()[]{}") != std::string::npos)
                return failAt(where, "ungültiges Kürzel " + quotedText(remedy.abbreviation) +
                                         " (ohne Leerzeichen und Klammern)");
            std::variant<int, std::string> index = builder_.remedy(abbreviation);
            if (const auto* problem = std::get_if<std::string>(&index))
                return failAt(where, *problem);
            remedyOfId_.emplace(remedy.id, std::get<int>(index));
            std::string fullName;
            if (auto problem = convertAt(remedy.fullName, where, fullName))
                return problem;
            builder_.fullName(std::get<int>(index), std::move(fullName));
        }
        return std::nullopt;
    }

    // The tidied label of a node in Windows-1252; an empty label takes the text that the symptom
    // file gives below the parent's path.
    std::optional<RepertoryImportError> labelOf(int index, const std::string& parentPath,
                                                std::string& label) {
        const std::string where = treePlace(index);
        std::string converted;
        if (auto problem = convertAt(node(index).label, where, converted))
            return problem;
        const TidiedParts tidied = tidiedParts(converted);
        if (!tidied.parts.empty()) {
            countTidying(tidied, report_);
            label = joinedParts(tidied.parts);
            return std::nullopt;
        }
        const int id = node(index).id;
        const std::string unnamed =
            "Id " + std::to_string(id) + " ohne Bezeichnung, und " + files_.symptomFile;
        const auto symptom = files_.symptoms.find(id);
        if (symptom == files_.symptoms.end())
            return failAt(where, unnamed + " hat keine Zeile zu ihr");
        if (symptom->second.repeated)
            return failAt(where, unnamed + " hat mehrere Zeilen zu ihr");
        const std::string symptomPlace = placeInFile(files_.symptomFile, symptom->second.line);
        if (auto problem = convertAt(symptom->second.path, symptomPlace, converted))
            return problem;
        const std::string path = tidiedName(converted);
        const std::string prefix = parentPath.empty() ? std::string() : parentPath + ", ";
        if (!path.starts_with(prefix) || path.size() == prefix.size())
            return failAt(where, unnamed + " (" + symptomPlace + ") nennt nichts unter " +
                                     quotedText(utf8(parentPath)));
        label = path.substr(prefix.size());
        report_.notes.push_back(where + ": Id " + std::to_string(id) + " ohne Bezeichnung; Text aus " +
                                symptomPlace + ": " + quotedText(utf8(label)));
        return std::nullopt;
    }

    std::optional<RepertoryImportError> nameChapters() {
        for (const int root : files_.roots) {
            std::string name;
            if (auto problem = labelOf(root, {}, name))
                return problem;
            rootsOfName_[toLowerWindows1252(name)].push_back(root);
            chapterNames_.emplace(root, std::move(name));
        }
        return std::nullopt;
    }

    std::optional<RepertoryImportError> orderChapters() {
        // The chapter file is checked even when an order file decides.
        if (auto problem = chapterFileOrder())
            return problem;
        if (!chapterOrderFile_.empty()) {
            placed_.clear();
            chapterOrder_.clear();
            return orderFileOrder();
        }
        if (isKentInGerman()) {
            placed_.clear();
            chapterOrder_.clear();
            for (const std::string_view name : kKentBookChapters) {
                std::string converted;
                convertToWindows1252(name, converted);
                if (auto problem = placeChapter(converted, "Kents Buch", true))
                    return problem;
            }
            report_.notes.push_back("Kapitel in der Folge von Kents Buch");
            return std::nullopt;
        }
        for (const int root : files_.roots) {
            if (!placed_.contains(root)) {
                report_.notes.push_back(treePlace(root) + ": Kapitel " +
                                        quotedText(utf8(chapterNames_[root])) + " fehlt in " +
                                        files_.chapterFile + "; es folgt nach den dort genannten");
                chapterOrder_.push_back(root);
            }
        }
        return std::nullopt;
    }

    // The tree's chapters are exactly those of Kent's repertory in German, each once.
    bool isKentInGerman() const {
        if (files_.roots.size() != kKentBookChapters.size() ||
            rootsOfName_.size() != kKentBookChapters.size())
            return false;
        for (const std::string_view name : kKentBookChapters) {
            std::string converted;
            if (convertToWindows1252(name, converted))
                return false;
            const auto roots = rootsOfName_.find(toLowerWindows1252(converted));
            if (roots == rootsOfName_.end() || roots->second.size() != 1)
                return false;
        }
        return true;
    }

    // The chapter file names the chapters in their order, in Latin-1 or in UTF-8. A name that
    // matches no chapter is noted.
    std::optional<RepertoryImportError> chapterFileOrder() {
        const bool isUtf8Text = isUtf8(files_.chapterNames);
        TextLines lines(files_.chapterNames);
        for (std::string_view line; lines.next(line);) {
            line = trimmed(line);
            if (line.empty())
                continue;
            const std::string where = placeInFile(files_.chapterFile, lines.number());
            std::string name;
            if (isUtf8Text) {
                if (auto problem = convertAt(line, where, name))
                    return problem;
            } else {
                name = line; // Latin-1 letters are Windows-1252 letters
                for (const char c : name) {
                    const auto byte = static_cast<unsigned char>(c);
                    if (byte < 0x20 || (byte >= 0x7F && byte < 0xA0))
                        return failAt(where, "Steuerzeichen im Kapitelnamen");
                }
            }
            if (auto problem = placeChapter(tidiedName(name), where, false))
                return problem;
        }
        return std::nullopt;
    }

    // The caller's chapter order file (UTF-8, "#" starts a comment) names every chapter once.
    std::optional<RepertoryImportError> orderFileOrder() {
        FileReadResult read = readRegularFile(chapterOrderFile_, kMaxImportSourceBytes);
        if (const auto* failure = std::get_if<FileReadError>(&read))
            return RepertoryImportError{utf8Of(failure->message)};
        TextLines lines(std::get<std::string>(read));
        for (std::string_view line; lines.next(line);) {
            line = trimmed(line);
            if (line.empty() || line.front() == '#')
                continue;
            const std::string where = placeInFile(chapterOrderFile_, lines.number());
            std::string name;
            if (auto problem = convertAt(line, where, name))
                return problem;
            if (auto problem = placeChapter(tidiedName(name), where, true))
                return problem;
        }
        for (const int root : files_.roots) {
            if (!placed_.contains(root))
                return RepertoryImportError{chapterOrderFile_ + ": das Kapitel " +
                                            quotedText(utf8(chapterNames_[root])) + " fehlt"};
        }
        return std::nullopt;
    }

    // Puts the chapters of this name next; letter case does not count. A name that matches no
    // chapter or comes again is refused when strict, else noted.
    std::optional<RepertoryImportError> placeChapter(const std::string& name, const std::string& where,
                                                     bool strict) {
        const auto roots = rootsOfName_.find(toLowerWindows1252(name));
        std::string problem;
        if (roots == rootsOfName_.end())
            problem = quotedText(utf8(name)) + " ist kein Kapitel des Baums";
        else if (const auto seen = placed_.find(roots->second.front()); seen != placed_.end())
            problem = quotedText(utf8(name)) + " steht schon in " + seen->second;
        if (problem.empty()) {
            for (const int root : roots->second) {
                placed_.emplace(root, where);
                chapterOrder_.push_back(root);
            }
            return std::nullopt;
        }
        if (strict)
            return failAt(where, problem);
        report_.notes.push_back(where + ": " + problem);
        return std::nullopt;
    }

    std::optional<RepertoryImportError> buildTables() {
        visited_.assign(files_.nodes.size(), false);
        for (const int root : chapterOrder_) {
            if (auto problem = chapter(root))
                return problem;
        }
        // Nodes whose parents run in a ring hang below no chapter.
        for (std::size_t i = 0; i < visited_.size(); ++i) {
            if (!visited_[i])
                return failAt(treePlace(static_cast<int>(i)),
                              "Id " + std::to_string(files_.nodes[i].id) +
                                  " hängt an keinem Kapitel (Ring der Elternverweise)");
        }
        for (const auto& [path, count] : pathCounts_)
            report_.repeatedPaths += count > 1;
        return std::nullopt;
    }

    // The chapter's own rubric in a section of its own; then each node below the root starts a
    // section with its subtree, depth-first, siblings in ascending id.
    std::optional<RepertoryImportError> chapter(int root) {
        const std::string& name = chapterNames_[root];
        builder_.chapter(name);
        builder_.section(kChapterRubricSection);
        if (auto problem = rubric(root, name, name))
            return problem;
        struct Step {
            int node;
            std::size_t next;
            std::string text; // the rubric text: the path below the chapter
            int rubric;       // the node's rubric index
        };
        std::vector<Step> stack;
        const int chapterRubric = lastRubric_;
        for (const int top : node(root).children) {
            std::string label;
            if (auto problem = labelOf(top, name, label))
                return problem;
            builder_.section(label);
            if (auto problem = rubric(top, label, name + ", " + label))
                return problem;
            builder_.parent(lastRubric_, chapterRubric);
            stack.push_back({top, 0, std::move(label), lastRubric_});
            while (!stack.empty()) {
                Step& step = stack.back();
                const std::vector<int>& children = node(step.node).children;
                if (step.next == children.size()) {
                    stack.pop_back();
                    continue;
                }
                const int child = children[step.next++];
                if (stack.size() + 1 > kMaxRubricDepth)
                    return failAt(treePlace(child),
                                  "Id " + std::to_string(node(child).id) + " liegt tiefer als " +
                                      std::to_string(kMaxRubricDepth) + " Ebenen unter ihrem Kapitel");
                if (auto problem = labelOf(child, name + ", " + step.text, label))
                    return problem;
                std::string text = step.text + ", " + label;
                if (auto problem = rubric(child, text, name + ", " + text))
                    return problem;
                builder_.parent(lastRubric_, step.rubric);
                stack.push_back({child, 0, std::move(text), lastRubric_});
            }
        }
        return std::nullopt;
    }

    // path: the rubric text with the chapter in front, so that equal paths can be counted.
    std::optional<RepertoryImportError> rubric(int index, const std::string& text, const std::string& path) {
        visited_[static_cast<std::size_t>(index)] = true;
        ++pathCounts_[path];
        const int rubric = builder_.rubric(text);
        lastRubric_ = rubric;
        const int first = node(index).firstList;
        if (first < 0)
            return failAt(treePlace(index), "Id " + std::to_string(node(index).id) +
                                                " hat keine Mittelliste in " + files_.remedyListFile);
        for (int list = first; list >= 0; list = files_.lists[static_cast<std::size_t>(list)].next) {
            if (list != first)
                builder_.continueRubric(rubric);
            const OpenRepList& entries = files_.lists[static_cast<std::size_t>(list)];
            for (std::size_t i = entries.firstEntry; i < entries.entryEnd; ++i)
                builder_.entry(remedyOfId_.at(files_.entries[i].remedyId), files_.entries[i].grade);
        }
        if (!builder_.hasEntries(rubric))
            return failAt(
                placeInFile(files_.remedyListFile, files_.lists[static_cast<std::size_t>(first)].line),
                "Id " + std::to_string(node(index).id) + " ohne Mittel");
        return std::nullopt;
    }

    std::string folder_;
    std::string chapterOrderFile_;
    OpenRepFiles files_;
    int lastRubric_ = -1;                               // the rubric index of the node rubric() took last
    std::unordered_map<int, int> remedyOfId_;           // remedy file id -> remedy index
    std::unordered_map<int, std::string> chapterNames_; // per root, Windows-1252
    std::unordered_map<std::string, std::vector<int>> rootsOfName_; // lower case
    std::unordered_map<int, std::string> placed_;                   // root -> where it was named
    std::vector<int> chapterOrder_;
    std::vector<bool> visited_;
    std::unordered_map<std::string, int> pathCounts_;
    ImportReport report_;
    TableBuilder builder_{report_};
};

} // namespace

RepertoryImportResult importOpenRepRepertory(const std::string& folder, const std::string& chapterOrderFile,
                                             const std::string& polarityFile) {
    return OpenRepImport(folder, chapterOrderFile, polarityFile).run();
}

} // namespace telvarin
