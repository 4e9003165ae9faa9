#include "data/generator/Remedies.h"

#include "data/generator/Figures.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <string_view>
#include <utility>

namespace telvarin::generator {

namespace {

// Draws the remedy lists of all rubrics, each remedy at most once per rubric.
class RemedyListDrawer {
public:
    RemedyListDrawer(Repertory& repertory, const RemedyPool& pool, const RubricSizes& sizes, Random& random)
        : repertory_(repertory), pool_(pool), sizes_(sizes), random_(random) {}

    void draw() {
        std::vector<Rubric>& rubrics = repertory_.rubrics;
        const int sep = remedyIndex("sep.");
        std::vector<int> stamp(kRemedyCount, -1);
        for (std::size_t r = 0; r < rubrics.size(); ++r) {
            const int mark = static_cast<int>(r);
            std::vector<Entry>& entries = rubrics[r].entries;
            if (r == kSepTwiceRubric - 1) {
                stamp[static_cast<std::size_t>(sep)] = mark;
                entries = drawRemedies(sizes_.entries[r] - 2, stamp, mark);
                entries.push_back({sep, 1});
                sortByAbbreviation(entries);
                entries.push_back({sep, 3}); // a later addition, listed again with its higher grade
                continue;
            }
            entries = drawRemedies(sizes_.entries[r], stamp, mark);
            sortByAbbreviation(entries);
            // Additions made after the list was set stand at its end.
            if (entries.size() >= 3 && random_.percent(4)) {
                const auto moved =
                    static_cast<std::size_t>(random_.below(static_cast<int>(entries.size()) - 1));
                const Entry entry = entries[moved];
                entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(moved));
                entries.push_back(entry);
            }
        }
        ensureEveryRemedyListed();
    }

private:
    int drawGrade(int popularityRank) {
        const int roll = random_.below(100);
        if (popularityRank < 60)
            return roll < 38 ? 1 : roll < 64 ? 2 : roll < 88 ? 3 : 4;
        return roll < 64 ? 1 : roll < 87 ? 2 : roll < 97 ? 3 : 4;
    }

    std::vector<Entry> drawRemedies(int count, std::vector<int>& stamp, int mark) {
        std::vector<Entry> entries;
        while (static_cast<int>(entries.size()) < count) {
            const std::size_t rank = pool_.draw.drawIndex(random_);
            const int remedy = pool_.popularity[rank];
            if (stamp[static_cast<std::size_t>(remedy)] == mark)
                continue;
            stamp[static_cast<std::size_t>(remedy)] = mark;
            entries.push_back({remedy, drawGrade(static_cast<int>(rank))});
        }
        return entries;
    }

    void sortByAbbreviation(std::vector<Entry>& entries) const {
        const std::vector<std::string>& names = repertory_.remedies;
        std::stable_sort(entries.begin(), entries.end(), [&names](const Entry& a, const Entry& b) {
            return names[static_cast<std::size_t>(a.remedy)] < names[static_cast<std::size_t>(b.remedy)];
        });
    }

    // A remedy the draw left out replaces a common remedy in some large rubric.
    void ensureEveryRemedyListed() {
        std::vector<Rubric>& rubrics = repertory_.rubrics;
        std::vector<int> uses(kRemedyCount, 0);
        for (const Rubric& rubric : rubrics) {
            for (const Entry& entry : rubric.entries)
                ++uses[static_cast<std::size_t>(entry.remedy)];
        }
        std::size_t cursor = 1;
        for (int remedy = 0; remedy < kRemedyCount; ++remedy) {
            if (uses[static_cast<std::size_t>(remedy)] > 0)
                continue;
            for (;; cursor = cursor % (rubrics.size() - 1) + 1) {
                std::vector<Entry>& entries = rubrics[cursor].entries;
                if (sizes_.fixed[cursor] || entries.size() < 20)
                    continue;
                Entry& replaced = entries[entries.size() / 2];
                if (uses[static_cast<std::size_t>(replaced.remedy)] < 100)
                    continue;
                --uses[static_cast<std::size_t>(replaced.remedy)];
                replaced = {remedy, 1};
                ++uses[static_cast<std::size_t>(remedy)];
                sortByAbbreviation(entries);
                cursor = cursor % (rubrics.size() - 1) + 1;
                break;
            }
        }
    }

    int remedyIndex(std::string_view name) const {
        const auto found = std::find(repertory_.remedies.begin(), repertory_.remedies.end(), name);
        if (found == repertory_.remedies.end())
            fail("remedy " + std::string(name) + " missing");
        return static_cast<int>(found - repertory_.remedies.begin());
    }

    Repertory& repertory_;
    const RemedyPool& pool_;
    const RubricSizes& sizes_;
    Random& random_;
};

} // namespace

