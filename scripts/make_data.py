#!/usr/bin/env python3
"""Generate Kestrel's default data files.

    python3 scripts/make_data.py [OUTDIR]

Writes three files into OUTDIR (default: the repository's data/ folder):

  Kestrel.tow  the WAD table: "title","letter code","WAD file name"
  Kestrel.tos  the default sound lines; line k is sound ID k
  Kestrel.too  the object list: the sound IDs of each game object, under
               the eight object types of Kestrel's object dialog

All three are 8-bit text, every line ended by CR LF.  The sounds belong to
the game "Brassmoor", a steampunk city adventure.  They are kept below as
plain data, grouped by the game object that makes them, and the object list
is derived from the same table (see OBJECTS and SHARED_SOUND_OBJECTS).
Before writing, check_table() checks the sound table and check_object_list()
the bytes of the object list.

The module can be imported: the other scripts, the demo and tests use
OBJECTS, WADS, build_lines(), object_list_lines(), layout_line() and
split_line().
"""

import re
import sys
from pathlib import Path

ENCODING = "cp1252"
EOL = "\r\n"

REPO_DIR = Path(__file__).resolve().parent.parent
DEFAULT_OUTDIR = REPO_DIR / "data"

# ---------------------------------------------------------------------------
# WADs (levels) of Brassmoor: title, letter code, WAD file name.
# The letter "g" is never a WAD: a "#g" tag means "generic, used everywhere".
# ---------------------------------------------------------------------------
WADS = [
    ("Prologue - Arrival",  "pr", "PROLOGUE"),
    ("Training Yard",       "tr", "TRAINING"),
    ("Lamplight Docks",     "d",  "DOCKS1"),
    ("Old Market",          "k",  "MARKET"),
    ("Foundry Row",         "f",  "FOUNDRY"),
    ("Sewer Labyrinth",     "s",  "SEWERS"),
    ("The Brass Exchange",  "e",  "EXCHANGE"),
    ("Smog Quarter",        "q",  "SMOGQTR"),
    ("Rooftops at Dusk",    "r",  "ROOFTOPS"),
    ("Clocktower Heights",  "c",  "CLOCKTWR"),
    ("Governor's Manor",    "m",  "MANOR"),
    ("Copper Mines",        "n",  "MINES1"),
    ("Pneumatic Railway",   "p",  "RAILWAY"),
    ("Asylum of Gears",     "y",  "ASYLUM"),
    ("Airship Yard",        "a",  "AIRYARD"),
    ("Ironworks Depths",    "i",  "IRONWRKS"),
    ("The Great Engine",    "x",  "ENGINE"),
]

GENERIC_LETTER = "g"

# Object types, in the order of the object list Kestrel.too and of the type
# box of Kestrel's object dialog ("Ennemies" is spelt as the dialog spells it).
OBJECT_TYPES = (
    "Ennemies",
    "Friends",
    "Miscellaneous",
    "Vehicles",
    "Doors",
    "Switches",
    "Traps",
    "Loops",
)

# What each type holds; Kestrel.too carries these as comment lines.
TYPE_NOTES = {
    "Ennemies": "creatures and machines that attack the player",
    "Friends": "the player and the people of the city",
    "Miscellaneous": "weapons / pickups / effects / interface / other devices",
    "Vehicles": "lifts / carts / trams / airships",
    "Doors": "doors / gates / grates / bridges",
    "Switches": "levers / valves / other controls",
    "Traps": "presses / furnaces / bombs / flames / rockfalls",
    "Loops": "looping ambience of a place: the names hold LOOP so that "
             "imports leave them out",
}

# ---------------------------------------------------------------------------
# Sound table, by game object: (object name, object type, sounds).
# The table order fixes the sound IDs (see ordered_sounds), and the order of
# the objects of a type in Kestrel.too.
# Each sound: (name, samples, volume, flags, channel, pitch, radius, letters)
#   samples  .wav names without extension, separated by single spaces
#   volume   1..99 or None (no VOL field)
#   flags    any of "P", "V", "R" or "N" (never both), "L"
#   channel, pitch (may be negative), radius: numbers or None (field empty)
#   letters  WAD letter codes separated by spaces ("g" = generic), or ""
# ---------------------------------------------------------------------------
_ = None

