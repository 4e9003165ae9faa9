#include "repertory/RepertoryDatabase.h"

#include "foundation/files/FileKind.h"
#include "repertory/RemedyEntry.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace telvarin {
namespace {

// Limits far above any real repertory; they keep the size arithmetic below in range and refuse
// counts that can only come from a damaged file.
constexpr std::int32_t kMaxChapters = 10'000;
constexpr std::int32_t kMaxSections = 100'000;
constexpr std::int32_t kMaxRubrics = 1'000'000;
constexpr std::int32_t kMaxEntries = 50'000'000;
constexpr std::int32_t kMaxRemedies = static_cast<std::int32_t>(kRemedyIndexMask) + 1;
constexpr std::int32_t kMaxBd = 4;
// Far beyond the largest tables the count limits allow; a bigger file is not a repertory and is
// refused before memory is taken for it.
constexpr std::uint64_t kMaxFileBytes = std::uint64_t{1} << 30;

RepertoryLoadError fail(const std::string& message) {
    return RepertoryLoadError{"Repertoriumsdatei besch\xE4"
                              "digt: "_w1252 +
                              Windows1252View(message)};
}

Windows1252Text dataFileNamed(const std::string& path) {
    return "Repertoriumsdatei "_w1252 + windows1252Of(path);
}

std::string where(const char* table, std::size_t index) {
    return std::string(table) + " " + std::to_string(index);
}

// The text of a fixed-width field, or nullopt-like false when it lacks its terminator or has
// non-zero bytes after it.
bool readField(const char* field, std::size_t width, std::string_view& text) {
    const void* nul = std::memchr(field, 0, width);
    if (nul == nullptr)
        return false;
    const auto length = static_cast<std::size_t>(static_cast<const char*>(nul) - field);
    // Compared as a block: byte by byte, this check took most of the time of loading a large
    // repertory.
    static constexpr char kZeros[kRubricTextSize] = {};
    static_assert(kRubricTextSize >= kChapterNameSize && kRubricTextSize >= kSectionNameSize);
    if (length + 1 < width && std::memcmp(field + length + 1, kZeros, width - length - 1) != 0)
        return false;
    text = std::string_view(field, length);
    return true;
}

bool countInRange(std::int32_t value, std::int32_t max) {
    return value >= 1 && value <= max;
}

// The counts of a file's head checked against the limits, and the bytes its tables take up to the
// first abbreviation; an error message when a count is out of range.
std::variant<std::size_t, std::string> tableBytesOf(const RepertoryFileCounts& c) {
    if (!countInRange(c.chapters, kMaxChapters))
        return "unzul\xE4ssige Zahl der Kapitel " + std::to_string(c.chapters);
    if (!countInRange(c.sections, kMaxSections))
        return "unzul\xE4ssige Zahl der Abschnitte " + std::to_string(c.sections);
    if (!countInRange(c.rubrics, kMaxRubrics))
        return "unzul\xE4ssige Zahl der Rubriken " + std::to_string(c.rubrics);
    if (!countInRange(c.remedyEntries, kMaxEntries))
        return "unzul\xE4ssige Zahl der Mitteleintr\xE4ge " + std::to_string(c.remedyEntries);
    if (!countInRange(c.remedies, kMaxRemedies))
        return "unzul\xE4ssige Zahl der Mittel " + std::to_string(c.remedies);
    return sizeof(RepertoryFileCounts) + static_cast<std::size_t>(c.chapters) * sizeof(ChapterRecord) +
           static_cast<std::size_t>(c.sections) * sizeof(SectionRecord) +
           static_cast<std::size_t>(c.rubrics) * sizeof(RubricRecord) +
           static_cast<std::size_t>(c.remedyEntries) * sizeof(RemedyEntry);
}

// The sizes a file with these counts can have: its tables and every abbreviation at least one
// character and at most kMaxAbbreviationBytes, each with its terminator, and at most the optional
// tables at their largest. Empty when the size fits.
std::string sizeMismatch(std::uint64_t size, std::size_t tableBytes, std::int32_t remedies,
                         std::int32_t rubrics) {
    const auto count = static_cast<std::uint64_t>(remedies);
    const std::uint64_t smallest = tableBytes + 2 * count;
    const std::uint64_t largest = tableBytes + (kMaxAbbreviationBytes + 1) * count + kFullNameTagBytes +
                                  (kMaxFullNameBytes + 1) * count + sizeof kParentsTag +
                                  static_cast<std::uint64_t>(rubrics) * sizeof(std::int32_t);
    if (size < smallest)
        return "die Datei ist mit " + std::to_string(size) +
               " Bytes zu kurz f\xFC"
               "r ihre Anzahlen";
    if (size > largest)
        return "die Datei ist mit " + std::to_string(size) + " Bytes gr\xF6\xDF" +
               "er, als ihre Anzahlen erlauben (h\xF6" + "chstens " + std::to_string(largest) + " Bytes)";
    return {};
}

} // namespace

