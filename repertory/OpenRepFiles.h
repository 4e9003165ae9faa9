#pragma once

// The files of an OpenRep repertory read line by line: the .rd header and the five files it names
// (remedies, symptom tree, symptom paths, remedy lists, chapter names). The reader checks what
// each line says and links the tree; what the lines mean is the importer's business. Texts stay
// as written: views into the file contents, which the OpenRepFiles keeps.

#include "repertory/RepertoryImport.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace telvarin {

struct OpenRepRemedy {
    int id = 0;
    std::string_view abbreviation; // UTF-8
    int line = 0;
    std::string_view fullName; // UTF-8
};

struct OpenRepNode {
    int id = 0;
    int parent = -1;        // -1 for a chapter
    std::string_view label; // UTF-8, as in the file
    int line = 0;
    std::vector<int> children; // node indices, ascending id
    int firstList = -1;        // index into lists, -1 for none
};

struct OpenRepSymptom {
    int line = 0;
    std::string_view path; // UTF-8, the chapter first
    bool repeated = false; // the id has further lines
};

struct OpenRepEntry {
    int remedyId = 0;
    int grade = 0; // 1 to 5
};

struct OpenRepList {
    int line = 0;
    int id = 0;
    std::size_t firstEntry = 0; // into entries
    std::size_t entryEnd = 0;
    int next = -1; // a further list of the same node
};

struct OpenRepFiles {
    OpenRepFiles() = default;
    OpenRepFiles(const OpenRepFiles&) = delete; // the views point into the contents below
    OpenRepFiles& operator=(const OpenRepFiles&) = delete;

    // The file names the header gives.
    std::string remedyFile;
    std::string remedyListFile;
    std::string symptomFile;
    std::string treeFile;
    std::string chapterFile;

    std::vector<OpenRepRemedy> remedies;              // file order
    std::vector<OpenRepNode> nodes;                   // file order
    std::vector<int> roots;                           // node indices, ascending id
    std::unordered_map<int, OpenRepSymptom> symptoms; // by id, the first line
    std::vector<OpenRepList> lists;                   // of tree nodes only
    std::vector<OpenRepEntry> entries;
    std::string chapterNames; // the chapter file as written, Latin-1 or UTF-8
    // Lines that stay unused (a repeated symptom id, a list of an id without node) and lists that
    // were merged, each naming file, line and id (UTF-8).
    std::vector<std::string> notes;

    std::string remedyText;
    std::string remedyListText;
    std::string symptomText;
    std::string treeText;
};

// "FILE, Zeile N"
std::string placeInFile(const std::string& file, int line);

// Reads the folder's one .rd header and the files it names.
std::optional<RepertoryImportError> readOpenRepFiles(const std::string& folder, OpenRepFiles& files);

} // namespace telvarin