OBJECTS = [
    ("PLAYER", "Friends", [
        ("PLAYER_HEARTBEAT", "heart1 heart2", 60, "L", 1, _, _, ""),
        ("PLAYER_LAND", "land1 land2", 50, "P", 1, _, _, ""),
        ("PLAYER_JUMP", "jump1 jump2", 55, "P", 1, _, _, ""),
        ("PLAYER_HURT", "hurt1 hurt2 hurt3", 70, "PV", 1, _, _, ""),
        ("PLAYER_DIE", "pl_die1 pl_die2", 80, "", 1, _, _, "g"),
        ("PLAYER_BREATHE", "breath1 breath2", 30, "L", 1, _, _, "g"),
        ("PLAYER_SWIM", "swim1 swim2 swim3", 40, "P", 1, _, _, "s d"),
        ("PLAYER_CLIMB", "climb1 climb2", 35, "P", 1, _, _, "r c"),
        ("PLAYER_GASP", "gasp1", 60, "", 1, _, _, "s d n"),
        ("PLAYER_COUGH", "cough1 cough2", 45, "V", 1, _, _, "q"),
        ("PLAYER_SLIDE", "slide1", 40, "", 1, _, _, "r"),
        ("PLAYER_ROLL", "roll1 roll2", 40, "P", 1, _, _, "g tr"),
        ("PLAYER_PUSH", "push1 push2", 45, "", 1, _, _, ""),
        ("PLAYER_EAT", "eat1 eat2", 40, "", 1, _, _, "k"),
        ("FOOTSTEP_STONE", "fst1 fst2 fst3 fst4 fst5 fst6 fst7 fst8 fst9 fst10",
         40, "PV", 2, _, _, "g"),
        ("FOOTSTEP_METAL", "fsm1 fsm2 fsm3 fsm4 fsm5 fsm6 fsm7 fsm8 fsm9 fsm10",
         45, "PV", 2, _, _, "g"),
        ("FOOTSTEP_WOOD", "fsw1 fsw2 fsw3 fsw4 fsw5 fsw6 fsw7 fsw8",
         40, "PV", 2, _, _, "d m r"),
        ("FOOTSTEP_WATER", "wet1 wet2 wet3 wet4 wet5 wet6 wet7 wet8 wet9 wet10",
         40, "PV", 2, _, _, "s n"),
    ]),
    ("CONSTABLE", "Friends", [
        ("CONSTABLE_HALT", "halt1 halt2", 75, "", 3, _, 30, "k q e"),
        ("CONSTABLE_WHISTLE", "whistle1 whistle2", 75, "", 3, _, 40, "k q"),
        ("CONSTABLE_HUM", "hum1 hum2", 30, "L", 3, _, 15, "k"),
        ("CONSTABLE_ALERT", "cst_alr1 cst_alr2", 70, "P", 3, _, 30, "k q e"),
        ("CONSTABLE_HURT", "cst_hrt1 cst_hrt2", 65, "PV", 3, _, 20, "k q e"),
        ("CONSTABLE_DIE", "cst_die1", 70, "", 3, _, 25, "k q e"),
    ]),
    ("VENDOR", "Friends", [
        ("VENDOR_GREET", "vnd_hi1 vnd_hi2", 60, "", 3, _, 15, "k"),
        ("VENDOR_HAGGLE", "haggle1 haggle2 haggle3", 60, "R", 3, _, 15, "k e"),
        ("VENDOR_SHOUT", "shout1 shout2", 70, "R", 3, _, 40, "k d"),
    ]),
    ("RASCAL", "Friends", [
        ("RASCAL_LAUGH", "giggle1 giggle2", 55, "P", 3, 10, 25, "k r"),
        ("RASCAL_RUN", "run1 run2", 40, "P", 3, _, 20, "k r"),
        ("RASCAL_TAUNT", "taunt1 taunt2 taunt3", 60, "R", 3, 10, 30, "r"),
    ]),
    ("INVENTOR", "Friends", [
        ("INVENTOR_MUTTER", "mutter1 mutter2", 45, "R", 3, _, 15, "pr f"),
        ("INVENTOR_EUREKA_SHOUT", "eureka", 70, "", 3, _, 20, "pr"),
        ("INVENTOR_HAMMER", "hammer1 hammer2", 55, "P", 3, _, 25, "pr f"),
        ("INVENTOR_SIGH", "sigh1", 40, "", 3, _, 15, "pr"),
    ]),
    ("GOVERNOR", "Friends", [
        ("GOVERNOR_ADDRESS", "address1 address2", 80, "", 3, _, 60, "m e"),
        ("GOVERNOR_ANGRY", "angry1 angry2", 75, "", 3, _, 30, "m"),
        ("GOVERNOR_COUGH", "cough1 cough3", 50, "", 3, -10, 20, "m"),
        ("GOVERNOR_LAUGH", "laugh1 laugh2", 60, "", 3, -10, 25, "m"),
    ]),
    ("DOCKHAND", "Friends", [
        ("DOCKHAND_SHOUT", "dk_shout dk_yell", 70, "R", 3, _, 50, "d"),
        ("DOCKHAND_HAUL", "haul1 haul2", 50, "P", 3, _, 20, "d"),
        ("DOCKHAND_WHISTLE", "whistle1 whistle3", 60, "", 3, 5, 40, "d"),
    ]),
    ("PATIENT", "Friends", [
        ("PATIENT_MOAN", "moan1 moan2 moan3", 50, "PV", 3, _, 30, "y"),
        ("PATIENT_SCREAM", "scream1 scream2", 80, "P", 3, _, 60, "y"),
        ("PATIENT_GIGGLE", "giggle1 giggle3", 45, "P", 3, 15, 20, "y"),
    ]),
    ("MINER", "Friends", [
        ("MINER_PICKAXE", "pickaxe1 pickaxe2", 60, "PV", 3, _, 35, "n"),
        ("MINER_SING", "sing1", _, "L", 3, _, 30, "n"),
        ("MINER_COUGH", "cough2 cough3", 50, "V", 3, _, 20, "n"),
    ]),
    ("ENGINEER", "Friends", [
        ("ENGINEER_HINT", "hint1 hint2 hint3", 65, "", 3, _, _, "pr tr"),
        ("ENGINEER_WARN", "warn1 warn2", 70, "", 3, _, _, "f i x"),
        ("ENGINEER_THANKS", "thanks1", 60, "", 3, _, _, "tr"),
    ]),
    ("SKY_CAPTAIN", "Friends", [
        ("CAPTAIN_ORDER", "order1 order2", 75, "", 3, _, 50, "a"),
        ("CAPTAIN_LAUGH", "laugh1 laugh3", 65, "", 3, -5, 30, "a"),
    ]),

    ("STEAM_GUARD", "Ennemies", [
        ("GUARD_ALERT", "grd_alr1 grd_alr2", 70, "P", 4, _, 40, "e k q f"),
        ("GUARD_IDLE", "grd_idl1 grd_idl2", 35, "R", 4, _, 20, "e k q f"),
        ("GUARD_ATTACK", "grd_atk1 grd_atk2", 75, "PV", 4, _, 35, "e k q f"),
        ("GUARD_HURT", "grd_hrt1 grd_hrt2", 70, "PV", 4, _, 30, "e k q f"),
        ("GUARD_DIE", "grd_die1", 80, "", 4, _, 40, "e k q f"),
        ("GUARD_STEP", "clank1 clank2", 40, "PV", 4, _, 20, "e k q f"),
        ("GUARD_VENT", "hiss1 hiss2", 45, "P", 4, _, 25, "e k q"),
    ]),
    ("CLOCKWORK_HOUND", "Ennemies", [
        ("HOUND_GROWL", "growl1 growl2", 55, "P", 4, _, 25, "c e"),
        ("HOUND_BARK", "bark1 bark2 bark3", 75, "P", 4, _, 50, "c e"),
        ("HOUND_BITE", "bite1 bite2", 70, "PV", 4, _, 15, "c e"),
        ("HOUND_HURT", "hnd_hrt1", 65, "P", 4, 10, 20, "c e"),
        ("HOUND_DIE", "hnd_die1", 70, "", 4, _, 30, "c e"),
    ]),
    ("SEWER_RAT", "Ennemies", [
        ("RAT_SQUEAK", "squeak1 squeak2 squeak3 squeak4", 45, "PV", 5, 20, 15, "g s n"),
        ("RAT_SCURRY", "scurry1 scurry2", 35, "P", 5, _, 15, "g s n"),
        ("RAT_BITE", "bite2 bite3", 50, "P", 5, 20, 10, "s"),
        ("RAT_DIE", "rat_die1", 55, "", 5, 20, 15, "s n g"),
    ]),
    ("BRASS_SPIDER", "Ennemies", [
        ("SPIDER_CLICK", "click1 click2 click3", 40, "PV", 5, _, 20, "y i"),
        ("SPIDER_LEAP", "leap1", 60, "P", 5, _, 25, "y i"),
        ("SPIDER_HISS", "hiss3", 50, "P", 5, 15, 20, "y i"),
        ("SPIDER_DIE", "spd_die1 spd_die2", 65, "", 5, _, 30, "y i"),
    ]),
    ("SMOG_WRAITH", "Ennemies", [
        ("WRAITH_MOAN", "wr_moan1 wr_moan2", 50, "L", 5, -20, 50, "q y"),
        ("WRAITH_SHRIEK", "shriek1", 85, "", 5, _, 70, "q y"),
        ("WRAITH_FADE", "fade1", 45, "", 5, _, 30, "q y"),
        ("WRAITH_DIE", "wr_die1", 70, "", 5, -10, 40, "q y"),
    ]),
    ("IRON_GOLEM", "Ennemies", [
        ("GOLEM_STOMP", "stomp1 stomp2", 80, "PV", 4, -20, 60, "i f"),
        ("GOLEM_ROAR", "roar1 roar2", 90, "", 4, -15, 80, "i"),
        ("GOLEM_SMASH", "smash1 smash2", 85, "PV", 4, _, 50, "i f"),
        ("GOLEM_HURT", "glm_hrt1", 75, "P", 4, -10, 40, "i f"),
        ("GOLEM_DIE", "glm_die1", 90, "", 4, -20, 80, "i f"),
        ("GOLEM_GEARS", "gear1 gear2", 40, "L", 4, _, 20, "i f"),
    ]),
    ("SKY_PIRATE", "Ennemies", [
        ("PIRATE_YELL", "yell1 yell2 yell3", 75, "R", 4, _, 50, "a d"),
        ("PIRATE_LAUGH", "laugh2 laugh3", 65, "R", 4, _, 35, "a"),
        ("PIRATE_ATTACK", "prt_atk1 prt_atk2", 75, "PV", 4, _, 30, "a d"),
        ("PIRATE_HURT", "prt_hrt1 prt_hrt2", 70, "PV", 4, _, 30, "a d"),
        ("PIRATE_DIE", "prt_die1", 80, "", 4, _, 40, "a d"),
    ]),
    ("CROW", "Miscellaneous", [
        ("CROW_CAW", "caw1 caw2 caw3 caw4 caw5", 50, "PV", 6, _, 60, "g r c"),
        ("CROW_FLAP", "flap1 flap2", 40, "P", 6, _, 30, "r c g"),
    ]),
    ("MOLE_DRILLER", "Ennemies", [
        ("DRILLER_BORE", "bore1", 75, "L", 5, _, 60, "n"),
        ("DRILLER_EMERGE", "emerge1", 85, "", 5, _, 60, "n"),
        ("DRILLER_HURT", "drl_hrt1", 70, "P", 5, _, 40, "n"),
        ("DRILLER_DIE", "drl_die1", 85, "", 5, -10, 60, "n"),
    ]),
    ("GEAR_BAT", "Ennemies", [
        ("BAT_SQUEAL", "squeak3 squeal1", 45, "PV", 6, 30, 20, "n s"),
        ("BAT_FLUTTER", "flutter1 flutter2", 35, "L", 6, _, 20, "n"),
        ("BAT_SWOOP", "swoop1", 50, "P", 6, _, 25, "n"),
    ]),
    ("BOILER_BEAST", "Ennemies", [
        ("BEAST_ROAR", "roar2 roar3", 95, "", 4, -10, 90, "f"),
        ("BEAST_BELLOW", "bellow1", 90, "", 4, -20, 90, "f"),
        ("BEAST_FLAME", "flame1 flame2", 80, "L", 4, _, 50, "f"),
        ("BEAST_HURT", "bst_hrt1 bst_hrt2", 85, "P", 4, _, 60, "f"),
        ("BEAST_DIE", "bst_die1", 99, "", 4, -25, 99, "f"),
        ("BEAST_STOMP", "stomp2 stomp3", 85, "PV", 4, -25, 70, "f"),
        ("BEAST_GROWL", "growl2 growl3", 70, "P", 4, -20, 50, "f"),
    ]),
    ("AUTOMATON_BUTLER", "Ennemies", [
        ("BUTLER_GREET", "btl_hi1", 55, "", 5, _, 20, "m"),
        ("BUTLER_WHIRR", "whirr1", 35, "L", 5, _, 15, "m"),
        ("BUTLER_ATTACK", "btl_atk1 btl_atk2", 70, "PV", 5, _, 25, "m"),
        ("BUTLER_BREAK", "btl_brk1", 80, "", 5, _, 40, "m"),
    ]),
    ("SLUDGE_EEL", "Ennemies", [
        ("EEL_HISS", "eel_hss1", 55, "P", 5, 10, 25, "s"),
        ("EEL_SPLASH", "splash1 splash2", 65, "PV", 5, _, 40, "s d"),
        ("EEL_BITE", "eel_bit1", 70, "P", 5, _, 20, "s"),
        ("EEL_DIE", "eel_die1", 70, "", 5, _, 30, "s"),
    ]),
    ("ENGINE_TYRANT", "Ennemies", [
        ("TYRANT_ROAR", "roar1 roar3 tyr_roar", 99, "", 4, -30, 99, "x"),
        ("TYRANT_PISTON", "tyr_pst1 tyr_pst2", 85, "L", 4, _, 80, "x"),
        ("TYRANT_VENT", "hiss2 hiss4", 80, "", 4, -15, 70, "x"),
        ("TYRANT_HURT", "tyr_hrt1 tyr_hrt2", 90, "P", 4, -10, 90, "x"),
        ("TYRANT_DIE", "tyr_die1", 99, "", 4, -30, 99, "x"),
        ("TYRANT_CORE", "core1", 60, "L", 4, _, 40, "x"),
    ]),
    ("SENTRY_TURRET", "Ennemies", [
        ("TURRET_WAKE", "trt_wake", 60, "", 5, _, 30, "e i x"),
        ("TURRET_TURN", "servo1 servo2", 35, "L", 5, _, 20, "e i x"),
        ("TURRET_FIRE", "trt_fire", 80, "PV", 5, _, 60, "e i x"),
        ("TURRET_DIE", "trt_die1", 75, "", 5, _, 40, "e i x"),
    ]),

    ("WOODEN_DOOR", "Doors", [
        ("DOOR_CREAK_OPEN", "creak1 creak2", 50, "P", 6, _, 30, "g"),
        ("DOOR_CREAK_SHUT", "creak3 doorshut", 55, "P", 6, _, 30, "g"),
        ("DOOR_LOCKED", "locked1", 50, "", 6, _, 20, "g"),
        ("DOOR_KNOCK", "knock1 knock2", 60, "", 6, _, 30, "g m k"),
        ("DOOR_UNLOCK", "unlock1", 50, "", 6, _, 20, "g"),
    ]),
    ("IRON_DOOR", "Doors", [
        ("IRONDOOR_OPEN", "irn_opn1", 65, "", 6, -5, 40, "g f i e"),
        ("IRONDOOR_SHUT", "irn_sht1", 70, "", 6, -5, 40, "g f i e"),
        ("IRONDOOR_SLAM", "slam1 slam2", 85, "P", 6, -10, 60, "g f i"),
    ]),
    ("VAULT_DOOR", "Doors", [
        ("VAULT_UNLOCK", "vlt_unl1", 60, "", 6, _, 30, "e"),
        ("VAULT_SPIN", "vlt_spin", 55, "L", 6, _, 30, "e"),
        ("VAULT_OPEN", "vlt_opn1", 75, "", 6, -10, 50, "e"),
        ("VAULT_ALARM", "alarm1", 90, "L", 6, _, 90, "e m"),
    ]),
    ("LIFT_CAGE", "Vehicles", [
        ("LIFT_START", "lift_st1", 60, "", 6, _, 40, "g c n f"),
        ("LIFT_LOOP", "lift_lp1", 45, "L", 6, _, 40, "g c n f"),
        ("LIFT_STOP", "lift_sp1", 60, "", 6, _, 40, "g c n f"),
        ("LIFT_BELL", "bell1", 50, "", 6, 10, 30, "c m"),
    ]),
    ("STEAM_VALVE", "Switches", [
        ("STEAM_VALVE_HISS", "hiss1 hiss4", 55, "L", 6, _, 30, "f i s"),
        ("VALVE_TURN", "valve1 valve2", 50, "P", 6, _, 20, "f i s"),
        ("VALVE_STUCK", "stuck1", 55, "", 6, _, 20, "f i"),
        ("VALVE_BURST", "steam1 steam2", 80, "", 6, _, 50, "f i"),
    ]),
    ("WALL_LEVER", "Switches", [
        ("LEVER_PULL", "lever1 lever2", 55, "P", 6, _, 25, "g"),
        ("LEVER_RESET", "lever3", 50, "", 6, _, 25, "g"),
        ("LEVER_JAMMED", "jammed1", 55, "", 6, _, 20, "f n"),
    ]),
    ("DRAWBRIDGE", "Doors", [
        ("BRIDGE_LOWER", "brg_low1", 75, "L", 6, -10, 70, "d"),
        ("BRIDGE_RAISE", "brg_up1", 75, "L", 6, -10, 70, "d"),
        ("BRIDGE_THUD", "thud1 thud2", 90, "", 6, -20, 80, "d"),
    ]),
    ("SEWER_GRATE", "Doors", [
        ("GRATE_RISE", "grate1", 60, "", 6, _, 30, "s"),
        ("GRATE_FALL", "grate2 slam2", 75, "", 6, _, 40, "s"),
    ]),
    ("CONVEYOR_BELT", "Miscellaneous", [
        ("CONVEYOR_START", "cnv_st1", 55, "", 6, _, 40, "f i"),
        ("CONVEYOR_RUN", "cnv_run1 cnv_run2", 45, "L", 6, _, 40, "f i"),
        ("CONVEYOR_STOP", "cnv_sp1", 55, "", 6, _, 40, "f i"),
    ]),
    ("PISTON_PRESS", "Traps", [
        ("PRESS_SLAM", "slam1 slam3", 90, "PV", 6, _, 60, "f i"),
        ("PRESS_HISS", "hiss1 hiss2", 60, "P", 6, _, 40, "f i"),
        ("PRESS_RISE", "prs_rise", 55, "", 6, _, 40, "f i"),
    ]),
    ("TRAPDOOR", "Traps", [
        ("TRAPDOOR_OPEN", "trap1", 65, "", 6, _, 30, "g m y"),
        ("TRAPDOOR_FALL", "trap2 thud2", 75, "", 6, _, 40, "m y g"),
    ]),
    ("GEAR_PUZZLE", "Switches", [
        ("GEAR_TURN", "gear1 gear3", 50, "PL", 6, _, 25, "c"),
        ("GEAR_JAM", "gear_jam", 65, "", 6, _, 30, "c"),
        ("GEAR_CLICK", "click2 click4", 45, "P", 6, _, 20, "c tr"),
        ("PUZZLE_SOLVED", "solved1", 80, "", 8, _, _, "c m y"),
        ("PUZZLE_RESET", "reset1", 60, "", 8, _, _, "c m y"),
    ]),
    ("WALL_SAFE", "Miscellaneous", [
        ("SAFE_DIAL", "dial1 dial2 dial3", 40, "P", 6, _, 10, "m e"),
        ("SAFE_OPEN", "safe_opn", 60, "", 6, _, 20, "m e"),
        ("SAFE_FAIL", "safe_bzz", 55, "", 6, _, 20, "m e"),
    ]),
    ("MINE_CART", "Vehicles", [
        ("CART_ROLL", "cart1 cart2", 60, "L", 6, _, 60, "n p"),
        ("CART_BRAKE", "brake1", 75, "", 6, _, 60, "n p"),
        ("CART_CRASH", "crash1 crash2", 90, "", 6, _, 80, "n p"),
    ]),
    ("AIRSHIP", "Vehicles", [
        ("AIRSHIP_ENGINE", "air_eng1", 70, "L", 7, _, 90, "a pr"),
        ("AIRSHIP_HORN", "ship_hrn", 90, "", 7, -15, 99, "a d pr"),
        ("AIRSHIP_CREAK", "creak1 creak3", 40, "R", 7, _, 40, "a"),
        ("AIRSHIP_PROPS", "props1", 65, "L", 7, _, 70, "a"),
    ]),
    ("STEAM_TRAM", "Vehicles", [
        ("TRAM_BELL", "bell1 bell2", 70, "", 6, _, 60, "p k"),
        ("TRAM_DEPART", "tram_go", 75, "", 6, _, 70, "p"),
        ("TRAM_BRAKE", "brake1 brake2", 70, "", 6, _, 60, "p"),
    ]),
    ("TOWER_CLOCK", "Miscellaneous", [
        ("CLOCK_TICK", "tick1 tick2", 35, "L", 7, _, 30, "c"),
        ("CLOCK_BELL", "bell3 bell4", 95, "", 7, -20, 99, "c k"),
        ("CLOCK_GEARS", "gear2 gear3", 45, "L", 7, _, 40, "c"),
    ]),
    ("FURNACE_DOOR", "Traps", [
        ("FURNACE_OPEN", "fur_opn1", 70, "", 6, _, 40, "f"),
        ("FURNACE_SHUT", "fur_sht1 slam3", 75, "", 6, _, 40, "f"),
    ]),
    ("DOCK_CRANE", "Miscellaneous", [
        ("CRANE_MOVE", "crane1", 55, "L", 6, _, 60, "d f"),
        ("CRANE_DROP", "thud1 crane2", 85, "", 6, _, 70, "d f"),
        ("CRANE_REEL", "reel1 reel2", 50, "L", 6, _, 50, "d"),
    ]),
    ("STEAM_ORGAN", "Miscellaneous", [
        ("ORGAN_NOTE_LOW", "org_low1 org_low2", 70, "", 7, -20, 60, "m"),
        ("ORGAN_NOTE_HIGH", "org_hi1 org_hi2", 70, "", 7, 20, 60, "m"),
        ("ORGAN_FANFARE", "fanfare1", 85, "", 7, _, 80, "m"),
    ]),

    ("SWORD_CANE", "Miscellaneous", [
        ("CANE_SWING", "swing1 swing2 swing3", 55, "PV", 2, _, _, "g"),
        ("CANE_HIT", "hit1 hit2 hit3", 70, "PV", 2, _, _, "g"),
        ("CANE_PARRY", "parry1 parry2", 70, "P", 2, _, _, "g"),
        ("CANE_DRAW", "draw1", 50, "", 2, _, _, "g"),
        ("CANE_SHEATHE", "sheathe1", 45, "", 2, _, _, "g"),
    ]),
    ("STEAM_PISTOL", "Miscellaneous", [
        ("PISTOL_FIRE", "pistol1 pistol2", 85, "PV", 2, _, 70, "g"),
        ("PISTOL_RELOAD", "reload1 reload2", 55, "", 2, _, 20, "g"),
        ("PISTOL_EMPTY", "dry_fire", 50, "", 2, _, 10, "g"),
        ("BULLET_WHINE", "whine1 whine2 whine3", 60, "PV", 5, _, 40, "g"),
        ("BULLET_IMPACT", "imp_bul1 imp_bul2", 65, "PV", 5, _, 30, "g"),
    ]),
    ("TESLA_GUN", "Miscellaneous", [
        ("TESLA_SPOOL", "spool1", 60, "", 2, _, 30, "i x"),
        ("TESLA_FIRE", "tesla1 tesla2", 85, "P", 2, _, 60, "i x"),
        ("TESLA_ZAP", "zap1 spark1", 75, "PV", 2, _, 40, "g"),
        ("TESLA_OVERLOAD", "overload", 90, "", 2, _, 60, "i x"),
    ]),
    ("BLUNDERBUSS", "Miscellaneous", [
        ("BUSS_FIRE", "buss1", 95, "P", 2, -10, 90, "a d"),
        ("BUSS_RELOAD", "buss_ld1 buss_ld2", 60, "", 2, _, 20, "a d"),
    ]),
    ("GRAPPLE_HOOK", "Miscellaneous", [
        ("GRAPPLE_FIRE", "grap1", 70, "P", 2, _, 40, "r c a"),
        ("GRAPPLE_REEL", "reel1 reel3", 55, "L", 2, _, 30, "r c a"),
        ("GRAPPLE_HIT", "grap_hit", 65, "", 2, _, 30, "r c a"),
        ("GRAPPLE_MISS", "grap_mis", 55, "", 2, _, 30, "r c a"),
    ]),
    ("FUSE_BOMB", "Traps", [
        ("BOMB_FUSE", "fuse1", 50, "L", 5, _, 30, "g"),
        ("BOMB_BLAST", "boom1 boom2", 99, "", 5, _, 99, "g"),
        ("BOMB_THROW", "throw1", 45, "", 5, _, 20, "g"),
        ("BOMB_BOUNCE", "bounce1 bounce2", 45, "PV", 5, _, 20, "g"),
    ]),
    ("SPANNER", "Miscellaneous", [
        ("SPANNER_SWING", "swing2 swing4", 55, "PV", 2, -10, _, "f tr"),
        ("SPANNER_HIT", "clank2 hit4", 70, "PV", 2, _, _, "f tr"),
    ]),
    ("FLAMER", "Traps", [
        ("FLAMER_START", "flm_st1", 70, "", 2, _, 40, "f x"),
        ("FLAMER_LOOP", "flame1 flame3", 75, "L", 2, _, 50, "f x"),
        ("FLAMER_END", "flm_end1", 60, "", 2, _, 40, "f x"),
    ]),
    ("GUARD_RIFLE", "Miscellaneous", [
        ("RIFLE_FIRE", "rifle1 rifle2", 90, "PV", 4, _, 90, "e k q"),
        ("RIFLE_BOLT", "rfl_bolt", 55, "", 4, _, 20, "e k q"),
    ]),
    ("STUN_BATON", "Miscellaneous", [
        ("BATON_ZAP", "zap1 zap2", 70, "PV", 4, _, 25, "e q y"),
        ("BATON_SWING", "swing3 swing5", 55, "PV", 4, 10, 20, "e q y"),
    ]),

    ("COIN", "Miscellaneous", [
        ("COIN_PICKUP", "coin1 coin2", 50, "P", 8, _, _, "g"),
        ("COIN_PILE", "coins1", 60, "", 8, _, _, "g"),
        ("COIN_DROP", "coin3 coin4", 45, "PV", 8, _, 20, "k e"),
    ]),
    ("HEALTH_TONIC", "Miscellaneous", [
        ("TONIC_PICKUP", "tonic1", 55, "", 8, _, _, "g"),
        ("TONIC_DRINK", "gulp1 gulp2", 60, "", 8, _, _, "g"),
    ]),
    ("AMMO_BOX", "Miscellaneous", [
        ("AMMO_PICKUP", "ammo1", 55, "", 8, _, _, "g"),
        ("AMMO_FULL", "ammo_ful", 45, "", 8, _, _, "g"),
    ]),
    ("BRASS_KEY", "Miscellaneous", [
        ("KEY_PICKUP", "keys1 keys2", 55, "", 8, _, _, "g"),
        ("KEY_USE", "unlock1 keys3", 55, "", 6, _, 20, "g"),
        ("KEY_WRONG", "key_bad", 50, "", 8, _, _, "g"),
    ]),
    ("BLUEPRINT", "Miscellaneous", [
        ("BLUEPRINT_FOUND", "paper1 fanfare2", 75, "", 8, _, _, "g"),
    ]),
    ("GEAR_PART", "Miscellaneous", [
        ("PART_PICKUP", "part1 part2", 50, "P", 8, _, _, "f i c"),
    ]),
    ("POCKET_CLOCK", "Miscellaneous", [
        ("TIMEPIECE_GET", "tick3 fanfare2", 60, "", 8, _, _, "c"),
    ]),
    ("AIR_CANISTER", "Miscellaneous", [
        ("AIR_PICKUP", "air_can1", 55, "", 8, _, _, "s n"),
        ("AIR_REFILL", "refill1", 50, "", 8, _, _, "s n"),
    ]),
    ("LETTER", "Miscellaneous", [
        ("DOCUMENT_READ", "paper1 paper2", 45, "", 8, _, _, "g"),
        ("DOCUMENT_PAGE", "page1 page2 page3", 40, "R", 8, _, _, "g"),
    ]),
    ("ARMOUR_PLATE", "Miscellaneous", [
        ("ARMOUR_PICKUP", "armour1", 60, "", 8, _, _, "g"),
    ]),
    ("TOOLKIT", "Miscellaneous", [
        ("TOOLKIT_GET", "toolkit1", 55, "", 8, _, _, "f i n"),
    ]),

    ("HARBOUR_LOOP", "Loops", [
        ("WAVES_LAP", "waves1 waves2", 25, "L", 7, _, 80, "d"),
        ("GULLS_DISTANT", "gull1 gull2 gull3 gull4", _, "R", 7, _, 90, "d a"),
        ("SHIP_HORN_FAR", "ship_hrn horn_far", 40, "R", 7, -10, 99, "d"),
        ("ROPE_CREAK", "creak2 rope1", 30, "R", 7, _, 40, "d"),
        ("BUOY_BELL", "bell2 buoy1", 35, "R", 7, _, 90, "d"),
    ]),
    ("FOUNDRY_LOOP", "Loops", [
        ("FURNACE_ROAR", "furnace1", 45, "L", 7, _, 70, "f"),
        ("ANVIL_RING", "anvil1 anvil2 anvil3 anvil4", 55, "R", 7, _, 60, "f"),
        ("MOLTEN_POUR", "molten1", 50, "L", 7, _, 50, "f i"),
        ("BELLOWS_PUMP", "bellows1", 40, "L", 7, _, 40, "f"),
    ]),
    ("SEWER_LOOP", "Loops", [
        ("SEWER_FLOW", "flow1", 35, "L", 7, _, 70, "s"),
        ("SEWER_DRIP", "drip1 drip2 drip3", 30, "R", 7, _, 40, "s"),
        ("PIPE_GURGLE", "gurgle1 gurgle2", 35, "R", 7, _, 40, "s"),
        ("DRIP_CAVERN", "drip2 drip4", _, "R", 7, _, 60, "s n"),
    ]),
    ("STREET_LOOP", "Loops", [
        ("CROWD_MURMUR", "crowd1", 30, "L", 7, _, 80, "k e"),
        ("CARRIAGE_PASS", "carriage hoof1", 50, "", 7, _, 80, "k q e"),
        ("DISTANT_BELLS", "bell1 bell3", 30, "R", 7, _, 99, "k e q r"),
        ("STREET_ORGAN", "st_organ", 40, "L", 7, _, 50, "k"),
        ("DOG_BARK_FAR", "bark2 bark4", _, "R", _, _, 99, "k q"),
        ("HORSE_CLOP", "hoof1 hoof2", _, "L", 7, _, 60, "k"),
    ]),
    ("WEATHER_LOOP", "Loops", [
        ("WIND_HOWL", "wind1 wind2", 40, "L", 7, _, _, "r c a"),
        ("WIND_GUST", "gust1 gust2 gust3", 45, "R", 7, _, _, "r c a"),
        ("WIND_LIGHT", "wind3", 25, "L", 7, _, _, "g"),
        ("RAIN_LIGHT", "rain1", 30, "L", 7, _, _, "g d q r"),
        ("RAIN_HEAVY", "rain2", 45, "L", 7, _, _, "q r g"),
        ("THUNDER_ROLL", "thunder1 thunder2", 70, "R", 7, -10, _, "g r c"),
        ("THUNDER_CRACK", "thunder3", 90, "R", 7, _, _, "g r c"),
    ]),
    ("MINE_LOOP", "Loops", [
        ("MINE_RUMBLE", "rumble1 rumble2", 45, "L", 7, -20, 99, "n"),
        ("ROCK_TRICKLE", "pebble1 pebble2", 35, "R", 7, _, 40, "n"),
        ("CART_DISTANT", "cart2 cart3", _, "R", 7, -10, 90, "n"),
        ("MINE_DRIP", "drip1 drip4", 30, "R", 7, _, 40, "n"),
    ]),
    ("MANOR_LOOP", "Loops", [
        ("MANOR_CLOCK", "tick1 tick3", 30, "L", 7, -10, 30, "m"),
        ("FIREPLACE_CRACKLE", "fire_lp1", 35, "L", 7, _, 30, "m k"),
        ("PIANO_DISTANT", "piano1", 25, "L", 7, _, 60, "m"),
        ("MANOR_CREAKS", "creak2 creak4", _, "R", 7, _, 50, "m"),
    ]),
    ("ENGINE_LOOP", "Loops", [
        ("ENGINE_HUM", "hum3", 40, "L", 7, -20, 99, "x i"),
        ("PISTON_LOOP", "piston1", 50, "L", 7, _, 70, "x i f"),
        ("BOILER_BUBBLE", "bubble1 bubble2", 40, "L", 7, _, 50, "x f"),
        ("ENGINE_THROB", "throb1", 55, "L", 7, -30, 99, "x"),
    ]),
    ("ASYLUM_LOOP", "Loops", [
        ("WHISPERS", "whisper1 whisper2", _, "R", _, _, 40, "y"),
        ("ASYLUM_SCREAM_DISTANT", "scream2 scream3", _, "R", 7, -10, 99, "y"),
        ("IRON_RATTLE", "rattle1 rattle2", 40, "R", 7, _, 40, "y s"),
        ("ASYLUM_WIND", "wind2 wind4", 30, "L", 7, _, _, "y"),
    ]),
    ("PIPEWORK_LOOP", "Loops", [
        ("PIPE_HISS_LOOP", "hiss4", 30, "L", 7, _, 30, "g f s i"),
        ("PIPE_KNOCK", "knock2 knock3", 40, "R", 7, _, 40, "s m g"),
        ("PIPE_GROAN", "groan1", 35, "R", 7, -10, 50, "s i"),
    ]),
    ("BANK_LOOP", "Loops", [
        ("TICKER_TAPE", "ticker1", 35, "L", 7, _, 30, "e"),
        ("BANKER_MURMUR", "crowd2", 30, "L", 7, _, 60, "e"),
        ("TYPEWRITER", "type1 type2 type3", 40, "R", _, _, 25, "e m"),
    ]),
    ("AIRYARD_LOOP", "Loops", [
        ("HANGAR_WIND", "wind1 wind4", 35, "L", 7, _, _, "a"),
        ("PROPELLER_FAR", "props1 props2", _, "L", 7, -15, 99, "a"),
        ("MOORING_CREAK", "rope1 rope2", 30, "R", 7, _, 40, "a d"),
    ]),

    ("EXPLOSION", "Miscellaneous", [
        ("EXPLODE_SMALL", "boom3", 85, "PV", 5, _, 80, "g"),
        ("EXPLODE_LARGE", "boom1 boom2", 99, "", 5, -10, 99, "g"),
        ("EXPLODE_FAR", "boom_far", 60, "", 5, -20, 99, "f i x"),
        ("DEBRIS_FALL", "debris1 debris2", 65, "R", 5, _, 60, "g"),
    ]),
    ("GLASS", "Miscellaneous", [
        ("GLASS_BREAK", "glass1 glass2 glass3 glass4", 75, "PV", 5, _, 50, "g"),
        ("GLASS_TINKLE", "glass1 tinkle1 tinkle2", 45, "PV", 5, 10, 30, "g"),
    ]),
    ("WATER_FX", "Miscellaneous", [
        ("SPLASH_SMALL", "splash1 splash3", 55, "PV", 5, _, 30, "g"),
        ("SPLASH_LARGE", "splash2 splash4", 80, "", 5, -10, 60, "g s d n"),
        ("BUBBLE", "bubble1 bubble3", 35, "R", 5, _, 20, "g s d"),
        ("WATER_POUR", "pour1 pour2", 40, "L", 5, _, 25, "k m"),
    ]),
    ("FIRE_FX", "Miscellaneous", [
        ("FIRE_IGNITE", "ignite1", 65, "", 5, _, 40, "g"),
        ("FIRE_LOOP", "fire_lp1 fire_lp2", 45, "L", 5, _, 40, "g"),
        ("FIZZLE", "fizzle1", 45, "", 5, _, 30, "g"),
    ]),
    ("ELECTRIC_FX", "Miscellaneous", [
        ("SPARK_SHOWER", "spark1 spark2 spark3 spark4", 60, "PV", 5, _, 40, "g"),
        ("SPARK_SINGLE", "spark4", 45, "P", 5, _, 25, "g"),
        ("BUZZ", "buzz1", 50, "L", 5, _, 40, "i x y"),
        ("SHORT_CIRCUIT", "spark2 fizzle2", 70, "", 5, _, 40, "i x"),
    ]),
    ("STEAM_FX", "Miscellaneous", [
        ("STEAM_BURST", "steam1 steam3", 75, "PV", 5, _, 50, "g"),
        ("STEAM_JET_LOOP", "steam4", 55, "L", 5, _, 40, "f i x"),
        ("STEAM_PUFF", "steam2 puff1", 45, "PV", 5, _, 25, "g"),
    ]),
    ("WOODEN_CRATE", "Miscellaneous", [
        ("CRATE_BREAK", "wood1 wood2 wood3", 75, "PV", 5, _, 40, "g"),
        ("CRATE_PUSH", "scrape1", 50, "L", 5, _, 25, "g"),
        ("CRATE_LAND", "thud1 thud3", 70, "PV", 5, _, 40, "g"),
    ]),
    ("BARREL", "Miscellaneous", [
        ("BARREL_ROLL", "brl_roll", 55, "L", 5, _, 40, "g d f n"),
        ("BARREL_BURST", "wood2 brl_brst", 80, "", 5, _, 50, "d f g"),
    ]),
    ("BODY", "Miscellaneous", [
        ("BODY_FALL", "thud2 thud3 body1", 65, "PV", 5, _, 30, "g"),
        ("BONE_SNAP", "snap1 snap2", 70, "P", 5, _, 25, "g"),
        ("BODY_SPLASH", "splash3 splash4", 70, "P", 5, _, 40, "g"),
    ]),
    ("METAL_DEBRIS", "Miscellaneous", [
        ("METAL_CLANK", "clank1 clank3", 65, "PV", 5, _, 40, "g"),
        ("METAL_SCRAPE", "scrape2 scrape3", 55, "L", 5, _, 35, "f i"),
        ("METAL_BEND", "bend1", 70, "", 5, -10, 40, "f i x"),
    ]),
    ("ROCKFALL", "Traps", [
        ("ROCKS", "rocks1 rocks2 rocks3", 85, "", 5, -10, 80, "n"),
        ("BOULDER_ROLL", "boulder1", 80, "L", 5, -20, 80, "n s"),
    ]),
    ("IMPACTS", "Miscellaneous", [
        ("IMPACT_SOFT", "imp_soft", 50, "PV", 5, _, 25, "g"),
        ("IMPACT_HARD", "imp_hard hit4", 70, "PV", 5, _, 35, "g"),
        ("IMPACT_METAL", "clank1 imp_met", 70, "PV", 5, _, 35, "g"),
        ("IMPACT_WOOD", "wood1 imp_wood", 65, "PV", 5, _, 35, "g"),
    ]),

    ("MENU", "Miscellaneous", [
        ("MENU_OPEN", "menu_opn", 60, "", 8, _, _, "g"),
        ("MENU_SELECT", "menu_sel", 60, "", 8, _, _, ""),
        ("MENU_MOVE", "menu_mv", 50, "", 8, _, _, ""),
        ("MENU_BACK", "menu_bk", 55, "", 8, _, _, ""),
        ("MENU_ERROR", "menu_err", 60, "", 8, _, _, "g"),
        ("MENU_SLIDER", "menu_mv tick2", 45, "", 8, _, _, ""),
    ]),
    ("HUD", "Miscellaneous", [
        ("GAME_SAVED", "saved1", 65, "", 8, _, _, ""),
        ("SECRET_FOUND", "secret1", 75, "", 8, _, _, ""),
        ("OBJECTIVE_DONE", "obj_done", 75, "", 8, _, _, ""),
        ("LOW_AIR_WARN", "air_warn", 70, "L", 8, _, _, ""),
        ("GAME_OVER", "gameover", 80, "", 8, _, _, ""),
        ("HEALTH_LOW", "heart1 hp_low", 60, "L", 8, _, _, "g"),
        ("MAP_OPEN", "map1", 50, "", 8, _, _, "g"),
        ("JOURNAL_WRITE", "quill1 quill2", 45, "", 8, _, _, "g"),
        ("INVENTORY_OPEN", "bag1", 50, "", 8, _, _, "g"),
        ("ITEM_EQUIP", "equip1", 50, "", 8, _, _, "g"),
        ("COUNTDOWN_TICK", "tick2 tick4", 60, "", 8, _, _, "g"),
        ("LEVEL_COMPLETE", "fanfare1 fanfare2", 85, "", 8, _, _, ""),
        ("HINT_POPUP", "hint_pop", 50, "", 8, _, _, "pr tr"),
    ]),
]