RepertoryLoadResult RepertoryDatabase::fromBytes(std::span<const std::byte> bytes) {
    RepertoryDatabase db;
    if (reinterpret_cast<std::uintptr_t>(bytes.data()) % alignof(std::int32_t) != 0)
        return fail("Daten liegen nicht an einer durch 4 teilbaren Adresse");
    if (bytes.size() < sizeof(RepertoryFileCounts))
        return fail("die Datei ist k\xFCrzer als ihr Kopf (" + std::to_string(bytes.size()) + " Bytes)");
    std::memcpy(&db.counts_, bytes.data(), sizeof(RepertoryFileCounts));
    const RepertoryFileCounts& c = db.counts_;
    const std::variant<std::size_t, std::string> tableBytes = tableBytesOf(c);
    if (const auto* refused = std::get_if<std::string>(&tableBytes))
        return fail(*refused);
    if (std::string mismatch =
            sizeMismatch(bytes.size(), std::get<std::size_t>(tableBytes), c.remedies, c.rubrics);
        !mismatch.empty())
        return fail(std::move(mismatch));

    const auto chapters = static_cast<std::size_t>(c.chapters);
    const auto sections = static_cast<std::size_t>(c.sections);
    const auto rubrics = static_cast<std::size_t>(c.rubrics);
    const auto entries = static_cast<std::size_t>(c.remedyEntries);
    const std::size_t chapterOffset = sizeof(RepertoryFileCounts);
    const std::size_t sectionOffset = chapterOffset + chapters * sizeof(ChapterRecord);
    const std::size_t rubricOffset = sectionOffset + sections * sizeof(SectionRecord);
    const std::size_t entryOffset = rubricOffset + rubrics * sizeof(RubricRecord);
    std::size_t offset = entryOffset + entries * sizeof(RemedyEntry);

    const auto* base = reinterpret_cast<const char*>(bytes.data());
    db.fileBytes_ = bytes;
    db.chapters_ = {reinterpret_cast<const ChapterRecord*>(base + chapterOffset), chapters};
    db.sections_ = {reinterpret_cast<const SectionRecord*>(base + sectionOffset), sections};
    db.rubrics_ = {reinterpret_cast<const RubricRecord*>(base + rubricOffset), rubrics};
    db.entries_ = {reinterpret_cast<const RemedyEntry*>(base + entryOffset), entries};

    // Each check relies on the ones before it: the first refusal is the one reported.
    std::string refused = db.readChapters();
    if (refused.empty())
        refused = db.readSections();
    if (refused.empty())
        refused = db.readRubrics();
    if (refused.empty())
        refused = db.checkEntries();
    if (refused.empty())
        refused = db.readRemedyNames(bytes, offset);
    if (refused.empty())
        refused = db.readOptionalTables(bytes, offset);
    if (!refused.empty())
        return fail(std::move(refused));
    return db;
}

std::string RepertoryDatabase::readChapters() {
    chapterNames_.resize(chapters_.size());
    std::int32_t previousEnd = 0;
    for (std::size_t i = 0; i < chapters_.size(); ++i) {
        const ChapterRecord& chapter = chapters_[i];
        if (!readField(chapter.name, kChapterNameSize, chapterNames_[i]))
            return where("Kapitel", i) + ": Name nicht mit NUL abgeschlossen oder Feldrest nicht leer";
        if (chapter.sectionEnd < previousEnd || chapter.sectionEnd > counts_.sections)
            return where("Kapitel", i) + ": Abschnittsende " + std::to_string(chapter.sectionEnd) +
                   " nicht aufsteigend im Bereich " + std::to_string(previousEnd) + ".." +
                   std::to_string(counts_.sections);
        previousEnd = chapter.sectionEnd;
    }
    if (previousEnd != counts_.sections)
        return "das Abschnittsende des letzten Kapitels ist " + std::to_string(previousEnd) + " statt " +
               std::to_string(counts_.sections);
    return {};
}

