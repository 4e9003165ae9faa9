#pragma once

// The published figures of the supplied repertory, which the generated one must reproduce
// exactly (FigureCheck.h checks them), and the few texts and remedies it must carry.

#include <array>
#include <cstddef>
#include <string_view>

namespace telvarin::generator {

inline constexpr int kChapterCount = 58;
inline constexpr int kSectionCount = 409;
inline constexpr int kRubricCount = 26564;
inline constexpr int kEntryCount = 286980;
inline constexpr int kRemedyCount = 933;
inline constexpr int kMaxEntriesPerRubric = 160;
inline constexpr std::size_t kLongestRubricText = 161;
inline constexpr std::size_t kMaxAbbreviationLength = 12;
inline constexpr int kFirstRubricEntries = 121;
inline constexpr int kMindRubrics = 1073;
inline constexpr int kMindSections = 6;
inline constexpr int kMindGeneralRubrics = 807;
inline constexpr int kSensoriumLastRubric = 1183;
inline constexpr int kFirstSevenChapterSections = 46;
inline constexpr int kFirstSevenChapterRubrics = 4939;
inline constexpr int kLastChapterFirstRubric = 25672;
inline constexpr int kSepTwiceRubric = 63;
inline constexpr std::string_view kFirstRubricText = "In general";
inline constexpr std::string_view kLastRubricText = "Yawning, after, amel.";
inline constexpr std::string_view kLastChapterName = "CONDITIONS OF AGGRAVATION AND AMELIORATION IN GENERAL";
inline constexpr std::string_view kLongestText =
    "Pain, forehead, pressing, extending to occiput and nape of neck, morning on "
    "waking, agg. from stooping, motion, light and noise, amel. by pressure "
    "and lying down";
static_assert(kLongestText.size() == kLongestRubricText);
// Generated texts stay well below the one long text, so that it is the longest.
inline constexpr std::size_t kMaxGeneratedTextLength = 150;

// Remedy indices with a fixed abbreviation: the first four and the last five.
inline constexpr std::array<std::string_view, 4> kFirstRemedies = {"acon.", "agar.", "ag-c.", "alu."};
inline constexpr std::array<std::string_view, 5> kLastRemedies = {"mag-pho.", "clac-c.", "ara-d.", "bly.",
                                                                  "lem-m."};

} // namespace telvarin::generator