# Objects of the object list that own no sound line of their own: they use
# sounds of the table above, named here.  (object name, object type, sounds)
# They follow the table's objects of their type.  "Loop" in mixed case does
# not keep an object out of the .WAS import: only "LOOP" does.
SHARED_SOUND_OBJECTS = [
    ("Railway Loop Car", "Vehicles", [
        "CART_ROLL", "TRAM_BELL", "TRAM_DEPART", "TRAM_BRAKE", "STEAM_PUFF",
    ]),
]

# Sounds the game engine addresses by number: they must keep these IDs.
# Every other sound fills the remaining IDs in table order.
FIXED_IDS = {
    "PLAYER_HEARTBEAT": 27,
    "PLAYER_LAND": 59,
    "PLAYER_JUMP": 60,      # the player's always-loaded sound
    "PLAYER_HURT": 62,
    "MENU_SELECT": 110,
    "MENU_MOVE": 113,
    "MENU_BACK": 115,
    "GAME_SAVED": 163,
    "SECRET_FOUND": 185,
    "OBJECTIVE_DONE": 186,
    "LOW_AIR_WARN": 199,
    "GAME_OVER": 270,
}

# System sounds: they may only be generic (#g) or carry no letters at all.
PROTECTED_IDS = (27, 59, 62, 110, 113, 115, 163, 185, 186, 199, 270)
ALWAYS_LOADED_ID = 60