std::string RepertoryDatabase::readSections() {
    sectionNames_.resize(sections_.size());
    std::int32_t previousEnd = 0;
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        const SectionRecord& section = sections_[i];
        if (!readField(section.name, kSectionNameSize, sectionNames_[i]))
            return where("Abschnitt", i) + ": Name nicht mit NUL abgeschlossen oder Feldrest nicht leer";
        if (section.rubricEnd < previousEnd || section.rubricEnd > counts_.rubrics)
            return where("Abschnitt", i) + ": Rubrikende " + std::to_string(section.rubricEnd) +
                   " nicht aufsteigend im Bereich " + std::to_string(previousEnd) + ".." +
                   std::to_string(counts_.rubrics);
        previousEnd = section.rubricEnd;
    }
    if (previousEnd != counts_.rubrics)
        return "das Rubrikende des letzten Abschnitts ist " + std::to_string(previousEnd) + " statt " +
               std::to_string(counts_.rubrics);
    return {};
}

std::string RepertoryDatabase::readRubrics() {
    rubricTexts_.resize(rubrics_.size());
    std::int64_t expectedFirst = 0;
    for (std::size_t i = 0; i < rubrics_.size(); ++i) {
        const RubricRecord& rubric = rubrics_[i];
        if (!readField(rubric.text, kRubricTextSize, rubricTexts_[i]))
            return where("Rubrik", i + 1) + ": Text nicht mit NUL abgeschlossen oder Feldrest nicht leer";
        if (rubric.firstEntry != expectedFirst)
            return where("Rubrik", i + 1) + ": erster Eintrag " + std::to_string(rubric.firstEntry) +
                   " statt " + std::to_string(expectedFirst) + " (Kette der Mittellisten unterbrochen)";
        if (rubric.entryCount < 0 || rubric.entryCount > counts_.remedyEntries - rubric.firstEntry)
            return where("Rubrik", i + 1) + ": Zahl der Eintr\xE4ge " + std::to_string(rubric.entryCount) +
                   " passt nicht in die Eintragstabelle";
        expectedFirst += rubric.entryCount;
        if (rubric.counterPolarity < 0 || rubric.counterPolarity > counts_.rubrics)
            return where("Rubrik", i + 1) + ": Gegenpolarit\xE4t " + std::to_string(rubric.counterPolarity) +
                   " ist keine Rubriknummer";
        if (rubric.counterPolarityBd < 0 || rubric.counterPolarityBd > kMaxBd ||
            (rubric.counterPolarity == 0 && rubric.counterPolarityBd != 0))
            return where("Rubrik", i + 1) + ": BD-Wert der Gegenpolarit\xE4t " +
                   std::to_string(rubric.counterPolarityBd) + " unzul\xE4ssig";
    }
    if (expectedFirst != counts_.remedyEntries)
        return "die Rubriken verweisen auf " + std::to_string(expectedFirst) + " Eintr\xE4ge statt " +
               std::to_string(counts_.remedyEntries);
    return {};
}

std::string RepertoryDatabase::checkEntries() const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const RemedyEntry entry = entries_[i];
        if ((entry & 0xFFFF0000u) != 0 || remedyOf(entry) >= counts_.remedies)
            return where("Eintrag", i) + ": Wort " + std::to_string(entry) + " verweist auf kein Mittel";
    }
    return {};
}

std::string RepertoryDatabase::readRemedyNames(std::span<const std::byte> bytes, std::size_t& offset) {
    const auto* base = reinterpret_cast<const char*>(bytes.data());
    const auto remedies = static_cast<std::size_t>(counts_.remedies);
    remedyNames_.resize(remedies);
    std::unordered_set<std::string_view> seen;
    seen.reserve(remedies * 2);
    for (std::size_t i = 0; i < remedies; ++i) {
        const void* nul = std::memchr(base + offset, 0, bytes.size() - offset);
        if (nul == nullptr)
            return where("Mittel", i) + ": K\xFCrzel nicht mit NUL abgeschlossen";
        const std::string_view name(
            base + offset, static_cast<std::size_t>(static_cast<const char*>(nul) - (base + offset)));
        if (name.empty())
            return where("Mittel", i) + ": leeres K\xFCrzel";
        if (name.size() > kMaxAbbreviationBytes)
            return where("Mittel", i) + ": K\xFCrzel l\xE4nger als " + std::to_string(kMaxAbbreviationBytes) +
                   " Bytes";
        if (!seen.insert(name).second)
            return where("Mittel", i) + ": K\xFCrzel \"" + std::string(name) + "\" kommt doppelt vor";
        remedyNames_[i] = name;
        offset += name.size() + 1;
    }
    return {};
}

