#include "data/generator/Vocabulary.h"

namespace telvarin::generator {

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

} // namespace telvarin::generator