MIN_SOUNDS, MAX_SOUNDS = 330, 360
MAX_NAME_PART = 23          # name with its colon
MAX_SAMPLE_LIST = 31        # for lists of up to 7 samples
MAX_LONG_LISTS = 5          # lists of 8 to 10 samples
FORBIDDEN = ("VOL", "CH", "PIT", "RAD")

NAME_RE = re.compile(r"^[A-Z][A-Z0-9_]*$")
SAMPLE_RE = re.compile(r"^[a-z0-9_]{2,8}$")


# ---------------------------------------------------------------------------
# Line layout
# ---------------------------------------------------------------------------
def name_tabs(n):
    """Tabs after the name part (name plus colon) of length n."""
    if n < 8:
        return 3
    if n < 16:
        return 2
    return 1


def sample_tabs(m):
    """Tabs after a sample list of length m."""
    if m < 8:
        return 4
    if m < 16:
        return 3
    if m < 24:
        return 2
    return 1


FLAG_COLUMNS = {"P": 0, "V": 2, "R": 4, "N": 4, "L": 6}


def flags_field(flags):
    """'PL' -> 'P     L': each flag in its own column, trailing blanks cut."""
    cols = [" "] * 8
    for flag in flags:
        cols[FLAG_COLUMNS[flag]] = flag
    return "".join(cols).rstrip()


