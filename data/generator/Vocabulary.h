#pragma once

// The words the rubric texts are made of: those all chapters share, and the main words of
// sections whose rubrics name something other than their chapter's symptoms.

#include <map>
#include <string_view>

namespace telvarin::generator {

inline constexpr std::string_view kTimes =
    "night|morning|evening|morning, on waking|afternoon|night, midnight, after|forenoon|evening, in bed|"
    "daytime|night, midnight, before|noon|morning, on rising|night, on waking|evening, twilight|"
    "morning, in bed|afternoon, 4 p.m.|night, 3 a.m.|forenoon, 10 a.m.|evening, 9 p.m.|night, 2 a.m.|"
    "afternoon, 3 p.m.|morning, 5 a.m.|evening, 6 p.m.|periodical|every other day|night, sleep, during|"
    "night, 11 p.m.|evening, sunset, after|forenoon, 11 a.m.|afternoon, 5 p.m.|morning, 6 a.m.|"
    "every seventh day|annually|new moon|full moon";

inline constexpr std::string_view kModalities =
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

inline constexpr std::string_view kModalityBases =
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

inline constexpr std::string_view kConcomitants =
    "with nausea|with vertigo|with heat of face|with chilliness|with thirst|with restlessness|"
    "with palpitation|with perspiration|with anxiety|with weakness|with sleepiness|with vomiting|"
    "with coldness of hands|with copious urination|with diarrhoea|with red face|with pale face|"
    "with weeping|with dimness of vision|with cold feet|with yawning|with trembling|with hunger|"
    "with eructations|with shivering";

inline constexpr std::string_view kPainKinds =
    "pressing|stitching|burning|tearing|drawing|sore, bruised|cutting|throbbing|boring|cramping|"
    "shooting|gnawing|pinching|dull|sharp|jerking|aching|lancinating|digging|bursting|"
    "splinter, as from a|ulcerative|sprained, as if|stunning|neuralgic|paralytic|rheumatic|"
    "band, as from a|nail, as from a|plug, as from a";

inline constexpr std::string_view kExtensions =
    "left|right|extending downward|extending upward|in spots|extending outward|alternating sides|"
    "left, then right|right, then left|extending to neck|extending to chest|extending to back|"
    "extending to shoulder|wandering|small spot, in a";

inline constexpr std::string_view kBodySymptoms =
    "Pain|Heaviness|Heat|Coldness|Itching|Swelling|Numbness|Inflammation|Eruptions|Tension|Twitching|"
    "Trembling|Weakness|Redness|Dryness|Congestion|Constriction|Formication|Pulsation|Stiffness|"
    "Sensitiveness|Perspiration|Emaciation|Ulceration|Induration";

inline constexpr std::string_view kBodyQualities =
    "violent|sudden|periodical|chronic|in children|in old people|after suppression|gradual|"
    "on single parts|alternating with other symptoms|intermittent|acute|recurrent|sympathetic";

// Main words of sections whose rubrics name something other than the chapter's symptoms, by
// section name.
const std::map<std::string_view, std::string_view>& sectionVocabularies();

} // namespace telvarin::generator