std::string RepertoryDatabase::readOptionalTables(std::span<const std::byte> bytes, std::size_t offset) {
    const auto* base = reinterpret_cast<const char*>(bytes.data());
    while (offset != bytes.size()) {
        const std::string_view tag(base + offset, std::min(kFullNameTagBytes, bytes.size() - offset));
        std::string refused;
        if (tag == std::string_view(kFullNamesTag, kFullNameTagBytes) && fullNames_.empty())
            refused = readFullNames(bytes, offset += kFullNameTagBytes);
        else if (tag == std::string_view(kParentsTag, sizeof kParentsTag) && parents_.empty())
            refused = readParents(bytes, offset += sizeof kParentsTag);
        else
            refused = std::to_string(bytes.size() - offset) +
                      " Bytes nach dem letzten Mittelk\xFCrzel sind keine bekannte Zusatztabelle";
        if (!refused.empty())
            return refused;
    }
    return {};
}

std::string RepertoryDatabase::readFullNames(std::span<const std::byte> bytes, std::size_t& offset) {
    const auto* base = reinterpret_cast<const char*>(bytes.data());
    fullNames_.resize(remedyNames_.size());
    for (std::size_t i = 0; i < fullNames_.size(); ++i) {
        const void* nul = std::memchr(base + offset, 0, bytes.size() - offset);
        if (nul == nullptr)
            return where("Mittel", i) + ": voller Name nicht mit NUL abgeschlossen";
        const std::string_view name(
            base + offset, static_cast<std::size_t>(static_cast<const char*>(nul) - (base + offset)));
        if (name.size() > kMaxFullNameBytes)
            return where("Mittel", i) + ": voller Name l\xE4nger als " + std::to_string(kMaxFullNameBytes) +
                   " Bytes";
        fullNames_[i] = name;
        offset += name.size() + 1;
    }
    return {};
}

std::string RepertoryDatabase::readParents(std::span<const std::byte> bytes, std::size_t& offset) {
    const std::size_t rubrics = rubricTexts_.size();
    if (bytes.size() - offset < rubrics * sizeof(RubricNumber))
        return "die Tabelle der Elternrubriken ist zu kurz";
    parents_.resize(rubrics);
    // Copied: the table follows texts of any length and need not start on a four-byte boundary.
    std::memcpy(parents_.data(), bytes.data() + offset, rubrics * sizeof(RubricNumber));
    offset += rubrics * sizeof(RubricNumber);
    for (std::size_t i = 0; i < rubrics; ++i) {
        const RubricNumber parent = parents_[i];
        const auto number = static_cast<RubricNumber>(i + 1);
        if (parent < 0 || parent >= number)
            return where("Rubrik", i + 1) + ": Elternrubrik " + std::to_string(parent) +
                   " steht nicht vor ihr";
        if (parent != 0 && chapterOfRubric(parent - 1) != chapterOfRubric(number - 1))
            return where("Rubrik", i + 1) + ": Elternrubrik " + std::to_string(parent) +
                   " liegt in einem anderen Kapitel";
    }
    return {};
}

RepertoryLoadResult RepertoryDatabase::fromFile(const std::string& path) {
    // Opened without blocking: a FIFO or a device put where the file belongs is refused by name.
    if (fileKindOf(path) == FileKind::Missing)
        return RepertoryLoadError{dataFileNamed(path) + " ist nicht vorhanden"_w1252};
    if (Windows1252Text notRegular = notRegularFileMessage(path); !notRegular.empty())
        return RepertoryLoadError{"Repertoriumsdatei "_w1252 + notRegular};
    auto opened = openRegularFile(path);
    if (const auto* error = std::get_if<FileReadError>(&opened))
        return RepertoryLoadError{
            "Repertoriumsdatei "_w1252 + error->message +
            Windows1252View(error->reason.empty() ? std::string() : ": " + error->reason)};
    RegularFileReader& file = std::get<RegularFileReader>(opened);
    const std::uint64_t size = file.size();
    if (size > kMaxFileBytes)
        return RepertoryLoadError{dataFileNamed(path) + " ist mit "_w1252 + windows1252Number(size) +
                                  " Bytes zu gro\xDF"_w1252};
    // The head says how large the file can be; a file of another size is refused before memory is
    // taken for it and before it is read.
    RepertoryFileCounts counts{};
    std::size_t head = 0;
    if (size >= sizeof counts) {
        const std::optional<std::size_t> got = file.read(reinterpret_cast<char*>(&counts), sizeof counts);
        if (!got)
            return RepertoryLoadError{dataFileNamed(path) + " kann nicht gelesen werden"_w1252};
        head = *got;
        if (head == sizeof counts) {
            const std::variant<std::size_t, std::string> tableBytes = tableBytesOf(counts);
            if (const auto* refused = std::get_if<std::string>(&tableBytes))
                return fail(*refused);
            if (std::string mismatch =
                    sizeMismatch(size, std::get<std::size_t>(tableBytes), counts.remedies, counts.rubrics);
                !mismatch.empty())
                return fail(std::move(mismatch));
        }
    }
    std::string bytes(std::max<std::size_t>(static_cast<std::size_t>(size), head), '\0');
    std::memcpy(bytes.data(), &counts, head);
    const std::optional<std::size_t> got = file.read(bytes.data() + head, bytes.size() - head);
    if (!got)
        return RepertoryLoadError{dataFileNamed(path) + " kann nicht gelesen werden"_w1252};
    bytes.resize(head + *got); // shrunk while reading: what is there is the file now
    auto content = std::make_shared<const std::string>(std::move(bytes));
    // The heap block of a string is aligned for any scalar, so the tables can be read in place.
    const std::span<const std::byte> view(reinterpret_cast<const std::byte*>(content->data()),
                                          content->size());
    RepertoryLoadResult result = fromBytes(view);
    if (auto* db = std::get_if<RepertoryDatabase>(&result))
        db->ownedBytes_ = std::move(content);
    return result;
}