def field_flags(field):
    """Inverse of flags_field: 'P     L' -> 'PL'."""
    return "".join(ch for ch in field if ch != " ")


def layout_line(name_part, samples, vol, flags, ch, pit, rad, letters):
    """Build one sound line from its text fields (fields may be empty)."""
    return (name_part + "\t" * name_tabs(len(name_part))
            + samples + "\t" * sample_tabs(len(samples))
            + "\t".join((vol, flags, ch, pit, rad, letters)))


def split_line(line):
    """Split a line laid out by layout_line into its eight text fields.

    Returns None when the line does not follow that layout exactly.
    """
    colon = line.find(":")
    if colon < 0:
        return None
    name_part, rest = line[:colon + 1], line[colon + 1:]
    pad = "\t" * name_tabs(len(name_part))
    if not rest.startswith(pad):
        return None
    samples, sep, rest = rest[len(pad):].partition("\t")
    if not sep:
        return None
    pad = "\t" * (sample_tabs(len(samples)) - 1)
    if not rest.startswith(pad):
        return None
    fields = rest[len(pad):].split("\t")
    if len(fields) != 6:
        return None
    parts = (name_part, samples, *fields)
    if layout_line(*parts) != line:
        return None
    return parts


def sound_fields(sound):
    """Text fields of a sound from the table."""
    name, samples, vol, flags, ch, pit, rad, letters = sound
    return (
        name + ":",
        samples,
        "" if vol is None else "VOL%02d" % vol,
        flags_field(flags),
        "" if ch is None else "CH%02d" % ch,
        "" if pit is None else ("PIT-%02d" % -pit if pit < 0 else "PIT%02d" % pit),
        "" if rad is None else "RAD%02d" % rad,
        " ".join("#" + code for code in letters.split()),
    )