RemedyPool makeRemedies(Random& random) {
    RemedyPool pool;
    std::map<std::string, int> popularityOf;
    static constexpr std::string_view kKnown =
        "sulph.|lyc.|calc.|puls.|sep.|nat-m.|phos.|nux-v.|ars.|merc.|sil.|bell.|bry.|rhus-t.|lach.|"
        "caust.|graph.|hep.|kali-c.|carb-v.|ign.|cham.|chin.|con.|nit-ac.|ph-ac.|staph.|thuj.|verat.|"
        "hyos.|ant-c.|ant-t.|arn.|cocc.|dulc.|led.|mez.|plat.|sabad.|zinc.|stram.|spong.|squil.|stann.|"
        "sabin.|samb.|sars.|sec.|seneg.|spig.|sul-ac.|tarax.|teucr.|valer.|verb.|viol-o.|viol-t.|"
        "am-c.|am-m.|ambr.|anac.|ang.|arg.|asaf.|asar.|aur.|bar-c.|bism.|bor.|bov.|calad.|camph.|"
        "cann-s.|canth.|caps.|carb-an.|chel.|cic.|cina.|clem.|coff.|colch.|coloc.|croc.|cupr.|cycl.|"
        "dig.|dros.|euph.|euphr.|ferr.|guai.|hell.|iod.|ip.|kali-n.|kreos.|laur.|m-arct.|m-aust.|"
        "mag-c.|mag-m.|mang.|meny.|merc-c.|mosch.|mur-ac.|nat-c.|nit-s-d.|nux-m.|olnd.|op.|par.|"
        "petr.|ph-ac.|rheum.|rhod.|ruta.|sel.|alum.|apis.|gels.|kali-bi.|lil-t.|podo.|bapt.|cimic.|"
        "glon.|hydr.|med.|psor.|tub.|crot-h.|naja.|elaps.|cact.|sang.|phyt.|lac-c.|mag-p.|form.";
    static constexpr std::string_view kStems =
        "abies|abrot|absin|acal|acet|achy|act|adon|aesc|aeth|agn|ail|alet|all|aloe|alst|aml|anag|anan|"
        "anth|apoc|aral|aran|arum|aster|bad|benz|berb|both|brom|bufo|cadm|calen|card|caul|cean|cedr|"
        "chlor|cimx|cinnb|cist|cob|coc|coll|cop|cor|crat|cub|cur|dios|equis|erig|eup|fago|fl|gamb|gnaph|"
        "gran|grat|ham|hura|hyper|ind|ipom|iris|jab|jal|jug|kalm|lac|lachn|lact|lam|lappa|lath|lepi|"
        "lith|lob|lyss|manc|meli|meph|mill|mit|morph|myric|nicc|nuph|ol|onos|osm|ox|paeon|pall|pareir|"
        "pet|phel|pic|plan|plb|plect|polyg|prun|ptel|quas|ran|raph|rat|rob|rumx|sabal|sal|sarr|scut|"
        "senec|sol|stict|stront|sumb|syph|tab|tarent|tell|ter|ther|thlas|tril|upa|urt|ust|vesp|vib|"
        "vinc|vip|xan|zing|ziz";
    static constexpr std::string_view kSuffixes = "c|m|s|p|i|n|a|ar|ac|f|t|v|br|ph|ox|o|r|g|h|l|b|d|e";

    std::set<std::string> taken;
    for (std::string_view name : kFirstRemedies)
        taken.emplace(name);
    for (std::string_view name : kLastRemedies)
        taken.emplace(name);
    std::vector<std::string> middle;
    const auto add = [&](std::string name) {
        if (name.size() <= kMaxAbbreviationLength && taken.insert(name).second)
            middle.push_back(std::move(name));
    };
    for (std::string& name : splitList(kKnown))
        add(std::move(name));
    const std::vector<std::string> stems = splitList(kStems);
    const std::vector<std::string> suffixes = splitList(kSuffixes);
    const std::size_t wanted = kRemedyCount - kFirstRemedies.size() - kLastRemedies.size();
    while (middle.size() < wanted) {
        const std::string& stem =
            stems[static_cast<std::size_t>(random.below(static_cast<int>(stems.size())))];
        if (random.percent(20)) {
            add(stem + ".");
        } else {
            const auto suffix = static_cast<std::size_t>(random.below(static_cast<int>(suffixes.size())));
            add(stem + "-" + suffixes[suffix] + ".");
        }
    }
    // Popularity follows the order of invention: the well-known remedies first, the late
    // additions at the very end.
    pool.popularity.clear();
    for (const std::string& name : middle)
        popularityOf[name] = static_cast<int>(popularityOf.size());
    static constexpr std::array<int, kFirstRemedies.size()> kFirstPopularity = {19, 41, 60, 80};
    for (std::size_t k = 0; k < kFirstRemedies.size(); ++k)
        popularityOf[std::string(kFirstRemedies[k])] = kFirstPopularity[k];
    for (std::string_view name : kLastRemedies)
        popularityOf[std::string(name)] = static_cast<int>(popularityOf.size());

    std::sort(middle.begin(), middle.end());
    std::vector<std::string>& remedies = pool.names;
    remedies.assign(kFirstRemedies.begin(), kFirstRemedies.end());
    remedies.insert(remedies.end(), middle.begin(), middle.end());
    remedies.insert(remedies.end(), kLastRemedies.begin(), kLastRemedies.end());

    std::vector<std::pair<int, int>> ranked; // (popularity, remedy index)
    for (std::size_t index = 0; index < remedies.size(); ++index)
        ranked.emplace_back(popularityOf[remedies[index]], static_cast<int>(index));
    std::stable_sort(ranked.begin(), ranked.end());
    std::vector<std::string> byPopularity;
    for (const auto& [rank, index] : ranked) {
        pool.popularity.push_back(index);
        byPopularity.push_back(remedies[static_cast<std::size_t>(index)]);
    }
    pool.draw = SkewedList(std::move(byPopularity), 5);
    return pool;
}

void drawRemedyLists(Repertory& repertory, const RemedyPool& pool, const RubricSizes& sizes, Random& random) {
    RemedyListDrawer(repertory, pool, sizes, random).draw();
}

} // namespace telvarin::generator
