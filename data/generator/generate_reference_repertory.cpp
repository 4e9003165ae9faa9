// Writes the reference repertory source that the build compiles and embeds. Nobody hands us real
// repertory contents, so the texts, remedy lists and grades are made up, deterministically, in the
// shape of a real repertory: every published figure of the supplied repertory holds exactly, and
// the generator refuses to write a source where one does not.
//
// Usage: telvarin-generate-repertory OUTFILE

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace telvarin {
namespace {

// ---------------------------------------------------------------------------------------------
// The figures the generated repertory must reproduce.

constexpr int kChapterCount = 58;
constexpr int kSectionCount = 409;
constexpr int kRubricCount = 26564;
constexpr int kEntryCount = 286980;
constexpr int kRemedyCount = 933;
constexpr int kMaxEntriesPerRubric = 160;
constexpr std::size_t kLongestRubricText = 161;
constexpr std::size_t kMaxAbbreviationLength = 12;
constexpr int kFirstRubricEntries = 121;
constexpr int kMindRubrics = 1073;
constexpr int kMindSections = 6;
constexpr int kMindGeneralRubrics = 807;
constexpr int kSensoriumLastRubric = 1183;
constexpr int kFirstSevenChapterSections = 46;
constexpr int kFirstSevenChapterRubrics = 4939;
constexpr int kLastChapterFirstRubric = 25672;
constexpr int kSepTwiceRubric = 63;
constexpr std::string_view kFirstRubricText = "In general";
constexpr std::string_view kLastRubricText = "Yawning, after, amel.";
constexpr std::string_view kLastChapterName = "CONDITIONS OF AGGRAVATION AND AMELIORATION IN GENERAL";
constexpr std::string_view kLongestText =
    "Pain, forehead, pressing, extending to occiput and nape of neck, morning on "
    "waking, agg. from stooping, motion, light and noise, amel. by pressure "
    "and lying down";
static_assert(kLongestText.size() == kLongestRubricText);
// Generated texts stay well below the one long text, so that it is the longest.
constexpr std::size_t kMaxGeneratedTextLength = 150;

// Remedy indices with a fixed abbreviation: the first four and the last five.
constexpr std::array<std::string_view, 4> kFirstRemedies = {"acon.", "agar.", "ag-c.", "alu."};
constexpr std::array<std::string_view, 5> kLastRemedies = {"mag-pho.", "clac-c.", "ara-d.", "bly.", "lem-m."};

// ---------------------------------------------------------------------------------------------
// Deterministic randomness: splitmix64 and integer-only draws, so that every standard library
// gives the same repertory.

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Uniform in [0, bound).
    int below(int bound) { return static_cast<int>(next() % static_cast<std::uint64_t>(bound)); }
    bool percent(int chance) { return below(100) < chance; }

private:
    std::uint64_t state_;
};

// A list drawn from with falling weights: the first items are common, the last ones rare.
class SkewedList {
public:
    SkewedList() = default;
    SkewedList(std::vector<std::string> items, int offset) : items_(std::move(items)) {
        std::uint64_t total = 0;
        for (std::size_t k = 0; k < items_.size(); ++k) {
            total += 1000000 / (k + static_cast<std::size_t>(offset));
            cumulative_.push_back(total);
        }
    }
    bool empty() const { return items_.empty(); }
    std::size_t size() const { return items_.size(); }
    const std::string& operator[](std::size_t k) const { return items_[k]; }
    std::size_t drawIndex(Random& random) const {
        const std::uint64_t point = random.next() % cumulative_.back();
        return static_cast<std::size_t>(std::upper_bound(cumulative_.begin(), cumulative_.end(), point) -
                                        cumulative_.begin());
    }
    const std::string& draw(Random& random) const { return items_[drawIndex(random)]; }

private:
    std::vector<std::string> items_;
    std::vector<std::uint64_t> cumulative_;
};

std::vector<std::string> splitList(std::string_view list) {
    std::vector<std::string> items;
    while (!list.empty()) {
        const std::size_t bar = list.find('|');
        items.emplace_back(list.substr(0, bar));
        list = bar == std::string_view::npos ? std::string_view{} : list.substr(bar + 1);
    }
    return items;
}

SkewedList skewed(std::string_view list, int offset = 2) {
    return SkewedList(splitList(list), offset);
}

// ---------------------------------------------------------------------------------------------
// Vocabulary shared by the chapters.

constexpr std::string_view kTimes =
    "night|morning|evening|morning, on waking|afternoon|night, midnight, after|forenoon|evening, in bed|"
    "daytime|night, midnight, before|noon|morning, on rising|night, on waking|evening, twilight|"
    "morning, in bed|afternoon, 4 p.m.|night, 3 a.m.|forenoon, 10 a.m.|evening, 9 p.m.|night, 2 a.m.|"
    "afternoon, 3 p.m.|morning, 5 a.m.|evening, 6 p.m.|periodical|every other day|night, sleep, during|"
    "night, 11 p.m.|evening, sunset, after|forenoon, 11 a.m.|afternoon, 5 p.m.|morning, 6 a.m.|"
    "every seventh day|annually|new moon|full moon";

constexpr std::string_view kModalities =
    "motion, agg.|lying, agg.|walking, while|eating, after|pressure, amel.|open air, amel.|stooping, on|"
    "warmth, amel.|touch, agg.|cold air, agg.|rising, on|sitting, while|menses, during|coughing, on|"
    "rest, amel.|talking, agg.|exertion, after|motion, amel.|heat, agg.|lying, on left side|"
    "lying, on right side|lying, on back, amel.|bathing, after|wet weather, agg.|sleep, after|"
    "drinking, after|noise, agg.|light, agg.|riding in a carriage, agg.|bending forward, amel.|"
    "rubbing, amel.|perspiration, amel.|stool, after|urination, after|sneezing, on|yawning, on|"
    "change of weather, agg.|washing, cold water, amel.|wine, agg.|coffee, agg.|tobacco, agg.|"
    "fasting, while|anger, after|fright, after|grief, after|mental exertion, agg.|reading, while|"
    "writing, while|music, agg.|thunderstorm, before|ascending, on|descending, on|"
    "lying, on painful side, agg.|hot bath, amel.|cold applications, amel.|warm applications, amel.|"
    "eructations, amel.|dinner, after|breakfast, after|cold drinks, after|milk, after|sun, exposure to|"
    "wind, agg.|uncovering, agg.|covering, amel.|loosening clothes, amel.|turning in bed|swallowing, on|"
    "shaking the head|moving the eyes|closing the eyes, amel.|vaccination, after|cutting the hair, after";

constexpr std::string_view kModalityBases =
    "Motion|Lying|Walking|Eating, after|Stooping|Pressure|Open air|Warmth|Touch|Cold air|Rising|Sitting|"
    "Menses, during|Rest|Talking|Exertion|Heat|Lying on left side|Lying on right side|Lying on back|"
    "Bathing|Wet weather|Sleep, after|Drinking|Noise|Light|Riding in a carriage|Bending forward|Rubbing|"
    "Perspiration|Stool, after|Urination, after|Sneezing|Change of weather|Cold water|Wine|Coffee|"
    "Tobacco|Fasting|Anger|Fright|Grief|Mental exertion|Reading|Writing|Music|Thunderstorm|Ascending|"
    "Descending|Lying on painful side|Hot bath|Cold applications|Warm applications|Eructations|"
    "Dinner, after|Breakfast, after|Cold drinks|Milk|Sun|Wind|Uncovering|Covering|Loosening clothes|"
    "Turning in bed|Swallowing|Shaking the head|Sweets|Fat food|Standing|Kneeling|Crossing the legs|"
    "Coition, after|Vexation|Consolation|Company|Solitude|Darkness|Bright light|Odours|Smoke|"
    "Wetting the feet|Vaccination, after|Yawning|Looking downward|Looking upward|Carrying weights|"
    "Jar|Stepping|Rising from a seat|Lifting|Blowing the nose|Laughing|Singing|Dancing|Sea bathing";

constexpr std::string_view kConcomitants =
    "with nausea|with vertigo|with heat of face|with chilliness|with thirst|with restlessness|"
    "with palpitation|with perspiration|with anxiety|with weakness|with sleepiness|with vomiting|"
    "with coldness of hands|with copious urination|with diarrhoea|with red face|with pale face|"
    "with weeping|with dimness of vision|with cold feet|with yawning|with trembling|with hunger|"
    "with eructations|with shivering";

constexpr std::string_view kPainKinds =
    "pressing|stitching|burning|tearing|drawing|sore, bruised|cutting|throbbing|boring|cramping|"
    "shooting|gnawing|pinching|dull|sharp|jerking|aching|lancinating|digging|bursting|"
    "splinter, as from a|ulcerative|sprained, as if|stunning|neuralgic|paralytic|rheumatic|"
    "band, as from a|nail, as from a|plug, as from a";

constexpr std::string_view kExtensions =
    "left|right|extending downward|extending upward|in spots|extending outward|alternating sides|"
    "left, then right|right, then left|extending to neck|extending to chest|extending to back|"
    "extending to shoulder|wandering|small spot, in a";

constexpr std::string_view kBodySymptoms =
    "Pain|Heaviness|Heat|Coldness|Itching|Swelling|Numbness|Inflammation|Eruptions|Tension|Twitching|"
    "Trembling|Weakness|Redness|Dryness|Congestion|Constriction|Formication|Pulsation|Stiffness|"
    "Sensitiveness|Perspiration|Emaciation|Ulceration|Induration";

constexpr std::string_view kBodyQualities =
    "violent|sudden|periodical|chronic|in children|in old people|after suppression|gradual|"
    "on single parts|alternating with other symptoms|intermittent|acute|recurrent|sympathetic";

// ---------------------------------------------------------------------------------------------
// The chapters. Sections are "|"-separated; "*" marks a section left empty, "=N" a section of
// exactly N rubrics; the rest share the chapter's rubrics by the weight of their kind.

struct ChapterSpec {
    std::string_view name;
    int rubrics;
    std::string_view sections;
    std::string_view symptoms;  // most frequent first; body chapters add the common body symptoms
    std::string_view locations; // parts of the region, for the GENERAL section
    // Qualifiers; "Symptom:a|b" in a body chapter qualifies only that symptom, the others take
    // the common body qualifiers.
    std::string_view qualities;
    bool body = true;
};

// clang-format off
constexpr std::array<ChapterSpec, kChapterCount> kChapters = {{
    {"MIND", 1073, "GENERAL=807|INTELLECT=84|MEMORY=61|DISPOSITION=72|TIME=49|CROSS REFERENCE*",
     "Anxiety|Irritability|Weeping|Fear|Sadness|Restlessness|Anger|Confusion of mind|Delusions|Indifference|"
     "Cheerfulness|Excitement|Impatience|Despair|Discontented|Quarrelsome|Timidity|Mildness|Obstinate|"
     "Suspicious|Hurry|Grief|Jealousy|Loquacity|Mania|Rage|Sensitive|Censorious|Capriciousness|Haughty|"
     "Homesickness|Lamenting|Malicious|Morose|Religious affections|Remorse|Reproaches|Shrieking|Sighing|"
     "Starting|Stupefaction|Unconsciousness|Company, aversion to|Company, desire for|Contradiction, intolerant of|"
     "Dullness|Ennui|Fancies|Forsaken feeling|Hysteria|Indolence|Irresolution|Laughing|Loathing of life|"
     "Mirth|Moaning|Mood, changeable|Prostration of mind|Singing|Talk, indisposed to|Thoughts, vanishing|"
     "Weary of life|Whistling|Kleptomania|Clairvoyance",
     "",
     "causeless|from trifles|in children|in company|when alone|alternating with cheerfulness|"
     "about the future|about health|after anger|after fright|in the house|on going to sleep|"
     "from music|from consolation|before menses|after eating|with restlessness|in open air",
     false},
    {"SENSORIUM", 110, "GENERAL|CONFUSION|DULNESS|TIME|AGGRAVATION|CROSS REFERENCE",
     "Confusion|Dullness|Intoxication, as from|Stupefaction|Unconsciousness|Emptiness, sensation of|"
     "Senses, acute|Senses, dull|Fainting|Cloudiness|Muddled",
     "", "in a warm room|after eating|on rising|from mental exertion|in open air", false},
    {"VERTIGO", 260, "GENERAL|TIME|AGGRAVATION|AMELIORATION|CONCOMITANTS|CROSS REFERENCE*",
     "Vertigo|Falling, tendency to|Turning, as if|Reeling|Swaying, as if|Objects turn in a circle|"
     "Floating, as if|Staggering",
     "", "with nausea|on closing the eyes|on looking down|on rising from bed|in a warm room|on turning the head|"
     "on stooping|in elderly people", false},
    {"HEAD", 1850,
     "GENERAL|FOREHEAD|TEMPLES|VERTEX|OCCIPUT|SIDES|EXTERNAL HEAD|TIME|AGGRAVATION|AMELIORATION|CROSS REFERENCE",
     "Pain|Congestion|Heat|Heaviness|Fullness|Constriction|Hair, falling|Perspiration of scalp|Shocks|"
     "Motions in head|Looseness of brain, sensation of|Enlarged, sensation as if|Hydrocephalus|Waving sensation",
     "forehead|temples|vertex|occiput|sides|brain|scalp|eyes, above|whole head|forehead, eminences|"
     "nape of neck, extending to|sutures|fontanelles",
     "Pain:one-sided|as if bursting|as from a blow|in spots|periodical|semi-lateral|left|right"},
    {"EYES", 820, "GENERAL|LIDS|CANTHI|LACHRYMATION|TIME|AGGRAVATION|CROSS REFERENCE*",
     "Pain|Inflammation|Lachrymation|Agglutination|Photophobia|Redness|Itching|Swelling|Dryness|Staring|"
     "Twitching of lids|Sand, sensation of|Opacity of cornea|Ulceration of cornea|Pupils, dilated|"
     "Pupils, contracted|Protrusion|Sunken|Cataract|Styes",
     "lids|canthi|cornea|conjunctiva|balls|orbits|margins of lids|iris|lachrymal glands|above the eyes",
     "Inflammation:scrofulous|catarrhal|with photophobia|left|right|chronic|of lids|of conjunctiva"},
    {"VISION", 306, "GENERAL|COLOURS|TIME|AGGRAVATION",
     "Dim|Blurred|Foggy|Double|Flickering|Sparks|Lost|Weak|Myopia|Hyperopia|Colours before the eyes|"
     "Objects seem larger|Objects seem smaller|Halo around the light|Dazzling|Hemiopia|Zigzags",
     "", "on reading|on exertion of vision|in bright light|in twilight|on looking steadily", false},
    {"EARS", 520, "GENERAL|EXTERNAL EAR|DISCHARGES|NOISES|TIME|AGGRAVATION",
     "Pain|Noises|Discharge|Itching|Inflammation|Stopped sensation|Wax|Swelling|Heat|Eruptions|"
     "Polypus|Pulsation|Sensitive to noise|Fullness",
     "behind the ears|meatus|lobes|in front of ears|mastoid|Eustachian tube|concha|inside", ""},
    {"NOSE", 560,
     "GENERAL|CORYZA|DISCHARGES|EPISTAXIS|ROOT|TIP|NOSTRILS|TIME|AGGRAVATION|AMELIORATION|CONCOMITANTS|CROSS REFERENCE",
     "Coryza|Obstruction|Sneezing|Discharge|Epistaxis|Pain|Dryness|Itching|Crusts|Smell, acute|Smell, lost|"
     "Redness|Swelling|Polypus|Ulceration|Catarrh, postnasal|Fan-like motion of wings",
     "root|tip|nostrils|septum|wings|posterior nares|inside|bones", "Coryza:fluent|dry|alternating fluent and dry|annual|chronic|with sneezing|with cough"},
    {"FACE", 620,
     "GENERAL|LIPS|JAWS|CHEEKS|ERUPTIONS|CHIN|COMPLEXION|TIME|AGGRAVATION|AMELIORATION|CONCOMITANTS|CROSS REFERENCE",
     "Pain|Discoloration|Eruptions|Swelling|Heat|Expression|Cracked lips|Twitching|Perspiration|Sunken|"
     "Bloated|Drawn|Jaw, lower, cracking|Hippocratic|Cobweb, sensation of|Freckles",
     "cheeks|lips|jaws|chin|malar bones|around the mouth|submaxillary glands|forehead|nose, about|"
     "corners of mouth",
     "Discoloration:pale|red|yellow|bluish|earthy|sickly|one-sided|circumscribed|grey|livid"},
    {"MOUTH", 600,
     "GENERAL|TONGUE|GUMS|PALATE|SALIVA|BREATH|ULCERS|TIME|AGGRAVATION|AMELIORATION|CROSS REFERENCE",
     "Coated tongue|Dryness|Salivation|Taste|Ulcers|Odour, offensive|Bleeding gums|Vesicles|Aphthae|Pain|"
     "Burning|Swelling|Speech, difficult|Mucus|Heat|Numbness|Cracked tongue",
     "tongue|gums|palate|inside of cheeks|floor of mouth|tip of tongue|edges of tongue|root of tongue",
     "Coated tongue:white|yellow|brown|thick|dirty|mapped|in streaks|at the root|in the middle"},
    {"TEETH", 420, "GENERAL|INCISORS|MOLARS|DENTITION|TIME|AGGRAVATION|AMELIORATION|CONCOMITANTS|CROSS REFERENCE*",
     "Pain|Looseness|Caries|Sensitiveness|Dentition, difficult|Grinding|Elongated sensation|Numbness|"
     "Tartar|Crumbling|Edge, on",
     "incisors|molars|roots|upper|lower|hollow teeth|crowns|decayed teeth",
     "Pain:from cold drinks|from warm drinks|from sweets|while eating|from drawing in air|hollow teeth"},
    {"THROAT", 480,
     "GENERAL|TONSILS|SWALLOWING|UVULA|PHARYNX|TIME|AGGRAVATION|AMELIORATION|CONCOMITANTS|CROSS REFERENCE",
     "Pain|Inflammation|Lump, sensation of|Dryness|Mucus|Swallowing, difficult|Redness|Swelling|Scraping|"
     "Constriction|Ulcers|Hawks|Choking|Rawness|Elongated uvula",
     "tonsils|uvula|pharynx|oesophagus|fauces|palate, soft|sides",
     "Inflammation:left|right|left to right|right to left|dark red|glossy|follicular"},
    {"EXTERNAL THROAT", 120, "GENERAL|GLANDS|TIME|AGGRAVATION",
     "Swelling|Pain|Goitre|Induration of glands|Stiffness|Clothing agg.|Constriction|Eruptions",
     "cervical glands|thyroid|sides of neck|sternomastoid", ""},
    {"APPETITE", 260, "GENERAL|DESIRES|AVERSIONS|TIME|AGGRAVATION",
     "Appetite, increased|Appetite, wanting|Appetite, ravenous|Appetite, capricious|Hunger, without appetite|"
     "Satiety, easy|Appetite, diminished|Appetite, variable",
     "", "after eating|at night|with thirst|with emaciation|during fever|in children", false},
    {"TASTE", 140, "GENERAL|TIME|AGGRAVATION|CROSS REFERENCE",
     "Bitter|Sour|Metallic|Putrid|Salty|Sweetish|Flat|Lost|Bloody|Slimy|Insipid|Coppery|Earthy|Greasy",
     "", "after eating|of food|in the throat|of beer|of coffee", false},
    {"STOMACH", 1000,
     "GENERAL|ERUCTATIONS|NAUSEA|VOMITING|HICCOUGH|THIRST|HEARTBURN|TIME|AGGRAVATION|AMELIORATION|CONCOMITANTS|"
     "CROSS REFERENCE",
     "Pain|Nausea|Vomiting|Eructations|Fullness|Heartburn|Thirst|Emptiness|Distension|Heaviness|Hiccough|"
     "Indigestion|Qualmishness|Waterbrash|Retching|Anxiety in",
     "pit of stomach|cardiac orifice|pylorus|epigastrium", ""},
    {"ABDOMEN", 1100,
     "GENERAL|HYPOCHONDRIA|UMBILICUS|INGUINAL REGION|FLATULENCE|LIVER|SPLEEN|TIME|AGGRAVATION|AMELIORATION|"
     "CONCOMITANTS|CROSS REFERENCE",
     "Pain|Distension|Flatulence|Rumbling|Hardness|Fullness|Colic|Retraction|Heaviness|Hernia|Dropsy|"
     "Movements|Emptiness|Gurgling",
     "hypochondria|umbilicus|inguinal region|liver|spleen|hypogastrium|sides|caecal region|"
     "flanks|groins|iliac region",
     "Pain:flatulent|spasmodic|colicky|after stool|before stool|relieved by passing flatus"},
    {"RECTUM", 560,
     "GENERAL|ANUS|HAEMORRHOIDS|CONSTIPATION|DIARRHOEA|TIME|AGGRAVATION|AMELIORATION|CONCOMITANTS|CROSS REFERENCE*",
     "Constipation|Diarrhoea|Haemorrhoids|Pain|Itching|Urging|Flatus|Prolapsus|Fissure|Moisture|"
     "Involuntary stool|Inactivity|Fistula|Constriction|Worms",
     "anus|perineum|sphincter|about the anus", "Haemorrhoids:blind|bleeding|protruding|external|internal|large|painful"},
    {"STOOL", 360, "GENERAL|CONSISTENCE|COLOUR|ODOUR|TIME|AGGRAVATION|CROSS REFERENCE",
     "Hard|Soft|Watery|Knotty|Large|Small|Slimy|Frothy|Lumpy|Bloody|Copious|Scanty|Offensive|Undigested|"
     "Black|Green|White|Clay-coloured|Yellow|Balls, like",
     "", "", false},
    {"BLADDER", 310, "GENERAL|URINATION|RETENTION|TIME|AGGRAVATION|AMELIORATION|CROSS REFERENCE",
     "Urging|Pain|Urination, frequent|Urination, involuntary|Retention|Urination, dribbling|Tenesmus|"
     "Urination, interrupted|Urination, unsatisfactory|Inflammation|Paralysis|Fullness",
     "neck of bladder|sphincter|region of bladder", ""},
    {"KIDNEYS", 140, "GENERAL|TIME|AGGRAVATION|CROSS REFERENCE",
     "Pain|Inflammation|Suppression of urine|Congestion|Calculi|Sensitiveness",
     "region of kidneys|ureters|left kidney|right kidney", ""},
    {"PROSTATE GLAND", 60, "GENERAL|TIME|AGGRAVATION",
     "Enlargement|Pain|Discharge of prostatic fluid|Inflammation|Induration|Fullness", "", ""},
    {"URETHRA", 220, "GENERAL|DISCHARGES|TIME|AGGRAVATION|CROSS REFERENCE",
     "Pain|Discharge|Itching|Burning|Stricture|Inflammation|Orifice, redness|Gleet|Twitching",
     "orifice|fossa navicularis|meatus", ""},
    {"URINE", 280, "GENERAL|COLOUR|SEDIMENT|ODOUR|QUANTITY|TIME|AGGRAVATION",
     "Copious|Scanty|Cloudy|Albuminous|Bloody|Burning|Sugar|Dark|Pale|Red|Offensive|Oily|Frothy|Cold|Hot|"
     "Thick|Watery",
     "", "", false},
    {"GENITALIA MALE", 400,
     "GENERAL|TESTES|SEXUAL DESIRE|PENIS|SCROTUM|EMISSIONS|TIME|AGGRAVATION|AMELIORATION|CONCOMITANTS|"
     "CROSS REFERENCE",
     "Pain|Erections|Sexual desire, increased|Sexual desire, diminished|Emissions|Impotence|Swelling|"
     "Itching|Perspiration|Induration|Eruptions|Relaxed|Retraction",
     "testes|penis|scrotum|spermatic cords|glans|prepuce|epididymis", ""},
    {"GENITALIA FEMALE", 680,
     "GENERAL|MENSES|LEUCORRHOEA|PREGNANCY|OVARIES|UTERUS|VAGINA|TIME|AGGRAVATION|AMELIORATION|CONCOMITANTS|"
     "CROSS REFERENCE",
     "Menses|Leucorrhoea|Pain|Bearing down|Metrorrhagia|Itching|Prolapsus|Sexual desire, increased|Dryness|"
     "Heat|Sterility|Abortion|Tumours|Induration",
     "uterus|ovaries|vagina|vulva|labia|cervix|clitoris",
     "Menses:copious|scanty|early|late|painful|suppressed|clotted|dark|bright red|protracted|offensive|acrid"},
    {"LARYNX AND TRACHEA", 300, "GENERAL|VOICE|HOARSENESS|TIME|AGGRAVATION|AMELIORATION|CROSS REFERENCE",
     "Voice|Hoarseness|Pain|Mucus|Tickling|Irritation|Rawness|Constriction|Croup|Dryness|Inflammation",
     "larynx|trachea|air passages|vocal cords|bifurcation of trachea",
     "Voice:lost|rough|weak|nasal|husky|cracked|deep|high|changeable|painless"},
    {"RESPIRATION", 330, "GENERAL|ASTHMATIC|DIFFICULT|TIME|AGGRAVATION|AMELIORATION|CONCOMITANTS",
     "Difficult|Asthmatic|Anxious|Rattling|Short|Wheezing|Deep|Sighing|Gasping|Impeded|Arrested|Loud|"
     "Quick|Slow|Irregular|Oppressed",
     "", "when lying|when walking|on ascending|from talking|must sit up|must bend forward", false},
    {"COUGH", 760, "GENERAL|DRY|LOOSE|TIME|AGGRAVATION|AMELIORATION|CONCOMITANTS|CROSS REFERENCE",
     "Cough",
     "", "dry|loose|hacking|barking|spasmodic|tickling|rattling|short|violent|suffocative|racking|"
     "whooping|hollow|croupy|exhausting|constant|paroxysmal|irritating|deep|hard|teasing", false},
    {"EXPECTORATION", 250, "GENERAL|COLOUR|TASTE|CONSISTENCE|TIME|AGGRAVATION",
     "Mucous|Bloody|Purulent|Frothy|Copious|Scanty|Difficult|Easy|Tough|Viscid|Yellow|Green|White|Grey|"
     "Offensive|Salty|Sweetish|Lumpy|Transparent",
     "", "", false},
    {"CHEST", 1000,
     "GENERAL|MAMMAE|AXILLA|SIDES|STERNUM|NIPPLES|TIME|AGGRAVATION|AMELIORATION|CONCOMITANTS|CROSS REFERENCE*",
     "Pain|Oppression|Constriction|Anxiety in|Palpitation|Congestion|Heat|Fullness|Inflammation of lungs|"
     "Weakness|Rattling|Eruptions|Milk|Hydrothorax",
     "sides|sternum|mammae|axilla|nipples|heart region|lower part|upper part|clavicles|intercostal spaces",
     "Pain:left|right|on deep breathing|on coughing|stitching, on breathing"},
    {"HEART AND CIRCULATION", 400, "GENERAL|PALPITATION|PULSE|VEINS|TIME|AGGRAVATION|AMELIORATION|CONCOMITANTS",
     "Palpitation|Pulse|Pain|Anxiety about heart|Oppression|Trembling|Ebullitions|Varices|Fluttering",
     "heart region|veins|apex|precordia",
     "Palpitation:anxious|violent|audible|tumultuous|visible|irregular|rapid|intermittent"},
    {"BACK", 980,
     "GENERAL|CERVICAL REGION|DORSAL REGION|LUMBAR REGION|SACRAL REGION|COCCYX|SCAPULAE|TIME|AGGRAVATION|"
     "AMELIORATION|CONCOMITANTS|CROSS REFERENCE",
     "Pain|Stiffness|Weakness|Coldness|Heat|Perspiration|Curvature of spine|Tension|Eruptions|Itching",
     "cervical region|dorsal region|lumbar region|sacral region|coccyx|scapulae|spine|between scapulae|"
     "kidney region|nape of neck|spine, along the",
     "Pain:extending to thighs|extending upward|on rising from sitting|left|right"},
    {"UPPER LIMBS", 1200,
     "GENERAL|SHOULDERS|UPPER ARMS|ELBOWS|FOREARMS|WRISTS|HANDS|FINGERS|THUMBS|TIME|AGGRAVATION|AMELIORATION|"
     "CROSS REFERENCE",
     "Pain|Numbness|Coldness|Heaviness|Perspiration|Trembling|Eruptions|Swelling|Awkwardness|Cracks|"
     "Paralysis|Contraction of muscles|Jerking|Nodosities|Chilblains",
     "shoulders|upper arms|elbows|forearms|wrists|hands|fingers|thumbs|palms|back of hands|finger joints|"
     "tips of fingers|between fingers|nails",
     "Pain:rheumatic|gouty|left|right|alternating"},
    {"LOWER LIMBS", 1380,
     "GENERAL|HIPS|THIGHS|KNEES|LEGS|ANKLES|FEET|TOES|CALVES|SOLES|HEELS|TIME|AGGRAVATION|AMELIORATION|"
     "CROSS REFERENCE",
     "Pain|Coldness|Numbness|Restlessness|Swelling|Cramps|Heaviness|Perspiration|Weakness|Ulcers|Varices|"
     "Eruptions|Trembling|Paralysis|Chilblains|Corns|Oedema",
     "hips|thighs|knees|legs|ankles|feet|toes|calves|soles|heels|nates|tibia|hollow of knee|great toe|"
     "back of foot",
     "Pain:rheumatic|gouty|sciatic|left|right|alternating"},
    {"JOINTS", 240, "GENERAL|TIME|AGGRAVATION|AMELIORATION|CROSS REFERENCE",
     "Pain|Stiffness|Swelling|Cracking|Weakness|Nodosities|Dislocation, easy|Inflammation",
     "small joints|large joints|all joints", "Pain:rheumatic|gouty|wandering"},
    {"BONES", 150, "GENERAL|PERIOSTEUM|TIME|AGGRAVATION",
     "Pain|Caries|Softening|Exostoses|Curvature|Necrosis|Swelling|Fragility", "long bones|periosteum|flat bones", ""},
    {"GLANDS", 130, "GENERAL|TIME|AGGRAVATION|CROSS REFERENCE",
     "Swelling|Induration|Pain|Inflammation|Suppuration|Atrophy", "lymphatic glands|cervical glands|axillary glands",
     ""},
    {"SLEEP", 400, "GENERAL|SLEEPLESSNESS|POSITION|WAKING|SLEEPINESS|YAWNING|TIME|AGGRAVATION|CROSS REFERENCE",
     "Sleeplessness|Sleepiness|Waking|Restless|Unrefreshing|Deep|Disturbed|Yawning|Position|Talking in sleep|"
     "Starting from sleep|Falling asleep, late|Light|Moaning in sleep|Comatose",
     "", "from thoughts|from anxiety|after midnight|before midnight|in the evening|after dinner|"
     "on back|on abdomen|on left side|on right side|with arms over head|with legs drawn up", false},
    {"DREAMS", 300, "GENERAL|TIME|CROSS REFERENCE",
     "Anxious|Frightful|Vivid|Amorous|Of the dead|Of falling|Of water|Of fire|Of robbers|Of journeys|"
     "Of quarrels|Of business|Of snakes|Of flying|Of ghosts|Unremembered|Pleasant|Confused|"
     "Continued after waking|Of dogs|Of mice|Of examinations|Of misfortune|Of dead bodies|Of being pursued|"
     "Of houses|Of murder|Of thunderstorms",
     "", "", false},
    {"CHILL", 360, "GENERAL|TIME|AGGRAVATION|AMELIORATION|CONCOMITANTS|CROSS REFERENCE",
     "Chill|Chilliness|Shaking|Coldness|Shivering|Creeping",
     "back|extremities|feet|hands|one side|between scapulae",
     "internal|external|one-sided|periodical|quotidian|tertian|without thirst|with thirst|in spots|"
     "ascending|beginning in the back|beginning in the feet|alternating with heat", false},
    {"FEVER", 400, "GENERAL|TYPES|TIME|AGGRAVATION|AMELIORATION|CONCOMITANTS|CROSS REFERENCE",
     "Heat|Fever|Intermittent|Remittent|Continued|Hectic|Typhoid|Septic|Dry heat|Burning heat|Flushes of heat|"
     "Inflammatory|Bilious|Catarrhal",
     "", "without thirst|with thirst|one-sided|external|internal|alternating with chill|"
     "with perspiration|with delirium|long lasting|short", false},
    {"PERSPIRATION", 270, "GENERAL|ODOUR|TIME|AGGRAVATION|AMELIORATION|CONCOMITANTS",
     "Perspiration|Copious|Scanty|Cold|Clammy|Offensive|Sour|Staining the linen|Partial|Debilitating|"
     "Absent|Oily|Bloody",
     "", "on covered parts|on uncovered parts|on single parts|on the side lain on|during sleep|"
     "on waking|from least exertion|after eating", false},
    {"SKIN", 920,
     "GENERAL|ERUPTIONS|ULCERS|DISCOLOURATION|ITCHING|WARTS|TIME|AGGRAVATION|AMELIORATION|CONCOMITANTS|"
     "CROSS REFERENCE*",
     "Eruptions|Itching|Ulcers|Discoloration|Dryness|Burning|Cracks|Warts|Excoriation|Unhealthy|Formication|"
     "Induration|Blisters|Boils|Scars|Callosities|Desquamation|Gangrene",
     "", "vesicular|pustular|scaly|moist|dry|crusty|burning|red|papular|itching|bleeding|painful|"
     "offensive|herpetic|eczematous|urticaria-like|yellow|white|bluish|brown", false},
    {"NAILS", 60, "GENERAL|TIME",
     "Brittle|Discoloured|Thick|Ulceration around|Ingrowing|Pain under|Distorted|Crippled|Splitting|Spots on",
     "", "", false},
    {"HAIR", 70, "GENERAL|TIME|CROSS REFERENCE",
     "Falling|Dry|Grey|Tangled|Greasy|Brittle|Sensitive|Pulling, sensation of", "", "in spots|after fever|"
     "after grief|in handfuls", false},
    {"GENERALITIES", 1082,
     "GENERAL|PAIN|CONVULSIONS|WEAKNESS|FOOD AND DRINKS|TIME|AGGRAVATION|AMELIORATION|CONCOMITANTS|CROSS REFERENCE",
     "Pain|Weakness|Convulsions|Emaciation|Faintness|Heat, vital, lack of|Obesity|Orgasm of blood|"
     "Restlessness, physical|Sluggishness|Trembling|Twitching|Dropsy|Inflammation|Lassitude|Relaxation|"
     "Reaction, lack of|Collapse|Pulsation|Numbness",
     "muscles|bones|joints|glands|mucous membranes|internally|externally|single parts|affected parts",
     "Weakness:sudden|nervous|paralytic|after exertion|after loss of fluids|from heat|in the morning|"
     "from talking"},
    {"BLOOD", 100, "GENERAL|HAEMORRHAGE|TIME|AGGRAVATION",
     "Haemorrhage|Anaemia|Ebullitions|Plethora|Blood, thin|Blood, dark|Blood, clotted", "",
     "bright red|dark|fluid|from orifices|passive|profuse", false},
    {"NERVES", 180, "GENERAL|PARALYSIS|TIME|AGGRAVATION|AMELIORATION",
     "Paralysis|Neuralgia|Pain|Sensitiveness|Excitability|Twitching|Chorea|Numbness", "nerves|single parts|one side",
     "Paralysis:painless|ascending|descending|after apoplexy|after diphtheria|one-sided"},
    {"MUSCLES", 150, "GENERAL|TIME|AGGRAVATION|AMELIORATION",
     "Pain|Weakness|Cramps|Twitching|Flabby|Stiffness|Atrophy|Contraction|Rigidity",
     "voluntary muscles|flexors|extensors", ""},
    {"TISSUES", 90, "GENERAL|TIME|AGGRAVATION",
     "Induration|Swelling|Emaciation|Softening|Flabbiness|Dropsy|Suppuration", "cellular tissue|mucous membranes",
     ""},
    {"HEARING", 150, "GENERAL|TIME|AGGRAVATION|AMELIORATION",
     "Impaired|Acute|Lost|Illusions|Noises|Distant sounds|Reverberating", "",
     "for the human voice|for music|for noise|in noise|after suppression", false},
    {"SMELL", 80, "GENERAL|TIME|AGGRAVATION",
     "Acute|Diminished|Lost|Imaginary odours|Sensitive to odours|Perverted", "", "to flowers|to tobacco|to food",
     false},
    {"SPEECH", 70, "GENERAL|TIME|CROSS REFERENCE",
     "Difficult|Stammering|Hasty|Slow|Incoherent|Nasal|Lisping|Unintelligible|Whispering", "",
     "in children|from excitement|from weakness", false},
    {"SENSATIONS IN GENERAL", 260, "GENERAL|AS IF|TIME|AGGRAVATION|AMELIORATION",
     "As if bruised|As if beaten|As if a band|As if a plug|As if a nail|As if hot water|As if cold water|"
     "As if a hair|As if a lump|As if sprained|As if dislocated|As if broken|As if paralysed|"
     "As if pulled by a thread|As if made of glass|As if a mouse running|As if enlarged|As if empty|"
     "As if too short|As if wood",
     "internally|externally|in bones|in joints|in muscles|in glands", "", false},
    {"SIDES OF THE BODY", 110, "GENERAL|LEFT|RIGHT|CROSS REFERENCE",
     "Left side|Right side|Left, then right|Right, then left|Alternating sides|Crosswise|Upper left|Lower right",
     "", "complaints of|pain|paralysis|coldness|perspiration|numbness", false},
    {"TIME OF DAY", 250, "GENERAL|MORNING|FORENOON|AFTERNOON|EVENING|NIGHT",
     "Aggravation|Amelioration|Weakness|Sleepiness|Chilliness|Heat|Perspiration|Restlessness|Anxiety|Pain|"
     "Nausea|Cough|Thirst",
     "", "in general|of all complaints|of single symptoms", false},
    {kLastChapterName, 893,
     "GENERAL|TIME|WEATHER|MOTION AND POSITION|EATING AND DRINKING|AGGRAVATION|CROSS REFERENCE*|AMELIORATION",
     "", "", "", false},
}};
// clang-format on

// Main words of sections whose rubrics name something other than the chapter's symptoms.
const std::map<std::string_view, std::string_view>& sectionVocabularies() {
    static const std::map<std::string_view, std::string_view> vocabularies = {
        {"INTELLECT",
         "Concentration, difficult|Comprehension, difficult|Ideas, abundant|Ideas, deficiency of|"
         "Mistakes in writing|Mistakes in speaking|Thinking, aversion to|Absent-minded|"
         "Reading, unable|Calculating, difficult|Thoughts, rush of|Thoughts, wandering|"
         "Senses, vanishing|Exertion of mind, impossible"},
        {"MEMORY", "Memory, weak|Memory, loss of|Forgetful|Memory, active|Memory, weak for names|"
                   "Memory, weak for words|Memory, weak for what has happened|Memory, weak for dates|"
                   "Memory, weak for places|Memory, weak for what he has read"},
        {"DISPOSITION",
         "Mild|Yielding|Obstinate|Irritable|Cheerful|Melancholy|Timid|Bold|Changeable|Contrary|"
         "Serious|Sensitive|Tearful|Quarrelsome|Reserved|Vivacious"},
        {"DESIRES", "Sweets|Salt|Meat|Milk|Cold drinks|Warm food|Sour things|Fat|Eggs|Bread|Coffee|Beer|Wine|"
                    "Fruit|Vegetables|Fish|Spices|Ice|Indigestible things|Chalk|Tobacco|Butter|Cheese|Onions|"
                    "Pickles|Juicy things|Lemonade|Oysters"},
        {"AVERSIONS",
         "Meat|Milk|Bread|Fat|Food, all|Coffee|Water|Tobacco|Sweets|Eggs|Fish|Wine|Beer|Warm food|"
         "Cold food|Fruit|Salt|Butter|Cheese|Vegetables"},
        {"FOOD AND DRINKS", "Milk|Fat food|Fruit|Coffee|Wine|Beer|Sweets|Bread|Vegetables|Onions|Cold drinks|"
                            "Warm drinks|Ice cream|Pork|Eggs|Oysters|Vinegar|Tea|Potatoes|Cabbage"},
        {"EATING AND DRINKING",
         "Eating|Drinking|Cold food|Warm food|Milk|Fat food|Fruit|Coffee|Wine|Beer|"
         "Sweets|Bread|Vegetables|Onions|Fasting|Overeating|Cold drinks|Warm drinks|Tea"},
        {"COLOUR", "Black|Brown|Green|Yellow|White|Red|Bloody|Clay-coloured|Grey|Pale|Dark|Milky|Orange|"
                   "Changeable|Greenish|Bluish"},
        {"COLOURS", "Blue|Green|Red|Yellow|Black|White|Fiery|Rainbow|Bright|Dark|Variegated|Grey"},
        {"DISCHARGES", "Bloody|Purulent|Watery|Thick|Yellow|Green|Offensive|Acrid|Excoriating|Copious|Scanty|"
                       "Thin|Albuminous|Crusts|Greenish yellow|Brownish|Tenacious|Lumpy"},
        {"CONSISTENCE", "Hard|Soft|Watery|Knotty|Large|Small|Slimy|Frothy|Lumpy|Tough|Thin|Pasty|Gelatinous|"
                        "Stringy|Granular|Balls, like"},
        {"ODOUR", "Offensive|Sour|Putrid|Cadaverous|Fishy|Pungent|Musty|Sweetish|Garlic-like|"
                  "Like rotten eggs|Ammoniacal|Honey-like|Like horse urine|Violets, like"},
        {"MENSES",
         "Copious|Scanty|Early|Late|Painful|Suppressed|Clotted|Dark|Bright red|Protracted|Intermittent|"
         "Offensive|Acrid|Pale|Stringy|Short|Membranous|Irregular"},
        {"LEUCORRHOEA", "Acrid|Albuminous|Bland|Bloody|Brown|Copious|Creamy|Green|Milky|Offensive|Thick|"
                        "Transparent|Watery|Yellow|Gushing|Lumpy"},
        {"TYPES", "Intermittent|Remittent|Continued|Hectic|Typhoid|Septic|Burning heat|Dry heat|Zymotic|"
                  "Inflammatory|Bilious|Catarrhal|Gastric|Relapsing"},
        {"ERUCTATIONS", "Bitter|Sour|Empty|Tasting of food|Rancid|Loud|Difficult|Incomplete|Putrid|"
                        "Like rotten eggs|Burning|Frequent|Ineffectual|Oily|Water"},
        {"NAUSEA", "Constant|Violent|Periodical|Sudden|Deathly|Qualmish|At the sight of food|"
                   "From the smell of food|In the throat|In the stomach"},
        {"VOMITING", "Bile|Food|Mucus|Blood|Water|Sour|Bitter|Violent|Constant|Periodical|Sudden|Easy|Frothy|"
                     "Green|Black|Milk|Drinks|Faecal"},
        {"SEDIMENT", "Red|Sandy|White|Mucous|Brick-dust|Purulent|Bloody|Flaky|Cloudy|Gravel|Chalky|Scanty|"
                     "Copious|Yellow|Crystalline"},
        {"QUANTITY", "Copious|Scanty|Increased|Diminished|Alternating|Suppressed|Dribbling|Excessive"},
        {"VOICE", "Hoarse|Lost|Rough|Weak|Nasal|Husky|Cracked|Deep|High|Trembling|Changeable|Hollow|"
                  "Monotonous|Squeaking"},
        {"EPISTAXIS", "Bright red|Dark|Clotted|Copious|Blowing the nose, when|Stooping, on|Washing face, on|"
                      "In children|Vicarious|Persistent|Fluid|Stringy|Menses, instead of"},
        {"POSITION", "On back|On abdomen|On left side|On right side|With arms over head|With legs drawn up|"
                     "Knee-chest|With hands under head|Sitting|Bent forward|On the face|With legs apart"},
        {"WEATHER", "Cold weather|Wet weather|Warm weather|Change of weather|Windy weather|Thunderstorm|Fog|"
                    "Snow air|Dry cold weather|Cloudy weather|Sun|Spring|Autumn|Winter|Summer|Hot weather|"
                    "Damp cold weather|Stormy weather|Frost"},
        {"MOTION AND POSITION", "Motion|Walking|Lying|Sitting|Standing|Stooping|Rising|Turning in bed|"
                                "Bending backward|Ascending|Descending|Riding|Kneeling|Crossing the legs|"
                                "Lying on painful side|Lying on back|Lying on abdomen|Moving the arms|"
                                "Walking rapidly|Walking in open air|Beginning to move|Continued motion"},
        {"AS IF",
         "As if bruised|As if beaten|As if a band|As if a plug|As if a nail|As if hot water|"
         "As if cold water|As if a hair|As if a lump|As if sprained|As if dislocated|As if broken|"
         "As if paralysed|As if pulled by a thread|As if made of glass|As if a mouse running|"
         "As if enlarged|As if empty|As if too short|As if wood|As if a worm crawling|As if electric"},
        {"PALPITATION", "Anxious|Violent|Audible|Tumultuous|Visible|Irregular|Rapid|Trembling|Fluttering|"
                        "Intermittent|Strong|Tremulous"},
        {"PULSE",
         "Rapid|Slow|Irregular|Intermittent|Full|Hard|Small|Thready|Weak|Imperceptible|Bounding|Tense|"
         "Soft|Unequal"},
        {"CONVULSIONS",
         "Epileptic|Clonic|Tonic|Hysterical|Puerperal|In children|From fright|During dentition|"
         "Unconsciousness, with|Consciousness, with|Falling, with|Periodical|Epileptiform"},
        {"PAIN", "Burning|Pressing|Stitching|Tearing|Cutting|Drawing|Sore, bruised|Throbbing|Boring|Cramping|"
                 "Shooting|Gnawing|Pinching|Dull|Sharp|Jerking|Aching|Lancinating|Digging|Bursting|Wandering|"
                 "Neuralgic|Paralytic|Rheumatic"},
        {"WEAKNESS", "Sudden|Paralytic|Nervous|After exertion|After diarrhoea|After loss of fluids|From heat|"
                     "From walking|From talking|After sleep|After coition|Trembling|During menses"},
        {"HAEMORRHAGE",
         "Bright red|Dark|Fluid|Clotted|From orifices|Passive|Profuse|Vicarious|Black|Stringy"},
        {"NOISES", "Roaring|Ringing|Buzzing|Humming|Cracking|Fluttering|Hissing|Singing|Thundering|Whizzing|"
                   "Chirping|Pulsating|Rushing|Rumbling|Reverberating|Tinkling"},
        {"EMISSIONS", "Frequent|Without dreams|With lascivious dreams|Bloody|Weakening|Every night|"
                      "After coition|During stool|Without erection"},
        {"HICCOUGH", "Hiccough|Hiccough, violent|Hiccough, spasmodic|Hiccough, frequent|Hiccough, painful"},
        {"THIRST", "Thirst|Thirstlessness|Thirst, burning|Thirst, extreme|Thirst, unquenchable|"
                   "Thirst for small quantities|Thirst for large quantities|Thirst for cold water"},
        {"HEARTBURN", "Heartburn|Heartburn, burning|Heartburn, with eructations|Heartburn, sour"},
        {"YAWNING", "Yawning|Yawning, frequent|Yawning, spasmodic|Yawning, ineffectual|Yawning, violent"},
        {"HAEMORRHOIDS",
         "Bleeding|Blind|Protruding|External|Internal|Large|Painful|Itching|Burning|Strangulated|"
         "Bluish|Moist"},
        {"CONSTIPATION", "Difficult stool|Inactivity of rectum|Ineffectual urging|Alternating with diarrhoea|"
                         "Stool recedes|Hard stool|During menses|In children|While travelling|Chronic"},
        {"DIARRHOEA", "Painless|Painful|Watery|Sudden|Gushing|Driving out of bed|After fruit|After milk|"
                      "In children|During dentition|From fright|Chronic|Alternating with constipation"},
        {"CORYZA",
         "Fluent|Dry|Annual|With sneezing|With cough|Alternating fluent and dry|Chronic|Acrid|Bland|"
         "In open air|Suppressed"},
        {"URINATION",
         "Frequent|Involuntary|Dribbling|Interrupted|Unsatisfactory|Painful|Difficult|Slow|Urging|"
         "Feeble stream|Forked stream"},
        {"RETENTION", "Retention|After labour|From cold|In children|Painful|With urging|After exertion"},
        {"PREGNANCY", "Nausea during|Vomiting during|Abortion, tendency to|Cramps during|Varices during|"
                      "Toothache during|Constipation during|Sleeplessness during"},
        {"ULCERS",
         "Bleeding|Burning|Deep|Flat|Indolent|Painful|Phagedenic|Spongy|Offensive|Fistulous|Indurated|"
         "Varicose|Suppurating|Crusty"},
        {"ERUPTIONS",
         "Vesicular|Pustular|Scaly|Moist|Dry|Crusty|Burning|Red|Papular|Itching|Bleeding|Herpetic|"
         "Eczema|Urticaria|Acne|Boils|Pimples"},
        {"ITCHING",
         "Itching|Itching, burning|Itching, crawling|Itching, voluptuous|Itching, wandering|"
         "Itching, without eruption|Itching, scratching, agg.|Itching, scratching, amel.|Itching, stinging"},
        {"WARTS",
         "Warts|Warts, bleeding|Warts, flat|Warts, horny|Warts, large|Warts, pedunculated|Warts, small|"
         "Warts, painful|Warts, fig"},
        {"DENTITION",
         "Difficult|Slow|Premature|With convulsions|With diarrhoea|With cough|With sleeplessness"},
        {"SALIVA", "Salivation|Saliva, bloody|Saliva, frothy|Saliva, offensive|Saliva, viscid|Saliva, salty|"
                   "Saliva, sweetish|Saliva, soapy"},
        {"BREATH", "Odour, offensive|Odour, putrid|Odour, sour|Odour, cadaverous|Hot breath|Cold breath|"
                   "Odour, like garlic|Odour, like urine"},
        {"DISCOLOURATION",
         "Pale|Red|Yellow|Bluish|Earthy|Sickly|Grey|Livid|Spotted|Brown spots|Mottled|White spots"},
        {"COMPLEXION",
         "Pale|Red|Yellow|Bluish|Earthy|Sickly|Grey|Livid|Circumscribed redness|Changing colour"},
        {"LACHRYMATION", "Lachrymation|Lachrymation, acrid|Lachrymation, hot|Lachrymation, bland|"
                         "Lachrymation, in cold air|Lachrymation, while coughing|Lachrymation, in the wind"},
        {"FLATULENCE",
         "Flatulence|Obstructed flatus|Flatus, offensive|Rumbling|Gurgling|Incarcerated flatulence|"
         "Distension from flatus"},
        {"HOARSENESS",
         "Hoarseness|Hoarseness, painless|Hoarseness, chronic|Hoarseness, from overuse of voice|"
         "Hoarseness, morning|Hoarseness, alternating with coryza"},
        {"PARALYSIS",
         "Paralysis|Paralysis, painless|Paralysis, one-sided|Paralysis, of single parts|"
         "Paralysis, ascending|Paralysis, after apoplexy|Paralysis, after diphtheria|Paralysis, agitans"},
        {"SEXUAL DESIRE", "Increased|Diminished|Wanting|Violent|Without erections|Suppressed|Perverted"},
    };
    return vocabularies;
}

enum class SectionKind {
    General,
    Topic,
    Time,
    Aggravation,
    Amelioration,
    Concomitants,
    CrossReference,
    Modality
};

SectionKind kindOf(std::string_view section, bool modalityChapter) {
    if (section == "TIME")
        return SectionKind::Time;
    if (section == "CROSS REFERENCE")
        return SectionKind::CrossReference;
    if (modalityChapter)
        return SectionKind::Modality;
    if (section == "GENERAL")
        return SectionKind::General;
    if (section == "AGGRAVATION")
        return SectionKind::Aggravation;
    if (section == "AMELIORATION")
        return SectionKind::Amelioration;
    if (section == "CONCOMITANTS")
        return SectionKind::Concomitants;
    return SectionKind::Topic;
}

int weightOf(SectionKind kind) {
    switch (kind) {
    case SectionKind::General:
        return 40;
    case SectionKind::Topic:
    case SectionKind::Modality:
        return 12;
    case SectionKind::Time:
    case SectionKind::Aggravation:
        return 6;
    case SectionKind::Amelioration:
    case SectionKind::Concomitants:
        return 4;
    case SectionKind::CrossReference:
        return 1;
    }
    return 1;
}

// ---------------------------------------------------------------------------------------------
// The generated repertory.

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

std::string capitalised(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

std::string lowered(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// "LARYNX AND TRACHEA" -> "Larynx and trachea", as a cross reference names a chapter.
std::string titleCase(std::string_view upper) {
    std::string title = lowered(std::string(upper));
    return capitalised(title);
}

// Vocabulary of one section, ready to draw from.
struct SectionVocabulary {
    SectionKind kind = SectionKind::General;
    SkewedList mains;
    SkewedList locations;
    SkewedList qualities;
    std::string qualified; // the symptom the chapter's qualities belong to; empty for all
    SkewedList commonQualities;
    bool chapterWords = true; // mains are the chapter's symptoms (pain kinds apply to "Pain")
    bool body = true;
};

class TextMaker {
public:
    explicit TextMaker(Random& random)
        : random_(random), times_(skewed(kTimes, 3)), modalities_(skewed(kModalities, 4)),
          bases_(skewed(kModalityBases, 4)), concomitants_(skewed(kConcomitants)),
          painKinds_(skewed(kPainKinds)), extensions_(skewed(kExtensions)) {}

    // One candidate rubric text; extra raises the number of qualifiers when a section runs short.
    std::string make(const SectionVocabulary& vocabulary, int extra, int& depth) {
        depth = drawDepth() + extra;
        switch (vocabulary.kind) {
        case SectionKind::Time:
            return timeText(vocabulary, depth);
        case SectionKind::Aggravation:
            return modalityText(capitalised(bases_.draw(random_)), depth, "agg.");
        case SectionKind::Amelioration:
            return modalityText(capitalised(bases_.draw(random_)), depth, "amel.");
        case SectionKind::Modality: {
            const std::string base =
                vocabulary.mains.empty() ? bases_.draw(random_) : vocabulary.mains.draw(random_);
            return modalityText(base, depth, random_.percent(60) ? "agg." : "amel.");
        }
        case SectionKind::Concomitants:
            return qualified(capitalised(concomitants_.draw(random_)), vocabulary, depth, false);
        case SectionKind::CrossReference:
            return crossReference(vocabulary);
        case SectionKind::General:
        case SectionKind::Topic:
            break;
        }
        return qualified(vocabulary.mains.draw(random_), vocabulary, depth,
                         vocabulary.kind == SectionKind::General);
    }

private:
    int drawDepth() {
        const int roll = random_.below(100);
        if (roll < 12)
            return 0;
        if (roll < 45)
            return 1;
        if (roll < 75)
            return 2;
        if (roll < 92)
            return 3;
        return 4;
    }

    // Symptom, then location, kind, time, modality and concomitant, each present or not.
    std::string qualified(const std::string& main, const SectionVocabulary& vocabulary, int depth,
                          bool withLocation) {
        std::array<bool, 5> present{};
        // Chapters of the mind and the like have no parts to extend to.
        const int locationWeight = withLocation && !vocabulary.locations.empty() ? 4
                                   : vocabulary.body                             ? 1
                                                                                 : 0;
        const std::array<int, 5> weights = {locationWeight, 3, 3, 3, 1};
        const int slots = std::min(depth, locationWeight > 0 ? 5 : 4);
        for (int chosen = 0; chosen < slots;) {
            int total = 0;
            for (std::size_t k = 0; k < present.size(); ++k)
                total += present[k] ? 0 : weights[k];
            int point = random_.below(total);
            for (std::size_t k = 0; k < present.size(); ++k) {
                if (present[k] || weights[k] == 0)
                    continue;
                if (point < weights[k]) {
                    present[k] = true;
                    ++chosen;
                    break;
                }
                point -= weights[k];
            }
        }
        std::string text = main;
        if (present[0]) {
            if (withLocation && !vocabulary.locations.empty())
                text += ", " + vocabulary.locations.draw(random_);
            else
                text += ", " + extensions_.draw(random_);
        }
        if (present[1]) {
            text += ", " + qualityOf(main, vocabulary);
        }
        if (present[2])
            text += ", " + times_.draw(random_);
        if (present[3])
            text += ", " + modalities_.draw(random_);
        if (present[4])
            text += ", " + concomitants_.draw(random_);
        return text;
    }

    const std::string& qualityOf(const std::string& main, const SectionVocabulary& vocabulary) {
        const bool own =
            !vocabulary.qualities.empty() && (vocabulary.qualified.empty() || vocabulary.qualified == main);
        if (vocabulary.chapterWords && main == "Pain" && !(own && random_.percent(30)))
            return painKinds_.draw(random_);
        if (own)
            return vocabulary.qualities.draw(random_);
        if (!vocabulary.commonQualities.empty())
            return vocabulary.commonQualities.draw(random_);
        return extensions_.draw(random_);
    }

    std::string timeText(const SectionVocabulary& vocabulary, int depth) {
        std::string text = capitalised(times_.draw(random_));
        if (depth >= 2 && !vocabulary.mains.empty() && vocabulary.chapterWords)
            text += ", " + lowered(vocabulary.mains.draw(random_));
        if (depth >= 1)
            text += ", " + modalities_.draw(random_);
        if (depth >= 3)
            text += ", " + concomitants_.draw(random_);
        return text;
    }

    std::string modalityText(std::string base, int depth, std::string_view ending) {
        if (depth >= 2)
            base += ", " + times_.draw(random_);
        if (depth >= 3)
            base += ", " + concomitants_.draw(random_);
        return base + ", " + std::string(ending);
    }

    std::string crossReference(const SectionVocabulary& vocabulary) {
        const std::string main = vocabulary.mains.draw(random_);
        std::string from = main;
        if (random_.percent(50))
            from += ", " + qualityOf(main, vocabulary);
        const std::string to = vocabulary.mains.draw(random_);
        if (to == main || random_.percent(40))
            return from + ", see also " +
                   titleCase(kChapters[static_cast<std::size_t>(random_.below(kChapterCount))].name);
        return from + ", see " + lowered(to);
    }

    Random& random_;
    SkewedList times_;
    SkewedList modalities_;
    SkewedList bases_;
    SkewedList concomitants_;
    SkewedList painKinds_;
    SkewedList extensions_;
};

std::vector<std::string> mergedList(std::string_view first, std::string_view second) {
    std::vector<std::string> items = splitList(first);
    for (std::string& item : splitList(second)) {
        if (std::find(items.begin(), items.end(), item) == items.end())
            items.push_back(std::move(item));
    }
    return items;
}

SectionVocabulary vocabularyFor(const ChapterSpec& chapter, std::string_view section, bool modalityChapter) {
    SectionVocabulary vocabulary;
    vocabulary.kind = kindOf(section, modalityChapter);
    vocabulary.body = chapter.body;
    const auto& special = sectionVocabularies();
    const auto found = special.find(section);
    if (found != special.end() && vocabulary.kind != SectionKind::CrossReference) {
        vocabulary.mains = skewed(found->second);
        vocabulary.chapterWords = false;
    } else if (modalityChapter) {
        vocabulary.mains = skewed(kModalityBases, 4);
        vocabulary.chapterWords = false;
    } else if (chapter.body && vocabulary.kind == SectionKind::Topic) {
        // A part of the region: the complaints any part can have, not the chapter's own.
        vocabulary.mains = skewed(kBodySymptoms, 1);
    } else {
        vocabulary.mains = SkewedList(
            chapter.body ? mergedList(chapter.symptoms, kBodySymptoms) : splitList(chapter.symptoms), 1);
    }
    if (!chapter.locations.empty())
        vocabulary.locations = skewed(chapter.locations);
    std::string_view qualities = chapter.qualities;
    if (const std::size_t colon = qualities.find(':'); colon != std::string_view::npos) {
        vocabulary.qualified = std::string(qualities.substr(0, colon));
        qualities.remove_prefix(colon + 1);
    }
    if (!qualities.empty())
        vocabulary.qualities = skewed(qualities);
    if (chapter.body)
        vocabulary.commonQualities = skewed(kBodyQualities);
    return vocabulary;
}

// Alphabetical regardless of case; the exact text breaks ties so that no sort order is left open.
bool textOrder(const Rubric& a, const Rubric& b) {
    const std::string left = lowered(a.text);
    const std::string right = lowered(b.text);
    return left != right ? left < right : a.text < b.text;
}

// Section sizes by weight, largest remainders first, so that they add up to the chapter's count.
std::vector<int> apportion(int total, const std::vector<int>& weights) {
    long long weightSum = 0;
    for (int weight : weights)
        weightSum += weight;
    std::vector<int> sizes(weights.size(), 0);
    if (weightSum == 0)
        return sizes;
    std::vector<std::pair<long long, std::size_t>> remainders;
    int given = 0;
    for (std::size_t k = 0; k < weights.size(); ++k) {
        const long long share = static_cast<long long>(total) * weights[k];
        sizes[k] = static_cast<int>(share / weightSum);
        given += sizes[k];
        remainders.emplace_back(-(share % weightSum), k);
    }
    std::sort(remainders.begin(), remainders.end());
    for (std::size_t k = 0; given < total; ++k, ++given)
        ++sizes[remainders[k % remainders.size()].second];
    return sizes;
}

struct SectionPlan {
    std::string name;
    int size = 0;
    bool explicitSize = false;
    bool empty = false;
};

std::vector<SectionPlan> planSections(const ChapterSpec& chapter, bool modalityChapter) {
    std::vector<SectionPlan> plans;
    for (const std::string& item : splitList(chapter.sections)) {
        SectionPlan plan;
        const std::size_t equals = item.find('=');
        if (!item.empty() && item.back() == '*') {
            plan.name = item.substr(0, item.size() - 1);
            plan.empty = true;
        } else if (equals != std::string::npos) {
            plan.name = item.substr(0, equals);
            plan.size = std::stoi(item.substr(equals + 1));
            plan.explicitSize = true;
        } else {
            plan.name = item;
        }
        plans.push_back(plan);
    }
    std::vector<int> weights;
    int remaining = chapter.rubrics;
    for (const SectionPlan& plan : plans) {
        remaining -= plan.size;
        weights.push_back(plan.empty || plan.explicitSize ? 0 : weightOf(kindOf(plan.name, modalityChapter)));
    }
    const std::vector<int> shares = apportion(remaining, weights);
    for (std::size_t k = 0; k < plans.size(); ++k) {
        if (!plans[k].explicitSize)
            plans[k].size = shares[k];
    }
    return plans;
}

class RepertoryGenerator {
public:
    Repertory generate() {
        makeRemedies();
        makeTexts();
        drawSizes();
        drawEntries();
        return std::move(repertory_);
    }

private:
    // --- Remedies -------------------------------------------------------------------------------

    void makeRemedies() {
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
                stems[static_cast<std::size_t>(random_.below(static_cast<int>(stems.size())))];
            if (random_.percent(20)) {
                add(stem + ".");
            } else {
                const auto suffix =
                    static_cast<std::size_t>(random_.below(static_cast<int>(suffixes.size())));
                add(stem + "-" + suffixes[suffix] + ".");
            }
        }
        // Popularity follows the order of invention: the well-known remedies first, the late
        // additions at the very end.
        popularity_.clear();
        for (const std::string& name : middle)
            popularityOf_[name] = static_cast<int>(popularityOf_.size());
        static constexpr std::array<int, kFirstRemedies.size()> kFirstPopularity = {19, 41, 60, 80};
        for (std::size_t k = 0; k < kFirstRemedies.size(); ++k)
            popularityOf_[std::string(kFirstRemedies[k])] = kFirstPopularity[k];
        for (std::string_view name : kLastRemedies)
            popularityOf_[std::string(name)] = static_cast<int>(popularityOf_.size());

        std::sort(middle.begin(), middle.end());
        std::vector<std::string>& remedies = repertory_.remedies;
        remedies.assign(kFirstRemedies.begin(), kFirstRemedies.end());
        remedies.insert(remedies.end(), middle.begin(), middle.end());
        remedies.insert(remedies.end(), kLastRemedies.begin(), kLastRemedies.end());

        std::vector<std::pair<int, int>> ranked; // (popularity, remedy index)
        for (std::size_t index = 0; index < remedies.size(); ++index)
            ranked.emplace_back(popularityOf_[remedies[index]], static_cast<int>(index));
        std::stable_sort(ranked.begin(), ranked.end());
        std::vector<std::string> byPopularity;
        for (const auto& [rank, index] : ranked) {
            popularity_.push_back(index);
            byPopularity.push_back(remedies[static_cast<std::size_t>(index)]);
        }
        remedyDraw_ = SkewedList(std::move(byPopularity), 5);
    }

    // --- Texts ----------------------------------------------------------------------------------

    void makeTexts() {
        TextMaker maker(random_);
        for (std::size_t c = 0; c < kChapters.size(); ++c) {
            const ChapterSpec& chapter = kChapters[c];
            const bool modalityChapter = chapter.name == kLastChapterName;
            const std::vector<SectionPlan> plans = planSections(chapter, modalityChapter);
            for (std::size_t s = 0; s < plans.size(); ++s) {
                const bool lastSection = c + 1 == kChapters.size() && s + 1 == plans.size();
                const SectionVocabulary vocabulary = vocabularyFor(chapter, plans[s].name, modalityChapter);
                std::vector<Rubric> rubrics;
                std::unordered_set<std::string> seen;
                const auto keep = [&](std::string text, int depth) {
                    if (seen.insert(text).second)
                        rubrics.push_back({std::move(text), depth, {}});
                };
                const bool headsChapter = s == 0 && plans[s].name == "GENERAL" && plans[s].size > 0;
                if (headsChapter)
                    keep(std::string(kFirstRubricText), 0);
                if (chapter.name == "HEAD" && plans[s].name == "GENERAL")
                    keep(std::string(kLongestText), 5);
                const int wanted = plans[s].size - (lastSection ? 1 : 0);
                for (long long attempt = 0; static_cast<int>(rubrics.size()) < wanted; ++attempt) {
                    if (attempt > 400LL * wanted + 10000)
                        fail("section " + std::string(chapter.name) + " / " + plans[s].name +
                             " cannot be filled with distinct texts");
                    int depth = 0;
                    std::string text =
                        maker.make(vocabulary, static_cast<int>(attempt / (40LL * wanted + 100)), depth);
                    if (text.size() > kMaxGeneratedTextLength || text == kFirstRubricText)
                        continue;
                    if (lastSection && lowered(text) >= lowered(std::string(kLastRubricText)))
                        continue;
                    keep(std::move(text), depth);
                }
                // Rubrics stand in alphabetical order, with a chapter's "In general" in front.
                std::sort(rubrics.begin() + (headsChapter ? 1 : 0), rubrics.end(), textOrder);
                if (lastSection)
                    rubrics.push_back({std::string(kLastRubricText), 2, {}});
                for (Rubric& rubric : rubrics)
                    repertory_.rubrics.push_back(std::move(rubric));
                repertory_.sections.push_back({plans[s].name, static_cast<int>(repertory_.rubrics.size())});
            }
            repertory_.chapters.push_back(
                {std::string(chapter.name), static_cast<int>(repertory_.sections.size())});
        }
    }

    // --- Sizes ----------------------------------------------------------------------------------

    // Few large rubrics, many small ones: a Pareto tail, steeper for rubrics with more qualifiers.
    int drawSize(int depth) {
        static constexpr std::array<int, 6> kScaleTenths = {85, 32, 19, 14, 11, 10};
        const int scale = kScaleTenths[static_cast<std::size_t>(std::min(depth, 5))];
        for (;;) {
            const std::uint64_t u = random_.next() % (1ULL << 20) + 1;
            const auto size = static_cast<int>((static_cast<std::uint64_t>(scale) << 20) / (u * 10));
            if (size <= kMaxEntriesPerRubric)
                return std::max(size, 1);
        }
    }

    void drawSizes() {
        std::vector<Rubric>& rubrics = repertory_.rubrics;
        sizes_.resize(rubrics.size());
        fixed_.assign(rubrics.size(), false);
        long long sum = 0;
        std::size_t largest = 1;
        for (std::size_t r = 0; r < rubrics.size(); ++r) {
            sizes_[r] = drawSize(rubrics[r].depth);
            sum += sizes_[r];
            if (r > 0 && r != kSepTwiceRubric - 1 && sizes_[r] > sizes_[largest])
                largest = r;
        }
        const auto fix = [&](std::size_t r, int size) {
            sum += size - sizes_[r];
            sizes_[r] = size;
            fixed_[r] = true;
        };
        fix(0, kFirstRubricEntries);
        fix(kSepTwiceRubric - 1, 14);
        fix(largest, kMaxEntriesPerRubric);
        // Reach the exact total in single steps on rubrics of some size, so that the many small
        // rubrics keep their shape.
        while (sum != kEntryCount) {
            const std::size_t r = static_cast<std::size_t>(random_.below(static_cast<int>(rubrics.size())));
            if (fixed_[r] || sizes_[r] < 3)
                continue;
            if (sum < kEntryCount && sizes_[r] < kMaxEntriesPerRubric - 1) {
                ++sizes_[r];
                ++sum;
            } else if (sum > kEntryCount) {
                --sizes_[r];
                --sum;
            }
        }
    }

    // --- Entries --------------------------------------------------------------------------------

    int drawGrade(int popularityRank) {
        const int roll = random_.below(100);
        if (popularityRank < 60)
            return roll < 38 ? 1 : roll < 64 ? 2 : roll < 88 ? 3 : 4;
        return roll < 64 ? 1 : roll < 87 ? 2 : roll < 97 ? 3 : 4;
    }

    std::vector<Entry> drawRemedies(int count, std::vector<int>& stamp, int mark) {
        std::vector<Entry> entries;
        while (static_cast<int>(entries.size()) < count) {
            const std::size_t rank = remedyDraw_.drawIndex(random_);
            const int remedy = popularity_[rank];
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

    void drawEntries() {
        std::vector<Rubric>& rubrics = repertory_.rubrics;
        const int sep = remedyIndex("sep.");
        std::vector<int> stamp(kRemedyCount, -1);
        for (std::size_t r = 0; r < rubrics.size(); ++r) {
            const int mark = static_cast<int>(r);
            std::vector<Entry>& entries = rubrics[r].entries;
            if (r == kSepTwiceRubric - 1) {
                stamp[static_cast<std::size_t>(sep)] = mark;
                entries = drawRemedies(sizes_[r] - 2, stamp, mark);
                entries.push_back({sep, 1});
                sortByAbbreviation(entries);
                entries.push_back({sep, 3}); // a later addition, listed again with its higher grade
                continue;
            }
            entries = drawRemedies(sizes_[r], stamp, mark);
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
                if (fixed_[cursor] || entries.size() < 20)
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

    [[noreturn]] static void fail(const std::string& message) {
        std::fprintf(stderr, "telvarin-generate-repertory: %s\n", message.c_str());
        std::exit(1);
    }

    Random random_{0x7E1FA81D5EEDULL};
    Repertory repertory_;
    std::map<std::string, int> popularityOf_;
    std::vector<int> popularity_; // remedy indices, most common first
    SkewedList remedyDraw_;
    std::vector<int> sizes_;
    std::vector<bool> fixed_;
};

// ---------------------------------------------------------------------------------------------
// Checks of the published figures.

class FigureCheck {
public:
    explicit FigureCheck(const Repertory& repertory) : r_(repertory) {}

    std::vector<std::string> run() {
        counts();
        layout();
        texts();
        entries();
        remedies();
        return problems_;
    }

private:
    void expect(bool condition, const std::string& what) {
        if (!condition)
            problems_.push_back(what);
    }

    int chapterFirstRubric(std::size_t chapter) const {
        const int firstSection = chapter == 0 ? 0 : r_.chapters[chapter - 1].sectionEnd;
        return firstSection == 0 ? 1 : r_.sections[static_cast<std::size_t>(firstSection - 1)].rubricEnd + 1;
    }
    int chapterLastRubric(std::size_t chapter) const {
        return r_.sections[static_cast<std::size_t>(r_.chapters[chapter].sectionEnd - 1)].rubricEnd;
    }

    void counts() {
        std::size_t entries = 0;
        for (const Rubric& rubric : r_.rubrics)
            entries += rubric.entries.size();
        expect(r_.chapters.size() == kChapterCount, "chapter count " + std::to_string(r_.chapters.size()));
        expect(r_.sections.size() == kSectionCount, "section count " + std::to_string(r_.sections.size()));
        expect(r_.rubrics.size() == kRubricCount, "rubric count " + std::to_string(r_.rubrics.size()));
        expect(entries == kEntryCount, "entry count " + std::to_string(entries));
        expect(r_.remedies.size() == kRemedyCount, "remedy count " + std::to_string(r_.remedies.size()));
    }

    void layout() {
        if (!problems_.empty())
            return;
        expect(r_.chapters[0].name == "MIND" && r_.chapters[0].sectionEnd == kMindSections, "chapter MIND");
        expect(r_.sections[0].name == "GENERAL" && r_.sections[0].rubricEnd == kMindGeneralRubrics,
               "section MIND GENERAL");
        expect(chapterLastRubric(0) == kMindRubrics, "MIND rubrics");
        expect(r_.chapters[1].name == "SENSORIUM" && chapterFirstRubric(1) == kMindRubrics + 1 &&
                   chapterLastRubric(1) == kSensoriumLastRubric,
               "SENSORIUM rubrics");
        expect(r_.chapters[6].name == "EARS" && r_.chapters[7].name == "NOSE", "chapters EARS and NOSE");
        expect(r_.chapters[6].sectionEnd == kFirstSevenChapterSections &&
                   chapterLastRubric(6) == kFirstSevenChapterRubrics,
               "first seven chapters");
        const std::size_t last = r_.chapters.size() - 1;
        expect(r_.chapters[last].name == kLastChapterName &&
                   chapterFirstRubric(last) == kLastChapterFirstRubric &&
                   chapterLastRubric(last) == kRubricCount,
               "last chapter");
        int previous = 0;
        int emptyCrossReferences = 0;
        int generalFirst = 0;
        for (std::size_t s = 0; s < r_.sections.size(); ++s) {
            emptyCrossReferences +=
                r_.sections[s].name == "CROSS REFERENCE" && r_.sections[s].rubricEnd == previous;
            previous = r_.sections[s].rubricEnd;
        }
        for (std::size_t c = 0; c < r_.chapters.size(); ++c) {
            const int first = c == 0 ? 0 : r_.chapters[c - 1].sectionEnd;
            generalFirst += r_.sections[static_cast<std::size_t>(first)].name == "GENERAL";
        }
        expect(emptyCrossReferences >= 3, "empty cross-reference sections");
        expect(generalFirst * 2 > kChapterCount, "GENERAL first in most chapters");
    }

    void texts() {
        std::size_t longest = 0;
        const auto upper = [](const std::string& name) {
            return std::none_of(name.begin(), name.end(), [](char c) { return c >= 'a' && c <= 'z'; });
        };
        const auto plain = [](const std::string& text) {
            return !text.empty() && text.front() != ' ' && text.back() != ' ' &&
                   std::all_of(text.begin(), text.end(),
                               [](char c) { return c >= 0x20 && c < 0x7F && c != '|'; });
        };
        for (const Chapter& chapter : r_.chapters)
            expect(upper(chapter.name) && plain(chapter.name), "chapter name " + chapter.name);
        for (const Section& section : r_.sections)
            expect(upper(section.name) && plain(section.name), "section name " + section.name);
        int begin = 0;
        for (const Section& section : r_.sections) {
            std::unordered_set<std::string> seen;
            for (int r = begin; r < section.rubricEnd; ++r) {
                const std::string& text = r_.rubrics[static_cast<std::size_t>(r)].text;
                expect(plain(text), "rubric text " + text);
                expect(seen.insert(text).second, "repeated rubric text " + text);
                longest = std::max(longest, text.size());
            }
            begin = section.rubricEnd;
        }
        expect(longest == kLongestRubricText, "longest rubric text " + std::to_string(longest));
        expect(r_.rubrics.front().text == kFirstRubricText, "text of rubric 1");
        expect(r_.rubrics.back().text == kLastRubricText, "text of the last rubric");
    }

    void entries() {
        bool five = false;
        bool six = false;
        bool unordered = false;
        int largest = 0;
        for (const Rubric& rubric : r_.rubrics) {
            const int size = static_cast<int>(rubric.entries.size());
            expect(size >= 1 && size <= kMaxEntriesPerRubric, "rubric size " + std::to_string(size));
            largest = std::max(largest, size);
            five = five || size == 5;
            six = six || size == 6;
            for (std::size_t k = 0; k < rubric.entries.size(); ++k) {
                const Entry& entry = rubric.entries[k];
                expect(entry.grade >= 1 && entry.grade <= 4, "grade");
                if (k > 0)
                    unordered =
                        unordered || r_.remedies[static_cast<std::size_t>(entry.remedy)] <
                                         r_.remedies[static_cast<std::size_t>(rubric.entries[k - 1].remedy)];
            }
        }
        expect(five && six, "rubrics with 5 and 6 entries");
        expect(largest == kMaxEntriesPerRubric, "largest rubric " + std::to_string(largest));
        expect(unordered, "some list out of alphabetical order");
        expect(r_.rubrics.front().entries.size() == kFirstRubricEntries, "entries of rubric 1");
        const std::vector<Entry>& special = r_.rubrics[kSepTwiceRubric - 1].entries;
        std::vector<int> sepGrades;
        for (const Entry& entry : special) {
            if (r_.remedies[static_cast<std::size_t>(entry.remedy)] == "sep.")
                sepGrades.push_back(entry.grade);
        }
        expect(sepGrades == std::vector<int>{1, 3}, "sep. twice in rubric 63");
    }

    void remedies() {
        for (std::size_t k = 0; k < kFirstRemedies.size(); ++k)
            expect(r_.remedies[k] == kFirstRemedies[k], "remedy " + std::to_string(k));
        for (std::size_t k = 0; k < kLastRemedies.size(); ++k)
            expect(r_.remedies[kRemedyCount - kLastRemedies.size() + k] == kLastRemedies[k], "late remedy");
        std::set<std::string> distinct(r_.remedies.begin(), r_.remedies.end());
        expect(distinct.size() == r_.remedies.size(), "distinct abbreviations");
        expect(distinct.count("sep.") == 1 && distinct.count("ant-t.") == 1, "sep. and ant-t.");
        for (const std::string& name : r_.remedies) {
            const bool shape = !name.empty() && name.size() <= kMaxAbbreviationLength && name.back() == '.' &&
                               std::all_of(name.begin(), name.end(), [](char c) {
                                   return (c >= 'a' && c <= 'z') || c == '-' || c == '.';
                               });
            expect(shape, "abbreviation " + name);
        }
        std::vector<bool> listed(r_.remedies.size(), false);
        for (const Rubric& rubric : r_.rubrics) {
            for (const Entry& entry : rubric.entries)
                listed[static_cast<std::size_t>(entry.remedy)] = true;
        }
        expect(std::all_of(listed.begin(), listed.end(), [](bool used) { return used; }),
               "every remedy listed");
    }

    const Repertory& r_;
    std::vector<std::string> problems_;
};

// ---------------------------------------------------------------------------------------------
// Output.

std::string sourceText(const Repertory& repertory) {
    std::string out;
    out.reserve(4 << 20);
    out += "# Reference repertory of Telvarin, written by telvarin-generate-repertory.\n"
           "# Generated, not real materia medica: do not edit, change the generator instead.\n\n";
    for (const std::string& remedy : repertory.remedies)
        out += "REMEDY " + remedy + "\n";
    std::size_t section = 0;
    std::size_t rubric = 0;
    static constexpr std::array<std::string_view, 5> kMarks = {"", "", ":2", ":3", ":4"};
    for (const Chapter& chapter : repertory.chapters) {
        out += "\nCHAPTER " + chapter.name + "\n";
        for (; section < static_cast<std::size_t>(chapter.sectionEnd); ++section) {
            out += "SECTION " + repertory.sections[section].name + "\n";
            for (; rubric < static_cast<std::size_t>(repertory.sections[section].rubricEnd); ++rubric) {
                out += "RUBRIC " + repertory.rubrics[rubric].text + " |";
                for (const Entry& entry : repertory.rubrics[rubric].entries) {
                    out += ' ';
                    out += repertory.remedies[static_cast<std::size_t>(entry.remedy)];
                    out += kMarks[static_cast<std::size_t>(entry.grade)];
                }
                out += '\n';
            }
        }
    }
    return out;
}

int run(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: telvarin-generate-repertory OUTFILE\n");
        return 2;
    }
    const Repertory repertory = RepertoryGenerator().generate();
    const std::vector<std::string> problems = FigureCheck(repertory).run();
    if (!problems.empty()) {
        for (const std::string& problem : problems)
            std::fprintf(stderr, "telvarin-generate-repertory: figure off: %s\n", problem.c_str());
        return 1;
    }
    const std::string text = sourceText(repertory);
    std::FILE* file = std::fopen(argv[1], "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "telvarin-generate-repertory: cannot write %s\n", argv[1]);
        return 1;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (std::fclose(file) != 0 || !written) {
        std::fprintf(stderr, "telvarin-generate-repertory: cannot write %s\n", argv[1]);
        std::remove(argv[1]);
        return 1;
    }
    return 0;
}

} // namespace
} // namespace telvarin

int main(int argc, char** argv) {
    return telvarin::run(argc, argv);
}