# ---------------------------------------------------------------------------
# Catalogue
# ---------------------------------------------------------------------------
def all_sounds():
    """(object name, object type, sound) for every sound, in table order."""
    return [(obj, kind, sound)
            for obj, kind, sounds in OBJECTS for sound in sounds]


def ordered_sounds():
    """Sounds in ID order: fixed sounds at their IDs, the rest in table order."""
    sounds = [entry[2] for entry in all_sounds()]
    slots = [None] * len(sounds)
    by_name = {s[0]: s for s in sounds}
    for name, sid in FIXED_IDS.items():
        if sid >= len(slots):
            raise ValueError("%s: ID %d beyond the last sound" % (name, sid))
        slots[sid] = by_name[name]
    free = iter(i for i, s in enumerate(slots) if s is None)
    for s in sounds:
        if s[0] not in FIXED_IDS:
            slots[next(free)] = s
    return slots


def check_table():
    """Raise ValueError if the table breaks a rule of the sound file."""
    problems = []
    codes = [w[1] for w in WADS]
    wad_files = [w[2] for w in WADS]
    if len(set(codes)) != len(codes) or GENERIC_LETTER in codes:
        problems.append("WAD letter codes must be unique and not 'g'")
    for title, code, wad in WADS:
        if not re.fullmatch(r"[a-z]{1,2}", code):
            problems.append("bad WAD letter %r" % code)
        if not re.fullmatch(r"[A-Z0-9]{1,8}", wad):
            problems.append("bad WAD file name %r" % wad)
        if '"' in title or "," in title:
            problems.append("WAD title %r needs no quotes or commas" % title)
    if len(set(wad_files)) != len(wad_files):
        problems.append("WAD file names must be unique")
    known = set(codes) | {GENERIC_LETTER}

    entries = all_sounds()
    names = [s[0] for _o, _k, s in entries]
    if len(set(names)) != len(names):
        problems.append("sound names must be unique")
    if not MIN_SOUNDS <= len(names) <= MAX_SOUNDS:
        problems.append("%d sounds, expected %d..%d"
                        % (len(names), MIN_SOUNDS, MAX_SOUNDS))
    objects = [o for o, _k, _s in OBJECTS]
    if len(set(objects)) != len(objects):
        problems.append("object names must be unique")

    long_lists = ten_lists = 0
    for obj, kind, sound in entries:
        name, samples, vol, flags, ch, pit, rad, letters = sound
        where = "%s/%s" % (obj, name)
        if kind not in OBJECT_TYPES:
            problems.append("%s: unknown object type %r" % (where, kind))
        for word in (obj, name):
            if not NAME_RE.match(word) or any(f in word for f in FORBIDDEN):
                problems.append("%s: bad name %r" % (where, word))
        if len(name) + 1 > MAX_NAME_PART:
            problems.append("%s: name too long" % where)
        parts = samples.split(" ")
        if not 1 <= len(parts) <= 10:
            problems.append("%s: %d samples" % (where, len(parts)))
        for sample in parts:
            if (not SAMPLE_RE.match(sample)
                    or any(f.lower() in sample for f in FORBIDDEN)):
                problems.append("%s: bad sample %r" % (where, sample))
        if len(set(parts)) != len(parts):
            problems.append("%s: sample listed twice" % where)
        if len(parts) >= 8:
            long_lists += 1
            ten_lists += len(parts) == 10
        elif len(samples) > MAX_SAMPLE_LIST:
            problems.append("%s: sample list too long" % where)
        if vol is not None and not 1 <= vol <= 99:
            problems.append("%s: volume %r" % (where, vol))
        if set(flags) - set(FLAG_COLUMNS) or ("R" in flags and "N" in flags):
            problems.append("%s: flags %r" % (where, flags))
        for value, low in ((ch, 0), (rad, 0), (pit, -99)):
            if value is not None and not low <= value <= 99:
                problems.append("%s: value %r out of range" % (where, value))
        tags = letters.split()
        if set(tags) - known or len(set(tags)) != len(tags):
            problems.append("%s: letters %r" % (where, letters))
    if long_lists > MAX_LONG_LISTS or ten_lists < 3:
        problems.append("%d long sample lists, %d of ten"
                        % (long_lists, ten_lists))

    if not problems:
        ordered = ordered_sounds()
        # Kestrel strips the letters of a protected sound whenever it marks
        # them, "#g" included: a protected sound carries none.
        for sid in PROTECTED_IDS:
            if ordered[sid][7].split():
                problems.append("protected sound %d carries letters" % sid)
        if GENERIC_LETTER in ordered[ALWAYS_LOADED_ID][7].split():
            problems.append("always-loaded sound must not be generic")
    if problems:
        raise ValueError("sound table:\n  " + "\n  ".join(problems))


