#pragma once

// The generated repertory as the generator builds it, before it is written as a source.

#include <string>
#include <vector>

namespace telvarin::generator {

struct Entry {
    int remedy = 0;
    int grade = 1;
};

struct Rubric {
    std::string text;
    int depth = 0; // number of qualifiers after the main word; shallow rubrics list more remedies
    std::vector<Entry> entries;
};

struct Section {
    std::string name;
    int rubricEnd = 0;
};

struct Chapter {
    std::string name;
    int sectionEnd = 0;
};

struct Repertory {
    std::vector<std::string> remedies;
    std::vector<Chapter> chapters;
    std::vector<Section> sections;
    std::vector<Rubric> rubrics;
};

// Stops the generator with a message on standard error.
[[noreturn]] void fail(const std::string& message);

} // namespace telvarin::generator
