#include "repertory/OpenRepFiles.h"

#include "foundation/files/FileKind.h"
#include "foundation/files/Utf8Paths.h"
#include "foundation/text/CodePage.h"
#include "foundation/text/Trimmed.h"
#include "repertory/ImportBuilder.h"
#include "repertory/ImportText.h"

#include <algorithm>
#include <filesystem>
#include <unordered_set>

namespace telvarin {
namespace {

std::optional<int> parseId(std::string_view digits) {
    digits = trimmed(digits);
    if (digits.empty() || digits.size() > 9)
        return std::nullopt;
    int value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

struct IdLine {
    int id = 0;
    std::string_view rest;
};

// "ID:REST"
std::optional<IdLine> idLine(std::string_view line) {
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    const std::optional<int> id = parseId(line.substr(0, colon));
    if (!id)
        return std::nullopt;
    return IdLine{*id, line.substr(colon + 1)};
}

// The text between the first and the last quotation mark of a field: a quotation mark inside a
// quoted text is not escaped in these files.
std::optional<std::string_view> quoted(std::string_view field) {
    field = trimmed(field);
    if (field.size() < 2 || field.front() != '"' || field.back() != '"')
        return std::nullopt;
    return field.substr(1, field.size() - 2);
}

// The value of <tag>VALUE</tag> in the header, trimmed; empty when the tag is missing.
std::string_view tagValue(std::string_view header, std::string_view tag) {
    // Built by append: GCC 12 at -O3 warns falsely (-Wrestrict) on "<" + std::string.
    std::string open = "<";
    open.append(tag).append(">");
    std::string close = "</";
    close.append(tag).append(">");
    const std::size_t start = header.find(open);
    if (start == std::string_view::npos)
        return {};
    const std::size_t end = header.find(close, start + open.size());
    if (end == std::string_view::npos)
        return {};
    return trimmed(header.substr(start + open.size(), end - start - open.size()));
}

class OpenRepReader {
public:
    OpenRepReader(std::string folder, OpenRepFiles& files) : folder_(std::move(folder)), files_(files) {}

    std::optional<RepertoryImportError> run() {
        using Step = std::optional<RepertoryImportError> (OpenRepReader::*)();
        for (const Step step :
             {&OpenRepReader::readHeader, &OpenRepReader::readRemedies, &OpenRepReader::readTree,
              &OpenRepReader::readSymptoms, &OpenRepReader::readRemedyLists}) {
            if (std::optional<RepertoryImportError> problem = (this->*step)())
                return problem;
        }
        return std::nullopt;
    }

private:
    std::optional<RepertoryImportError> readFile(const std::string& name, std::string& text) {
        FileReadResult read = readRegularFile(folder_ + "/" + name, kMaxImportSourceBytes);
        if (const auto* failure = std::get_if<FileReadError>(&read))
            return RepertoryImportError{utf8Of(failure->message)};
        text = std::move(std::get<std::string>(read));
        return std::nullopt;
    }

    std::optional<RepertoryImportError> readHeader() {
        std::error_code error;
        std::vector<std::string> headers;
        for (std::filesystem::directory_iterator entry(pathFromUtf8(folder_), error), end;
             !error && entry != end; entry.increment(error)) {
            if (entry->path().extension() == ".rd")
                headers.push_back(utf8FromPath(entry->path().filename()));
        }
        if (error)
            return RepertoryImportError{folder_ + " ist kein lesbarer Ordner"};
        if (headers.size() != 1) {
            std::sort(headers.begin(), headers.end());
            std::string names;
            for (const std::string& name : headers)
                names += " " + name;
            return RepertoryImportError{folder_ + (headers.empty()
                                                       ? ": keine .rd-Datei (Kopf eines OpenRep-Repertoriums)"
                                                       : ": mehrere .rd-Dateien:" + names)};
        }
        const std::string& headerName = headers.front();
        std::string header;
        if (auto problem = readFile(headerName, header))
            return problem;
        const std::pair<const char*, std::string*> tags[] = {{"remedy_file", &files_.remedyFile},
                                                             {"remsymptom_file", &files_.remedyListFile},
                                                             {"symptom_file", &files_.symptomFile},
                                                             {"symptomtree_file", &files_.treeFile},
                                                             {"mainsymptoms_file", &files_.chapterFile}};
        for (const auto& [tag, name] : tags) {
            *name = std::string(tagValue(header, tag));
            if (name->empty() || name->find_first_of("/\\") != std::string::npos || *name == "." ||
                *name == "..")
                return failAt(headerName, std::string("<").append(tag).append(
                                              "> fehlt oder nennt keine Datei im Ordner"));
        }
        for (const auto& [name, text] : {std::pair{&files_.remedyFile, &files_.remedyText},
                                         {&files_.remedyListFile, &files_.remedyListText},
                                         {&files_.symptomFile, &files_.symptomText},
                                         {&files_.treeFile, &files_.treeText},
                                         {&files_.chapterFile, &files_.chapterNames}}) {
            if (auto problem = readFile(*name, *text))
                return problem;
        }
        return std::nullopt;
    }

    // "ID:"Full name"#"Abbreviation"[#...]"
    std::optional<RepertoryImportError> readRemedies() {
        TextLines lines(files_.remedyText);
        for (std::string_view line; lines.next(line);) {
            if (trimmed(line).empty())
                continue;
            const std::string where = placeInFile(files_.remedyFile, lines.number());
            const std::optional<IdLine> parsed = idLine(line);
            const std::optional<std::string_view> fields = parsed ? quoted(parsed->rest) : std::nullopt;
            const std::size_t separator = fields ? fields->find("\"#\"") : std::string_view::npos;
            if (separator == std::string_view::npos)
                return failAt(where, "erwartet ID:\"Name\"#\"Kürzel\"");
            if (!remedyIds_.insert(parsed->id).second)
                return failAt(where, "Mittel-Id " + std::to_string(parsed->id) + " steht schon weiter oben");
            const std::string_view abbreviation = fields->substr(separator + 3);
            files_.remedies.push_back({parsed->id,
                                       trimmed(abbreviation.substr(0, abbreviation.find("\"#\""))),
                                       lines.number(), trimmed(fields->substr(0, separator))});
        }
        return std::nullopt;
    }

    // "ID:PARENT#"label"", PARENT -1 for a chapter. Siblings are put in ascending id.
    std::optional<RepertoryImportError> readTree() {
        std::vector<OpenRepNode>& nodes = files_.nodes;
        TextLines lines(files_.treeText);
        for (std::string_view line; lines.next(line);) {
            if (trimmed(line).empty())
                continue;
            const std::string where = placeInFile(files_.treeFile, lines.number());
            const std::optional<IdLine> parsed = idLine(line);
            const std::size_t hash = parsed ? parsed->rest.find('#') : std::string_view::npos;
            if (hash == std::string_view::npos)
                return failAt(where, "erwartet ID:ELTERN#\"Bezeichnung\"");
            const std::string_view parentText = trimmed(parsed->rest.substr(0, hash));
            const std::optional<int> parent = parentText == "-1" ? -1 : parseId(parentText);
            const std::optional<std::string_view> label = quoted(parsed->rest.substr(hash + 1));
            if (!parent || !label)
                return failAt(where, "erwartet ID:ELTERN#\"Bezeichnung\"");
            const auto [known, isNew] = nodeOfId_.emplace(parsed->id, static_cast<int>(nodes.size()));
            if (!isNew)
                return failAt(where, "Id " + std::to_string(parsed->id) + " steht schon in Zeile " +
                                         std::to_string(nodes[static_cast<std::size_t>(known->second)].line));
            nodes.push_back({parsed->id, *parent, *label, lines.number(), {}, -1});
        }
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            const OpenRepNode& node = nodes[i];
            if (node.parent == -1) {
                files_.roots.push_back(static_cast<int>(i));
                continue;
            }
            const auto parent = nodeOfId_.find(node.parent);
            if (parent == nodeOfId_.end())
                return failAt(placeInFile(files_.treeFile, node.line),
                              "Id " + std::to_string(node.id) + ": Elternknoten " +
                                  std::to_string(node.parent) + " fehlt");
            nodes[static_cast<std::size_t>(parent->second)].children.push_back(static_cast<int>(i));
        }
        const auto byId = [&nodes](int a, int b) {
            return nodes[static_cast<std::size_t>(a)].id < nodes[static_cast<std::size_t>(b)].id;
        };
        for (OpenRepNode& node : nodes)
            std::sort(node.children.begin(), node.children.end(), byId);
        std::sort(files_.roots.begin(), files_.roots.end(), byId);
        if (files_.roots.empty())
            return RepertoryImportError{files_.treeFile + ": kein Kapitel (Knoten mit Elternteil -1)"};
        return std::nullopt;
    }

    // "ID:"Chapter, part, ...""
    std::optional<RepertoryImportError> readSymptoms() {
        TextLines lines(files_.symptomText);
        for (std::string_view line; lines.next(line);) {
            if (trimmed(line).empty())
                continue;
            const std::string where = placeInFile(files_.symptomFile, lines.number());
            const std::optional<IdLine> parsed = idLine(line);
            const std::optional<std::string_view> path = parsed ? quoted(parsed->rest) : std::nullopt;
            if (!path)
                return failAt(where, "erwartet ID:\"Pfad\"");
            const auto [known, isNew] =
                files_.symptoms.try_emplace(parsed->id, OpenRepSymptom{lines.number(), *path});
            if (!isNew) {
                known->second.repeated = true;
                files_.notes.push_back(where + ": Id " + std::to_string(parsed->id) +
                                       " steht schon in Zeile " + std::to_string(known->second.line) +
                                       "; die Zeile bleibt unbenutzt");
            } else if (!nodeOfId_.contains(parsed->id)) {
                files_.notes.push_back(where + ": Id " + std::to_string(parsed->id) +
                                       " ist kein Knoten des Baums; die Zeile bleibt unbenutzt");
            }
        }
        return std::nullopt;
    }

    // "ID:REMEDY#GRADE;REMEDY#GRADE;...", usually ending with ";".
    std::optional<RepertoryImportError> readRemedyLists() {
        std::vector<int> lastList(files_.nodes.size(), -1);
        TextLines lines(files_.remedyListText);
        for (std::string_view line; lines.next(line);) {
            if (trimmed(line).empty())
                continue;
            const std::string where = placeInFile(files_.remedyListFile, lines.number());
            const std::optional<IdLine> parsed = idLine(line);
            if (!parsed)
                return failAt(where, "erwartet ID:MITTEL#GRAD;MITTEL#GRAD;...");
            const auto node = nodeOfId_.find(parsed->id);
            if (node == nodeOfId_.end()) {
                const auto items = std::count(parsed->rest.begin(), parsed->rest.end(), '#');
                files_.notes.push_back(where + ": Mittelliste zu Id " + std::to_string(parsed->id) +
                                       ", die kein Knoten des Baums ist; " + std::to_string(items) +
                                       (items == 1 ? " Eintrag" : " Einträge") +
                                       " nicht ü"
                                       "bernommen");
                continue;
            }
            const int list = static_cast<int>(files_.lists.size());
            files_.lists.push_back({lines.number(), parsed->id, files_.entries.size(), 0, -1});
            if (auto problem = readEntries(parsed->rest, where))
                return problem;
            files_.lists.back().entryEnd = files_.entries.size();
            OpenRepNode& owner = files_.nodes[static_cast<std::size_t>(node->second)];
            int& last = lastList[static_cast<std::size_t>(node->second)];
            if (last < 0) {
                owner.firstList = list;
            } else {
                files_.notes.push_back(
                    where + ": weitere Mittelliste zu Id " + std::to_string(parsed->id) +
                    " (erste in Zeile " +
                    std::to_string(files_.lists[static_cast<std::size_t>(owner.firstList)].line) +
                    "), mit ihr zusammengeführt");
                files_.lists[static_cast<std::size_t>(last)].next = list;
            }
            last = list;
        }
        return std::nullopt;
    }

    std::optional<RepertoryImportError> readEntries(std::string_view items, const std::string& where) {
        while (!items.empty()) {
            const std::size_t semicolon = items.find(';');
            const std::string_view item = trimmed(items.substr(0, semicolon));
            items = semicolon == std::string_view::npos ? std::string_view{} : items.substr(semicolon + 1);
            if (item.empty())
                continue;
            const std::string at = where + ", Eintrag " + quotedText(item);
            const std::size_t hash = item.find('#');
            const std::optional<int> remedyId =
                hash == std::string_view::npos ? std::nullopt : parseId(item.substr(0, hash));
            if (!remedyId)
                return failAt(at, "erwartet MITTEL#GRAD");
            const std::string_view grade = trimmed(item.substr(hash + 1));
            if (grade.size() != 1 || grade[0] < '1' || grade[0] > '5')
                return failAt(at, "unbekannte Wertigkeit " + quotedText(grade) + " (erlaubt 1 bis 5)");
            if (!remedyIds_.contains(*remedyId))
                return failAt(at,
                              "Mittel-Id " + std::to_string(*remedyId) + " fehlt in " + files_.remedyFile);
            files_.entries.push_back({*remedyId, grade[0] - '0'});
        }
        return std::nullopt;
    }

    std::string folder_;
    OpenRepFiles& files_;
    std::unordered_set<int> remedyIds_;
    std::unordered_map<int, int> nodeOfId_;
};

} // namespace

std::string placeInFile(const std::string& file, int line) {
    return file + ", Zeile " + std::to_string(line);
}

std::optional<RepertoryImportError> readOpenRepFiles(const std::string& folder, OpenRepFiles& files) {
    return OpenRepReader(folder, files).run();
}

} // namespace telvarin