def build_lines():
    """The default sound lines, index = sound ID."""
    check_table()
    return [layout_line(*sound_fields(s)) for s in ordered_sounds()]


def wad_lines():
    return ['"%s","%s","%s"' % wad for wad in WADS]


# ---------------------------------------------------------------------------
# Object list Kestrel.too
#
# Three kinds of line: "* Type" opens a type (the eight of OBJECT_TYPES, in
# that order), "**" starts a comment, and every other line is an object
# record:
#   columns  1-25  the object name, padded with spaces
#   columns 26-27  n, the number of sound IDs, right-aligned
#   columns 28-29  two spaces
#   then           n sound IDs, three columns each, right-aligned, one space
#                  apart (ID k at columns 30+4(k-1) to 32+4(k-1))
# No trailing spaces, no comma, no double quote.  Kestrel's reader stops an
# object's IDs at the first 0, so sound 0 is never listed; nor are the
# protected sounds, which are never edited.  An object with more than 20 IDs
# goes on as "NAME (2)", "NAME (3)"...: the object dialog lists those
# records, while the .WAS import skips every name holding "(" or "LOOP".
# ---------------------------------------------------------------------------
OBJECT_LIST_COMMENTS = (
    "** Kestrel object list - sound IDs used by each game object of Brassmoor",
    "** name (columns 1-25) - number of IDs (26-27) - IDs (from column 30)",
)
NAME_COLUMNS = 25
MAX_RECORD_IDS = 20
MAX_TYPE_RECORDS = 40
MIN_TYPE_OBJECTS = 3
UNLISTED_IDS = frozenset((0,) + PROTECTED_IDS)

OBJECT_NAME_RE = re.compile(r"^[A-Za-z0-9_][A-Za-z0-9_ ]*$")
CONTINUATION_RE = re.compile(r"^(.+) \((\d+)\)$")


