#include "data/generator/Chapters.h"

namespace telvarin::generator {

// clang-format off
const std::array<ChapterSpec, kChapterCount> kChapters = {{
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

} // namespace telvarin::generator