std::span<const RemedyEntry> RepertoryDatabase::remedyList(int rubricIndex) const {
    const RubricRecord& record = rubric(rubricIndex);
    return entries_.subspan(static_cast<std::size_t>(record.firstEntry),
                            static_cast<std::size_t>(record.entryCount));
}

int RepertoryDatabase::rubricIndex(RubricNumber number, int bd) const {
    if (bd != 0)
        return -1;
    const std::int64_t magnitude = number < 0 ? -static_cast<std::int64_t>(number) : number;
    return static_cast<int>(magnitude - 1);
}

bool RepertoryDatabase::isValidSymptom(RubricNumber number, int bd) const {
    if (bd < 0 || bd >= 5)
        return false;
    if (number == 0 || number < -largestRubricNumber() || number > largestRubricNumber())
        return false;
    return bd == 0;
}

int RepertoryDatabase::sectionOfRubric(int rubricIndex) const {
    if (rubricIndex < 0)
        return -1;
    // Section ends are cumulative, so the first end beyond the index is the holding section;
    // empty sections never hold anything because their end equals their start.
    const auto it = std::upper_bound(sections_.begin(), sections_.end(), rubricIndex,
                                     [](int value, const SectionRecord& s) { return value < s.rubricEnd; });
    return it == sections_.end() ? -1 : static_cast<int>(it - sections_.begin());
}

int RepertoryDatabase::chapterOfSection(int sectionIndex) const {
    if (sectionIndex < 0)
        return -1;
    const auto it = std::upper_bound(chapters_.begin(), chapters_.end(), sectionIndex,
                                     [](int value, const ChapterRecord& c) { return value < c.sectionEnd; });
    return it == chapters_.end() ? -1 : static_cast<int>(it - chapters_.begin());
}

RubricNumber RepertoryDatabase::firstRubricNumberOfChapter(int chapter) const {
    const int firstSection = chapter == 0 ? 0 : sectionEnd(chapter - 1);
    return firstSection == 0 ? 1 : rubricEnd(firstSection - 1) + 1;
}

RubricNumber RepertoryDatabase::lastRubricNumberOfChapter(int chapter) const {
    const int end = sectionEnd(chapter);
    return end == 0 ? 0 : rubricEnd(end - 1);
}

std::string_view RepertoryDatabase::keep(std::string_view text, std::size_t fieldSize) {
    if (!replacedTexts_)
        replacedTexts_ = std::make_shared<std::deque<std::string>>();
    replacedTexts_->emplace_back(text.substr(0, fieldSize - 1));
    return replacedTexts_->back();
}

void RepertoryDatabase::replaceChapterName(int chapter, Windows1252View text) {
    chapterNames_[static_cast<std::size_t>(chapter)] = keep(text.bytes(), kChapterNameSize);
}

void RepertoryDatabase::replaceSectionName(int section, Windows1252View text) {
    sectionNames_[static_cast<std::size_t>(section)] = keep(text.bytes(), kSectionNameSize);
}

void RepertoryDatabase::replaceRubricText(int rubricIndex, Windows1252View text) {
    rubricTexts_[static_cast<std::size_t>(rubricIndex)] = keep(text.bytes(), kRubricTextSize);
}

} // namespace telvarin