def listed_objects():
    """[(type, [(object name, sound IDs)])] in the order of Kestrel.too.

    The IDs of an object are those of its sounds, ascending, without the
    unlisted ones (sound 0 and the protected sounds).
    """
    ids = {s[0]: sid for sid, s in enumerate(ordered_sounds())}
    groups = {kind: [] for kind in OBJECT_TYPES}
    for obj, kind, sounds in OBJECTS:
        groups[kind].append((obj, [s[0] for s in sounds]))
    for obj, kind, names in SHARED_SOUND_OBJECTS:
        if kind not in groups:
            raise ValueError("%s: unknown object type %r" % (obj, kind))
        unknown = [name for name in names if name not in ids]
        if unknown:
            raise ValueError("%s: unknown sounds %s" % (obj, " ".join(unknown)))
        groups[kind].append((obj, names))
    return [(kind, [(obj, sorted({ids[n] for n in names} - UNLISTED_IDS))
                    for obj, names in groups[kind]])
            for kind in OBJECT_TYPES]


def object_records(name, ids):
    """The records of one object, MAX_RECORD_IDS IDs each."""
    chunks = [ids[i:i + MAX_RECORD_IDS]
              for i in range(0, len(ids), MAX_RECORD_IDS)] or [[]]
    records = []
    for k, chunk in enumerate(chunks, 1):
        record_name = name if k == 1 else "%s (%d)" % (name, k)
        if len(record_name) > NAME_COLUMNS:
            raise ValueError("object name %r too long" % record_name)
        record = "%-*s%2d" % (NAME_COLUMNS, record_name, len(chunk))
        if chunk:
            record += "  " + " ".join("%3d" % sid for sid in chunk)
        records.append(record)
    return records


def object_list_lines():
    """The lines of Kestrel.too."""
    check_table()
    lines = list(OBJECT_LIST_COMMENTS)
    for kind, objects in listed_objects():
        lines.append("* " + kind)
        lines.append("** " + TYPE_NOTES[kind])
        for obj, ids in objects:
            lines.extend(object_records(obj, ids))
    return lines


def read_record(line):
    """(name, IDs) of an object record, or a text saying what is wrong."""
    name = line[:NAME_COLUMNS].rstrip(" ")
    if len(line) < NAME_COLUMNS + 2 or not name:
        return "no name and count"
    count = line[NAME_COLUMNS:NAME_COLUMNS + 2]
    if not re.fullmatch(r" ?(0|[1-9]\d*)", count):
        return "count %r not right-aligned in columns 26-27" % count
    n = int(count)
    if n == 0:
        return (name, []) if len(line) == NAME_COLUMNS + 2 else "text after 0"
    if line[27:29] != "  ":
        return "columns 28-29 are not two spaces"
    if len(line) != 29 + 4 * n - 1:
        return "%d columns, %d expected for %d IDs" % (len(line), 28 + 4 * n, n)
    ids = []
    for k in range(n):
        field = line[29 + 4 * k:32 + 4 * k]
        if not re.fullmatch(r" *(0|[1-9]\d*)", field):
            return "ID %d (%r) not right-aligned in three columns" % (k + 1, field)
        if k < n - 1 and line[32 + 4 * k] != " ":
            return "no space after ID %d" % (k + 1)
        ids.append(int(field))
    return name, ids


def check_record_split():
    """Problems of object_records with an object of 45 IDs (none expected)."""
    records = object_records("SPLIT_CHECK", list(range(1, 46)))
    found = [read_record(r) for r in records]
    want = [("SPLIT_CHECK", list(range(1, 21))),
            ("SPLIT_CHECK (2)", list(range(21, 41))),
            ("SPLIT_CHECK (3)", list(range(41, 46)))]
    if found != want or records[1][29:32] != " 21":
        return ["an object of 45 IDs is not split into 20 + 20 + 5"]
    return []


def check_object_list(data):
    """Raise ValueError if the bytes of an object list break a rule of
    Kestrel.too or do not list the objects of the table with their IDs."""
    problems = check_record_split()
    eol = EOL.encode(ENCODING)
    if not data.endswith(eol):
        problems.append("the last line does not end with CR LF")
    try:
        text = data.decode(ENCODING)
    except UnicodeDecodeError as err:
        raise ValueError("object list: not %s text (%s)" % (ENCODING, err))
    lines = text.split(EOL)
    if lines[-1] == "":
        lines.pop()

    sound_count = len(ordered_sounds())
    types = []              # the type headers, in file order
    found = {}              # type -> [(object name, IDs)], parts joined
    record_counts = {}      # type -> number of records
    names = set()
    records = last = None   # records of the current type; last record
    for no, line in enumerate(lines, 1):
        where = "line %d" % no
        bad = [c for c in ("\r", "\n", ",", '"', "\t") if c in line]
        if bad:
            problems.append("%s holds %r" % (where, "".join(bad)))
        if line != line.rstrip():
            problems.append("%s ends with blanks" % where)
        if line.startswith("**"):
            continue
        if line.startswith("* "):
            types.append(line[2:])
            records, last = found.setdefault(line[2:], []), None
            record_counts.setdefault(line[2:], 0)
            continue
        if line.startswith("*"):
            problems.append("%s: %r is neither header nor comment" % (where, line))
            continue
        if records is None:
            problems.append("%s: record before the first type header" % where)
            continue
        record = read_record(line)
        if isinstance(record, str):
            problems.append("%s: %s" % (where, record))
            continue
        name, ids = record
        where = "%s (%s)" % (where, name)
        record_counts[types[-1]] += 1
        if not 1 <= len(ids) <= MAX_RECORD_IDS:
            problems.append("%s: %d IDs" % (where, len(ids)))
        for sid in ids:
            if sid in UNLISTED_IDS or sid >= sound_count:
                problems.append("%s: ID %d must not be listed" % (where, sid))
        part = CONTINUATION_RE.match(name)
        if part:
            base, k = part.group(1), int(part.group(2))
            before = base if k == 2 else "%s (%d)" % (base, k - 1)
            if (k < 2 or last is None or last[0] != before
                    or len(last[1]) != MAX_RECORD_IDS):
                problems.append("%s: does not go on from a full %r"
                                % (where, before))
            else:
                records[-1][1].extend(ids)
        else:
            if not OBJECT_NAME_RE.match(name):
                problems.append("%s: bad object name" % where)
            if name in names:
                problems.append("%s: object listed twice" % where)
            names.add(name)
            records.append((name, list(ids)))
        last = record
        in_loops = types[-1] == "Loops"
        if ("LOOP" in name) != in_loops:
            problems.append("%s: only the objects of Loops hold LOOP" % where)

    if types != list(OBJECT_TYPES):
        problems.append("type headers %s, expected %s"
                        % (" / ".join(types), " / ".join(OBJECT_TYPES)))
    for kind, objects in listed_objects():
        listed = found.get(kind, [])
        count = record_counts.get(kind, 0)
        if count > MAX_TYPE_RECORDS:
            problems.append("%s: %d records" % (kind, count))
        if len(listed) < MIN_TYPE_OBJECTS:
            problems.append("%s: %d objects" % (kind, len(listed)))
        for obj, ids in listed:
            if len(set(ids)) != len(ids):
                problems.append("%s: an ID listed twice" % obj)
        if listed != objects:
            problems.append("%s: the objects or their IDs differ from the "
                            "table" % kind)
    if problems:
        raise ValueError("object list:\n  " + "\n  ".join(problems))


def text_bytes(lines):
    return "".join(line + EOL for line in lines).encode(ENCODING)


def write_text(path, lines):
    path.write_bytes(text_bytes(lines))


def write_files(outdir):
    outdir = Path(outdir)
    outdir.mkdir(parents=True, exist_ok=True)
    object_list = text_bytes(object_list_lines())
    check_object_list(object_list)
    write_text(outdir / "Kestrel.tow", wad_lines())
    write_text(outdir / "Kestrel.tos", build_lines())
    (outdir / "Kestrel.too").write_bytes(object_list)
    return outdir


def main(argv=None):
    argv = sys.argv[1:] if argv is None else argv
    if len(argv) > 1 or (argv and argv[0].startswith("-")):
        print("usage: make_data.py [OUTDIR]", file=sys.stderr)
        return 2
    outdir = Path(argv[0]) if argv else DEFAULT_OUTDIR
    try:
        write_files(outdir)
    except ValueError as err:
        print("make_data.py: %s" % err, file=sys.stderr)
        return 1
    print("Wrote %s, %s and %s" % (outdir / "Kestrel.tow",
                                   outdir / "Kestrel.tos",
                                   outdir / "Kestrel.too"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
