#!/usr/bin/env python3
"""Generate Kestrel's default data files.

    python3 tools/make_data.py [OUTDIR]

Writes two files into OUTDIR (default: the repository's data/ folder):

  Kestrel.tow  the WAD table: "title","letter code","WAD file name"
  Kestrel.tos  the default sound lines; line k is sound ID k

Both are 8-bit text, every line ended by CR LF.  The sounds belong to the
game "Brassmoor", a steampunk city adventure.  They are kept below as plain
data, grouped by the game object that makes them, so that an object list can
be derived from the same table (see OBJECTS).

The module can be imported: tools/ and demo/ scripts and tests use
OBJECTS, WADS, build_lines(), layout_line() and split_line().
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

OBJECT_TYPES = (
    "creatures",
    "characters",
    "mechanisms",
    "weapons",
    "pickups",
    "ambience",
    "effects",
    "interface",
)

# ---------------------------------------------------------------------------
# Sound table, by game object: (object name, object type, sounds).
# Each sound: (name, samples, volume, flags, channel, pitch, radius, letters)
#   samples  .wav names without extension, separated by single spaces
#   volume   1..99 or None (no VOL field)
#   flags    any of "P", "V", "R" or "N" (never both), "L"
#   channel, pitch (may be negative), radius: numbers or None (field empty)
#   letters  WAD letter codes separated by spaces ("g" = generic), or ""
# ---------------------------------------------------------------------------
_ = None

OBJECTS = [
    ("PLAYER", "characters", [
        ("PLAYER_HEARTBEAT", "heart1 heart2", 60, "L", 1, _, _, "g"),
        ("PLAYER_LAND", "land1 land2", 50, "P", 1, _, _, "g"),
        ("PLAYER_JUMP", "jump1 jump2", 55, "P", 1, _, _, ""),
        ("PLAYER_HURT", "hurt1 hurt2 hurt3", 70, "PV", 1, _, _, "g"),
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
    ("CONSTABLE", "characters", [
        ("CONSTABLE_HALT", "halt1 halt2", 75, "", 3, _, 30, "k q e"),
        ("CONSTABLE_WHISTLE", "whistle1 whistle2", 75, "", 3, _, 40, "k q"),
        ("CONSTABLE_HUM", "hum1 hum2", 30, "L", 3, _, 15, "k"),
        ("CONSTABLE_ALERT", "cst_alr1 cst_alr2", 70, "P", 3, _, 30, "k q e"),
        ("CONSTABLE_HURT", "cst_hrt1 cst_hrt2", 65, "PV", 3, _, 20, "k q e"),
        ("CONSTABLE_DIE", "cst_die1", 70, "", 3, _, 25, "k q e"),
    ]),
    ("VENDOR", "characters", [
        ("VENDOR_GREET", "vnd_hi1 vnd_hi2", 60, "", 3, _, 15, "k"),
        ("VENDOR_HAGGLE", "haggle1 haggle2 haggle3", 60, "R", 3, _, 15, "k e"),
        ("VENDOR_SHOUT", "shout1 shout2", 70, "R", 3, _, 40, "k d"),
    ]),
    ("RASCAL", "characters", [
        ("RASCAL_LAUGH", "giggle1 giggle2", 55, "P", 3, 10, 25, "k r"),
        ("RASCAL_RUN", "run1 run2", 40, "P", 3, _, 20, "k r"),
        ("RASCAL_TAUNT", "taunt1 taunt2 taunt3", 60, "R", 3, 10, 30, "r"),
    ]),
    ("INVENTOR", "characters", [
        ("INVENTOR_MUTTER", "mutter1 mutter2", 45, "R", 3, _, 15, "pr f"),
        ("INVENTOR_EUREKA_SHOUT", "eureka", 70, "", 3, _, 20, "pr"),
        ("INVENTOR_HAMMER", "hammer1 hammer2", 55, "P", 3, _, 25, "pr f"),
        ("INVENTOR_SIGH", "sigh1", 40, "", 3, _, 15, "pr"),
    ]),
    ("GOVERNOR", "characters", [
        ("GOVERNOR_ADDRESS", "address1 address2", 80, "", 3, _, 60, "m e"),
        ("GOVERNOR_ANGRY", "angry1 angry2", 75, "", 3, _, 30, "m"),
        ("GOVERNOR_COUGH", "cough1 cough3", 50, "", 3, -10, 20, "m"),
        ("GOVERNOR_LAUGH", "laugh1 laugh2", 60, "", 3, -10, 25, "m"),
    ]),
    ("DOCKHAND", "characters", [
        ("DOCKHAND_SHOUT", "dk_shout dk_yell", 70, "R", 3, _, 50, "d"),
        ("DOCKHAND_HAUL", "haul1 haul2", 50, "P", 3, _, 20, "d"),
        ("DOCKHAND_WHISTLE", "whistle1 whistle3", 60, "", 3, 5, 40, "d"),
    ]),
    ("PATIENT", "characters", [
        ("PATIENT_MOAN", "moan1 moan2 moan3", 50, "PV", 3, _, 30, "y"),
        ("PATIENT_SCREAM", "scream1 scream2", 80, "P", 3, _, 60, "y"),
        ("PATIENT_GIGGLE", "giggle1 giggle3", 45, "P", 3, 15, 20, "y"),
    ]),
    ("MINER", "characters", [
        ("MINER_PICKAXE", "pickaxe1 pickaxe2", 60, "PV", 3, _, 35, "n"),
        ("MINER_SING", "sing1", _, "L", 3, _, 30, "n"),
        ("MINER_COUGH", "cough2 cough3", 50, "V", 3, _, 20, "n"),
    ]),
    ("ENGINEER", "characters", [
        ("ENGINEER_HINT", "hint1 hint2 hint3", 65, "", 3, _, _, "pr tr"),
        ("ENGINEER_WARN", "warn1 warn2", 70, "", 3, _, _, "f i x"),
        ("ENGINEER_THANKS", "thanks1", 60, "", 3, _, _, "tr"),
    ]),
    ("SKY_CAPTAIN", "characters", [
        ("CAPTAIN_ORDER", "order1 order2", 75, "", 3, _, 50, "a"),
        ("CAPTAIN_LAUGH", "laugh1 laugh3", 65, "", 3, -5, 30, "a"),
    ]),

    ("STEAM_GUARD", "creatures", [
        ("GUARD_ALERT", "grd_alr1 grd_alr2", 70, "P", 4, _, 40, "e k q f"),
        ("GUARD_IDLE", "grd_idl1 grd_idl2", 35, "R", 4, _, 20, "e k q f"),
        ("GUARD_ATTACK", "grd_atk1 grd_atk2", 75, "PV", 4, _, 35, "e k q f"),
        ("GUARD_HURT", "grd_hrt1 grd_hrt2", 70, "PV", 4, _, 30, "e k q f"),
        ("GUARD_DIE", "grd_die1", 80, "", 4, _, 40, "e k q f"),
        ("GUARD_STEP", "clank1 clank2", 40, "PV", 4, _, 20, "e k q f"),
        ("GUARD_VENT", "hiss1 hiss2", 45, "P", 4, _, 25, "e k q"),
    ]),
    ("CLOCKWORK_HOUND", "creatures", [
        ("HOUND_GROWL", "growl1 growl2", 55, "P", 4, _, 25, "c e"),
        ("HOUND_BARK", "bark1 bark2 bark3", 75, "P", 4, _, 50, "c e"),
        ("HOUND_BITE", "bite1 bite2", 70, "PV", 4, _, 15, "c e"),
        ("HOUND_HURT", "hnd_hrt1", 65, "P", 4, 10, 20, "c e"),
        ("HOUND_DIE", "hnd_die1", 70, "", 4, _, 30, "c e"),
    ]),
    ("SEWER_RAT", "creatures", [
        ("RAT_SQUEAK", "squeak1 squeak2 squeak3 squeak4", 45, "PV", 5, 20, 15, "g s n"),
        ("RAT_SCURRY", "scurry1 scurry2", 35, "P", 5, _, 15, "g s n"),
        ("RAT_BITE", "bite2 bite3", 50, "P", 5, 20, 10, "s"),
        ("RAT_DIE", "rat_die1", 55, "", 5, 20, 15, "s n g"),
    ]),
    ("BRASS_SPIDER", "creatures", [
        ("SPIDER_CLICK", "click1 click2 click3", 40, "PV", 5, _, 20, "y i"),
        ("SPIDER_LEAP", "leap1", 60, "P", 5, _, 25, "y i"),
        ("SPIDER_HISS", "hiss3", 50, "P", 5, 15, 20, "y i"),
        ("SPIDER_DIE", "spd_die1 spd_die2", 65, "", 5, _, 30, "y i"),
    ]),
    ("SMOG_WRAITH", "creatures", [
        ("WRAITH_MOAN", "wr_moan1 wr_moan2", 50, "L", 5, -20, 50, "q y"),
        ("WRAITH_SHRIEK", "shriek1", 85, "", 5, _, 70, "q y"),
        ("WRAITH_FADE", "fade1", 45, "", 5, _, 30, "q y"),
        ("WRAITH_DIE", "wr_die1", 70, "", 5, -10, 40, "q y"),
    ]),
    ("IRON_GOLEM", "creatures", [
        ("GOLEM_STOMP", "stomp1 stomp2", 80, "PV", 4, -20, 60, "i f"),
        ("GOLEM_ROAR", "roar1 roar2", 90, "", 4, -15, 80, "i"),
        ("GOLEM_SMASH", "smash1 smash2", 85, "PV", 4, _, 50, "i f"),
        ("GOLEM_HURT", "glm_hrt1", 75, "P", 4, -10, 40, "i f"),
        ("GOLEM_DIE", "glm_die1", 90, "", 4, -20, 80, "i f"),
        ("GOLEM_GEARS", "gear1 gear2", 40, "L", 4, _, 20, "i f"),
    ]),
    ("SKY_PIRATE", "creatures", [
        ("PIRATE_YELL", "yell1 yell2 yell3", 75, "R", 4, _, 50, "a d"),
        ("PIRATE_LAUGH", "laugh2 laugh3", 65, "R", 4, _, 35, "a"),
        ("PIRATE_ATTACK", "prt_atk1 prt_atk2", 75, "PV", 4, _, 30, "a d"),
        ("PIRATE_HURT", "prt_hrt1 prt_hrt2", 70, "PV", 4, _, 30, "a d"),
        ("PIRATE_DIE", "prt_die1", 80, "", 4, _, 40, "a d"),
    ]),
    ("CROW", "creatures", [
        ("CROW_CAW", "caw1 caw2 caw3 caw4 caw5", 50, "PV", 6, _, 60, "g r c"),
        ("CROW_FLAP", "flap1 flap2", 40, "P", 6, _, 30, "r c g"),
    ]),
    ("MOLE_DRILLER", "creatures", [
        ("DRILLER_BORE", "bore1", 75, "L", 5, _, 60, "n"),
        ("DRILLER_EMERGE", "emerge1", 85, "", 5, _, 60, "n"),
        ("DRILLER_HURT", "drl_hrt1", 70, "P", 5, _, 40, "n"),
        ("DRILLER_DIE", "drl_die1", 85, "", 5, -10, 60, "n"),
    ]),
    ("GEAR_BAT", "creatures", [
        ("BAT_SQUEAL", "squeak3 squeal1", 45, "PV", 6, 30, 20, "n s"),
        ("BAT_FLUTTER", "flutter1 flutter2", 35, "L", 6, _, 20, "n"),
        ("BAT_SWOOP", "swoop1", 50, "P", 6, _, 25, "n"),
    ]),
    ("BOILER_BEAST", "creatures", [
        ("BEAST_ROAR", "roar2 roar3", 95, "", 4, -10, 90, "f"),
        ("BEAST_BELLOW", "bellow1", 90, "", 4, -20, 90, "f"),
        ("BEAST_FLAME", "flame1 flame2", 80, "L", 4, _, 50, "f"),
        ("BEAST_HURT", "bst_hrt1 bst_hrt2", 85, "P", 4, _, 60, "f"),
        ("BEAST_DIE", "bst_die1", 99, "", 4, -25, 99, "f"),
        ("BEAST_STOMP", "stomp2 stomp3", 85, "PV", 4, -25, 70, "f"),
        ("BEAST_GROWL", "growl2 growl3", 70, "P", 4, -20, 50, "f"),
    ]),
    ("AUTOMATON_BUTLER", "creatures", [
        ("BUTLER_GREET", "btl_hi1", 55, "", 5, _, 20, "m"),
        ("BUTLER_WHIRR", "whirr1", 35, "L", 5, _, 15, "m"),
        ("BUTLER_ATTACK", "btl_atk1 btl_atk2", 70, "PV", 5, _, 25, "m"),
        ("BUTLER_BREAK", "btl_brk1", 80, "", 5, _, 40, "m"),
    ]),
    ("SLUDGE_EEL", "creatures", [
        ("EEL_HISS", "eel_hss1", 55, "P", 5, 10, 25, "s"),
        ("EEL_SPLASH", "splash1 splash2", 65, "PV", 5, _, 40, "s d"),
        ("EEL_BITE", "eel_bit1", 70, "P", 5, _, 20, "s"),
        ("EEL_DIE", "eel_die1", 70, "", 5, _, 30, "s"),
    ]),
    ("ENGINE_TYRANT", "creatures", [
        ("TYRANT_ROAR", "roar1 roar3 tyr_roar", 99, "", 4, -30, 99, "x"),
        ("TYRANT_PISTON", "tyr_pst1 tyr_pst2", 85, "L", 4, _, 80, "x"),
        ("TYRANT_VENT", "hiss2 hiss4", 80, "", 4, -15, 70, "x"),
        ("TYRANT_HURT", "tyr_hrt1 tyr_hrt2", 90, "P", 4, -10, 90, "x"),
        ("TYRANT_DIE", "tyr_die1", 99, "", 4, -30, 99, "x"),
        ("TYRANT_CORE", "core1", 60, "L", 4, _, 40, "x"),
    ]),
    ("SENTRY_TURRET", "creatures", [
        ("TURRET_WAKE", "trt_wake", 60, "", 5, _, 30, "e i x"),
        ("TURRET_TURN", "servo1 servo2", 35, "L", 5, _, 20, "e i x"),
        ("TURRET_FIRE", "trt_fire", 80, "PV", 5, _, 60, "e i x"),
        ("TURRET_DIE", "trt_die1", 75, "", 5, _, 40, "e i x"),
    ]),

    ("WOODEN_DOOR", "mechanisms", [
        ("DOOR_CREAK_OPEN", "creak1 creak2", 50, "P", 6, _, 30, "g"),
        ("DOOR_CREAK_SHUT", "creak3 doorshut", 55, "P", 6, _, 30, "g"),
        ("DOOR_LOCKED", "locked1", 50, "", 6, _, 20, "g"),
        ("DOOR_KNOCK", "knock1 knock2", 60, "", 6, _, 30, "g m k"),
        ("DOOR_UNLOCK", "unlock1", 50, "", 6, _, 20, "g"),
    ]),
    ("IRON_DOOR", "mechanisms", [
        ("IRONDOOR_OPEN", "irn_opn1", 65, "", 6, -5, 40, "g f i e"),
        ("IRONDOOR_SHUT", "irn_sht1", 70, "", 6, -5, 40, "g f i e"),
        ("IRONDOOR_SLAM", "slam1 slam2", 85, "P", 6, -10, 60, "g f i"),
    ]),
    ("VAULT_DOOR", "mechanisms", [
        ("VAULT_UNLOCK", "vlt_unl1", 60, "", 6, _, 30, "e"),
        ("VAULT_SPIN", "vlt_spin", 55, "L", 6, _, 30, "e"),
        ("VAULT_OPEN", "vlt_opn1", 75, "", 6, -10, 50, "e"),
        ("VAULT_ALARM", "alarm1", 90, "L", 6, _, 90, "e m"),
    ]),
    ("LIFT_CAGE", "mechanisms", [
        ("LIFT_START", "lift_st1", 60, "", 6, _, 40, "g c n f"),
        ("LIFT_LOOP", "lift_lp1", 45, "L", 6, _, 40, "g c n f"),
        ("LIFT_STOP", "lift_sp1", 60, "", 6, _, 40, "g c n f"),
        ("LIFT_BELL", "bell1", 50, "", 6, 10, 30, "c m"),
    ]),
    ("STEAM_VALVE", "mechanisms", [
        ("STEAM_VALVE_HISS", "hiss1 hiss4", 55, "L", 6, _, 30, "f i s"),
        ("VALVE_TURN", "valve1 valve2", 50, "P", 6, _, 20, "f i s"),
        ("VALVE_STUCK", "stuck1", 55, "", 6, _, 20, "f i"),
        ("VALVE_BURST", "steam1 steam2", 80, "", 6, _, 50, "f i"),
    ]),
    ("WALL_LEVER", "mechanisms", [
        ("LEVER_PULL", "lever1 lever2", 55, "P", 6, _, 25, "g"),
        ("LEVER_RESET", "lever3", 50, "", 6, _, 25, "g"),
        ("LEVER_JAMMED", "jammed1", 55, "", 6, _, 20, "f n"),
    ]),
    ("DRAWBRIDGE", "mechanisms", [
        ("BRIDGE_LOWER", "brg_low1", 75, "L", 6, -10, 70, "d"),
        ("BRIDGE_RAISE", "brg_up1", 75, "L", 6, -10, 70, "d"),
        ("BRIDGE_THUD", "thud1 thud2", 90, "", 6, -20, 80, "d"),
    ]),
    ("SEWER_GRATE", "mechanisms", [
        ("GRATE_RISE", "grate1", 60, "", 6, _, 30, "s"),
        ("GRATE_FALL", "grate2 slam2", 75, "", 6, _, 40, "s"),
    ]),
    ("CONVEYOR_BELT", "mechanisms", [
        ("CONVEYOR_START", "cnv_st1", 55, "", 6, _, 40, "f i"),
        ("CONVEYOR_RUN", "cnv_run1 cnv_run2", 45, "L", 6, _, 40, "f i"),
        ("CONVEYOR_STOP", "cnv_sp1", 55, "", 6, _, 40, "f i"),
    ]),
    ("PISTON_PRESS", "mechanisms", [
        ("PRESS_SLAM", "slam1 slam3", 90, "PV", 6, _, 60, "f i"),
        ("PRESS_HISS", "hiss1 hiss2", 60, "P", 6, _, 40, "f i"),
        ("PRESS_RISE", "prs_rise", 55, "", 6, _, 40, "f i"),
    ]),
    ("TRAPDOOR", "mechanisms", [
        ("TRAPDOOR_OPEN", "trap1", 65, "", 6, _, 30, "g m y"),
        ("TRAPDOOR_FALL", "trap2 thud2", 75, "", 6, _, 40, "m y g"),
    ]),
    ("GEAR_PUZZLE", "mechanisms", [
        ("GEAR_TURN", "gear1 gear3", 50, "PL", 6, _, 25, "c"),
        ("GEAR_JAM", "gear_jam", 65, "", 6, _, 30, "c"),
        ("GEAR_CLICK", "click2 click4", 45, "P", 6, _, 20, "c tr"),
        ("PUZZLE_SOLVED", "solved1", 80, "", 8, _, _, "c m y"),
        ("PUZZLE_RESET", "reset1", 60, "", 8, _, _, "c m y"),
    ]),
    ("WALL_SAFE", "mechanisms", [
        ("SAFE_DIAL", "dial1 dial2 dial3", 40, "P", 6, _, 10, "m e"),
        ("SAFE_OPEN", "safe_opn", 60, "", 6, _, 20, "m e"),
        ("SAFE_FAIL", "safe_bzz", 55, "", 6, _, 20, "m e"),
    ]),
    ("MINE_CART", "mechanisms", [
        ("CART_ROLL", "cart1 cart2", 60, "L", 6, _, 60, "n p"),
        ("CART_BRAKE", "brake1", 75, "", 6, _, 60, "n p"),
        ("CART_CRASH", "crash1 crash2", 90, "", 6, _, 80, "n p"),
    ]),
    ("AIRSHIP", "mechanisms", [
        ("AIRSHIP_ENGINE", "air_eng1", 70, "L", 7, _, 90, "a pr"),
        ("AIRSHIP_HORN", "ship_hrn", 90, "", 7, -15, 99, "a d pr"),
        ("AIRSHIP_CREAK", "creak1 creak3", 40, "R", 7, _, 40, "a"),
        ("AIRSHIP_PROPS", "props1", 65, "L", 7, _, 70, "a"),
    ]),
    ("STEAM_TRAM", "mechanisms", [
        ("TRAM_BELL", "bell1 bell2", 70, "", 6, _, 60, "p k"),
        ("TRAM_DEPART", "tram_go", 75, "", 6, _, 70, "p"),
        ("TRAM_BRAKE", "brake1 brake2", 70, "", 6, _, 60, "p"),
    ]),
    ("TOWER_CLOCK", "mechanisms", [
        ("CLOCK_TICK", "tick1 tick2", 35, "L", 7, _, 30, "c"),
        ("CLOCK_BELL", "bell3 bell4", 95, "", 7, -20, 99, "c k"),
        ("CLOCK_GEARS", "gear2 gear3", 45, "L", 7, _, 40, "c"),
    ]),
    ("FURNACE_DOOR", "mechanisms", [
        ("FURNACE_OPEN", "fur_opn1", 70, "", 6, _, 40, "f"),
        ("FURNACE_SHUT", "fur_sht1 slam3", 75, "", 6, _, 40, "f"),
    ]),
    ("DOCK_CRANE", "mechanisms", [
        ("CRANE_MOVE", "crane1", 55, "L", 6, _, 60, "d f"),
        ("CRANE_DROP", "thud1 crane2", 85, "", 6, _, 70, "d f"),
        ("CRANE_REEL", "reel1 reel2", 50, "L", 6, _, 50, "d"),
    ]),
    ("STEAM_ORGAN", "mechanisms", [
        ("ORGAN_NOTE_LOW", "org_low1 org_low2", 70, "", 7, -20, 60, "m"),
        ("ORGAN_NOTE_HIGH", "org_hi1 org_hi2", 70, "", 7, 20, 60, "m"),
        ("ORGAN_FANFARE", "fanfare1", 85, "", 7, _, 80, "m"),
    ]),

    ("SWORD_CANE", "weapons", [
        ("CANE_SWING", "swing1 swing2 swing3", 55, "PV", 2, _, _, "g"),
        ("CANE_HIT", "hit1 hit2 hit3", 70, "PV", 2, _, _, "g"),
        ("CANE_PARRY", "parry1 parry2", 70, "P", 2, _, _, "g"),
        ("CANE_DRAW", "draw1", 50, "", 2, _, _, "g"),
        ("CANE_SHEATHE", "sheathe1", 45, "", 2, _, _, "g"),
    ]),
    ("STEAM_PISTOL", "weapons", [
        ("PISTOL_FIRE", "pistol1 pistol2", 85, "PV", 2, _, 70, "g"),
        ("PISTOL_RELOAD", "reload1 reload2", 55, "", 2, _, 20, "g"),
        ("PISTOL_EMPTY", "dry_fire", 50, "", 2, _, 10, "g"),
        ("BULLET_WHINE", "whine1 whine2 whine3", 60, "PV", 5, _, 40, "g"),
        ("BULLET_IMPACT", "imp_bul1 imp_bul2", 65, "PV", 5, _, 30, "g"),
    ]),
    ("TESLA_GUN", "weapons", [
        ("TESLA_SPOOL", "spool1", 60, "", 2, _, 30, "i x"),
        ("TESLA_FIRE", "tesla1 tesla2", 85, "P", 2, _, 60, "i x"),
        ("TESLA_ZAP", "zap1 spark1", 75, "PV", 2, _, 40, "g"),
        ("TESLA_OVERLOAD", "overload", 90, "", 2, _, 60, "i x"),
    ]),
    ("BLUNDERBUSS", "weapons", [
        ("BUSS_FIRE", "buss1", 95, "P", 2, -10, 90, "a d"),
        ("BUSS_RELOAD", "buss_ld1 buss_ld2", 60, "", 2, _, 20, "a d"),
    ]),
    ("GRAPPLE_HOOK", "weapons", [
        ("GRAPPLE_FIRE", "grap1", 70, "P", 2, _, 40, "r c a"),
        ("GRAPPLE_REEL", "reel1 reel3", 55, "L", 2, _, 30, "r c a"),
        ("GRAPPLE_HIT", "grap_hit", 65, "", 2, _, 30, "r c a"),
        ("GRAPPLE_MISS", "grap_mis", 55, "", 2, _, 30, "r c a"),
    ]),
    ("FUSE_BOMB", "weapons", [
        ("BOMB_FUSE", "fuse1", 50, "L", 5, _, 30, "g"),
        ("BOMB_BLAST", "boom1 boom2", 99, "", 5, _, 99, "g"),
        ("BOMB_THROW", "throw1", 45, "", 5, _, 20, "g"),
        ("BOMB_BOUNCE", "bounce1 bounce2", 45, "PV", 5, _, 20, "g"),
    ]),
    ("SPANNER", "weapons", [
        ("SPANNER_SWING", "swing2 swing4", 55, "PV", 2, -10, _, "f tr"),
        ("SPANNER_HIT", "clank2 hit4", 70, "PV", 2, _, _, "f tr"),
    ]),
    ("FLAMER", "weapons", [
        ("FLAMER_START", "flm_st1", 70, "", 2, _, 40, "f x"),
        ("FLAMER_LOOP", "flame1 flame3", 75, "L", 2, _, 50, "f x"),
        ("FLAMER_END", "flm_end1", 60, "", 2, _, 40, "f x"),
    ]),
    ("GUARD_RIFLE", "weapons", [
        ("RIFLE_FIRE", "rifle1 rifle2", 90, "PV", 4, _, 90, "e k q"),
        ("RIFLE_BOLT", "rfl_bolt", 55, "", 4, _, 20, "e k q"),
    ]),
    ("STUN_BATON", "weapons", [
        ("BATON_ZAP", "zap1 zap2", 70, "PV", 4, _, 25, "e q y"),
        ("BATON_SWING", "swing3 swing5", 55, "PV", 4, 10, 20, "e q y"),
    ]),

    ("COIN", "pickups", [
        ("COIN_PICKUP", "coin1 coin2", 50, "P", 8, _, _, "g"),
        ("COIN_PILE", "coins1", 60, "", 8, _, _, "g"),
        ("COIN_DROP", "coin3 coin4", 45, "PV", 8, _, 20, "k e"),
    ]),
    ("HEALTH_TONIC", "pickups", [
        ("TONIC_PICKUP", "tonic1", 55, "", 8, _, _, "g"),
        ("TONIC_DRINK", "gulp1 gulp2", 60, "", 8, _, _, "g"),
    ]),
    ("AMMO_BOX", "pickups", [
        ("AMMO_PICKUP", "ammo1", 55, "", 8, _, _, "g"),
        ("AMMO_FULL", "ammo_ful", 45, "", 8, _, _, "g"),
    ]),
    ("BRASS_KEY", "pickups", [
        ("KEY_PICKUP", "keys1 keys2", 55, "", 8, _, _, "g"),
        ("KEY_USE", "unlock1 keys3", 55, "", 6, _, 20, "g"),
        ("KEY_WRONG", "key_bad", 50, "", 8, _, _, "g"),
    ]),
    ("BLUEPRINT", "pickups", [
        ("BLUEPRINT_FOUND", "paper1 fanfare2", 75, "", 8, _, _, "g"),
    ]),
    ("GEAR_PART", "pickups", [
        ("PART_PICKUP", "part1 part2", 50, "P", 8, _, _, "f i c"),
    ]),
    ("POCKET_CLOCK", "pickups", [
        ("TIMEPIECE_GET", "tick3 fanfare2", 60, "", 8, _, _, "c"),
    ]),
    ("AIR_CANISTER", "pickups", [
        ("AIR_PICKUP", "air_can1", 55, "", 8, _, _, "s n"),
        ("AIR_REFILL", "refill1", 50, "", 8, _, _, "s n"),
    ]),
    ("LETTER", "pickups", [
        ("DOCUMENT_READ", "paper1 paper2", 45, "", 8, _, _, "g"),
        ("DOCUMENT_PAGE", "page1 page2 page3", 40, "R", 8, _, _, "g"),
    ]),
    ("ARMOUR_PLATE", "pickups", [
        ("ARMOUR_PICKUP", "armour1", 60, "", 8, _, _, "g"),
    ]),
    ("TOOLKIT", "pickups", [
        ("TOOLKIT_GET", "toolkit1", 55, "", 8, _, _, "f i n"),
    ]),

    ("HARBOUR_AMBIENCE", "ambience", [
        ("WAVES_LAP", "waves1 waves2", 25, "L", 7, _, 80, "d"),
        ("GULLS_DISTANT", "gull1 gull2 gull3 gull4", _, "R", 7, _, 90, "d a"),
        ("SHIP_HORN_FAR", "ship_hrn horn_far", 40, "R", 7, -10, 99, "d"),
        ("ROPE_CREAK", "creak2 rope1", 30, "R", 7, _, 40, "d"),
        ("BUOY_BELL", "bell2 buoy1", 35, "R", 7, _, 90, "d"),
    ]),
    ("FOUNDRY_AMBIENCE", "ambience", [
        ("FURNACE_ROAR", "furnace1", 45, "L", 7, _, 70, "f"),
        ("ANVIL_RING", "anvil1 anvil2 anvil3 anvil4", 55, "R", 7, _, 60, "f"),
        ("MOLTEN_POUR", "molten1", 50, "L", 7, _, 50, "f i"),
        ("BELLOWS_PUMP", "bellows1", 40, "L", 7, _, 40, "f"),
    ]),
    ("SEWER_AMBIENCE", "ambience", [
        ("SEWER_FLOW", "flow1", 35, "L", 7, _, 70, "s"),
        ("SEWER_DRIP", "drip1 drip2 drip3", 30, "R", 7, _, 40, "s"),
        ("PIPE_GURGLE", "gurgle1 gurgle2", 35, "R", 7, _, 40, "s"),
        ("DRIP_CAVERN", "drip2 drip4", _, "R", 7, _, 60, "s n"),
    ]),
    ("STREET_AMBIENCE", "ambience", [
        ("CROWD_MURMUR", "crowd1", 30, "L", 7, _, 80, "k e"),
        ("CARRIAGE_PASS", "carriage hoof1", 50, "", 7, _, 80, "k q e"),
        ("DISTANT_BELLS", "bell1 bell3", 30, "R", 7, _, 99, "k e q r"),
        ("STREET_ORGAN", "st_organ", 40, "L", 7, _, 50, "k"),
        ("DOG_BARK_FAR", "bark2 bark4", _, "R", _, _, 99, "k q"),
        ("HORSE_CLOP", "hoof1 hoof2", _, "L", 7, _, 60, "k"),
    ]),
    ("WEATHER", "ambience", [
        ("WIND_HOWL", "wind1 wind2", 40, "L", 7, _, _, "r c a"),
        ("WIND_GUST", "gust1 gust2 gust3", 45, "R", 7, _, _, "r c a"),
        ("WIND_LIGHT", "wind3", 25, "L", 7, _, _, "g"),
        ("RAIN_LIGHT", "rain1", 30, "L", 7, _, _, "g d q r"),
        ("RAIN_HEAVY", "rain2", 45, "L", 7, _, _, "q r g"),
        ("THUNDER_ROLL", "thunder1 thunder2", 70, "R", 7, -10, _, "g r c"),
        ("THUNDER_CRACK", "thunder3", 90, "R", 7, _, _, "g r c"),
    ]),
    ("MINE_AMBIENCE", "ambience", [
        ("MINE_RUMBLE", "rumble1 rumble2", 45, "L", 7, -20, 99, "n"),
        ("ROCK_TRICKLE", "pebble1 pebble2", 35, "R", 7, _, 40, "n"),
        ("CART_DISTANT", "cart2 cart3", _, "R", 7, -10, 90, "n"),
        ("MINE_DRIP", "drip1 drip4", 30, "R", 7, _, 40, "n"),
    ]),
    ("MANOR_AMBIENCE", "ambience", [
        ("MANOR_CLOCK", "tick1 tick3", 30, "L", 7, -10, 30, "m"),
        ("FIREPLACE_CRACKLE", "fire_lp1", 35, "L", 7, _, 30, "m k"),
        ("PIANO_DISTANT", "piano1", 25, "L", 7, _, 60, "m"),
        ("MANOR_CREAKS", "creak2 creak4", _, "R", 7, _, 50, "m"),
    ]),
    ("ENGINE_AMBIENCE", "ambience", [
        ("ENGINE_HUM", "hum3", 40, "L", 7, -20, 99, "x i"),
        ("PISTON_LOOP", "piston1", 50, "L", 7, _, 70, "x i f"),
        ("BOILER_BUBBLE", "bubble1 bubble2", 40, "L", 7, _, 50, "x f"),
        ("ENGINE_THROB", "throb1", 55, "L", 7, -30, 99, "x"),
    ]),
    ("ASYLUM_AMBIENCE", "ambience", [
        ("WHISPERS", "whisper1 whisper2", _, "R", _, _, 40, "y"),
        ("ASYLUM_SCREAM_DISTANT", "scream2 scream3", _, "R", 7, -10, 99, "y"),
        ("IRON_RATTLE", "rattle1 rattle2", 40, "R", 7, _, 40, "y s"),
        ("ASYLUM_WIND", "wind2 wind4", 30, "L", 7, _, _, "y"),
    ]),
    ("PIPEWORK", "ambience", [
        ("PIPE_HISS_LOOP", "hiss4", 30, "L", 7, _, 30, "g f s i"),
        ("PIPE_KNOCK", "knock2 knock3", 40, "R", 7, _, 40, "s m g"),
        ("PIPE_GROAN", "groan1", 35, "R", 7, -10, 50, "s i"),
    ]),
    ("BANK_AMBIENCE", "ambience", [
        ("TICKER_TAPE", "ticker1", 35, "L", 7, _, 30, "e"),
        ("BANKER_MURMUR", "crowd2", 30, "L", 7, _, 60, "e"),
        ("TYPEWRITER", "type1 type2 type3", 40, "R", _, _, 25, "e m"),
    ]),
    ("AIRYARD_AMBIENCE", "ambience", [
        ("HANGAR_WIND", "wind1 wind4", 35, "L", 7, _, _, "a"),
        ("PROPELLER_FAR", "props1 props2", _, "L", 7, -15, 99, "a"),
        ("MOORING_CREAK", "rope1 rope2", 30, "R", 7, _, 40, "a d"),
    ]),

    ("EXPLOSION", "effects", [
        ("EXPLODE_SMALL", "boom3", 85, "PV", 5, _, 80, "g"),
        ("EXPLODE_LARGE", "boom1 boom2", 99, "", 5, -10, 99, "g"),
        ("EXPLODE_FAR", "boom_far", 60, "", 5, -20, 99, "f i x"),
        ("DEBRIS_FALL", "debris1 debris2", 65, "R", 5, _, 60, "g"),
    ]),
    ("GLASS", "effects", [
        ("GLASS_BREAK", "glass1 glass2 glass3 glass4", 75, "PV", 5, _, 50, "g"),
        ("GLASS_TINKLE", "glass1 tinkle1 tinkle2", 45, "PV", 5, 10, 30, "g"),
    ]),
    ("WATER_FX", "effects", [
        ("SPLASH_SMALL", "splash1 splash3", 55, "PV", 5, _, 30, "g"),
        ("SPLASH_LARGE", "splash2 splash4", 80, "", 5, -10, 60, "g s d n"),
        ("BUBBLE", "bubble1 bubble3", 35, "R", 5, _, 20, "g s d"),
        ("WATER_POUR", "pour1 pour2", 40, "L", 5, _, 25, "k m"),
    ]),
    ("FIRE_FX", "effects", [
        ("FIRE_IGNITE", "ignite1", 65, "", 5, _, 40, "g"),
        ("FIRE_LOOP", "fire_lp1 fire_lp2", 45, "L", 5, _, 40, "g"),
        ("FIZZLE", "fizzle1", 45, "", 5, _, 30, "g"),
    ]),
    ("ELECTRIC_FX", "effects", [
        ("SPARK_SHOWER", "spark1 spark2 spark3 spark4", 60, "PV", 5, _, 40, "g"),
        ("SPARK_SINGLE", "spark4", 45, "P", 5, _, 25, "g"),
        ("BUZZ", "buzz1", 50, "L", 5, _, 40, "i x y"),
        ("SHORT_CIRCUIT", "spark2 fizzle2", 70, "", 5, _, 40, "i x"),
    ]),
    ("STEAM_FX", "effects", [
        ("STEAM_BURST", "steam1 steam3", 75, "PV", 5, _, 50, "g"),
        ("STEAM_JET_LOOP", "steam4", 55, "L", 5, _, 40, "f i x"),
        ("STEAM_PUFF", "steam2 puff1", 45, "PV", 5, _, 25, "g"),
    ]),
    ("WOODEN_CRATE", "effects", [
        ("CRATE_BREAK", "wood1 wood2 wood3", 75, "PV", 5, _, 40, "g"),
        ("CRATE_PUSH", "scrape1", 50, "L", 5, _, 25, "g"),
        ("CRATE_LAND", "thud1 thud3", 70, "PV", 5, _, 40, "g"),
    ]),
    ("BARREL", "effects", [
        ("BARREL_ROLL", "brl_roll", 55, "L", 5, _, 40, "g d f n"),
        ("BARREL_BURST", "wood2 brl_brst", 80, "", 5, _, 50, "d f g"),
    ]),
    ("BODY", "effects", [
        ("BODY_FALL", "thud2 thud3 body1", 65, "PV", 5, _, 30, "g"),
        ("BONE_SNAP", "snap1 snap2", 70, "P", 5, _, 25, "g"),
        ("BODY_SPLASH", "splash3 splash4", 70, "P", 5, _, 40, "g"),
    ]),
    ("METAL_DEBRIS", "effects", [
        ("METAL_CLANK", "clank1 clank3", 65, "PV", 5, _, 40, "g"),
        ("METAL_SCRAPE", "scrape2 scrape3", 55, "L", 5, _, 35, "f i"),
        ("METAL_BEND", "bend1", 70, "", 5, -10, 40, "f i x"),
    ]),
    ("ROCKFALL", "effects", [
        ("ROCKS", "rocks1 rocks2 rocks3", 85, "", 5, -10, 80, "n"),
        ("BOULDER_ROLL", "boulder1", 80, "L", 5, -20, 80, "n s"),
    ]),
    ("IMPACTS", "effects", [
        ("IMPACT_SOFT", "imp_soft", 50, "PV", 5, _, 25, "g"),
        ("IMPACT_HARD", "imp_hard hit4", 70, "PV", 5, _, 35, "g"),
        ("IMPACT_METAL", "clank1 imp_met", 70, "PV", 5, _, 35, "g"),
        ("IMPACT_WOOD", "wood1 imp_wood", 65, "PV", 5, _, 35, "g"),
    ]),

    ("MENU", "interface", [
        ("MENU_OPEN", "menu_opn", 60, "", 8, _, _, "g"),
        ("MENU_SELECT", "menu_sel", 60, "", 8, _, _, "g"),
        ("MENU_MOVE", "menu_mv", 50, "", 8, _, _, "g"),
        ("MENU_BACK", "menu_bk", 55, "", 8, _, _, ""),
        ("MENU_ERROR", "menu_err", 60, "", 8, _, _, "g"),
        ("MENU_SLIDER", "menu_mv tick2", 45, "", 8, _, _, ""),
    ]),
    ("HUD", "interface", [
        ("GAME_SAVED", "saved1", 65, "", 8, _, _, ""),
        ("SECRET_FOUND", "secret1", 75, "", 8, _, _, "g"),
        ("OBJECTIVE_DONE", "obj_done", 75, "", 8, _, _, "g"),
        ("LOW_AIR_WARN", "air_warn", 70, "L", 8, _, _, "g"),
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
        for sid in PROTECTED_IDS:
            if set(ordered[sid][7].split()) - {GENERIC_LETTER}:
                problems.append("protected sound %d carries level letters" % sid)
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


def write_text(path, lines):
    data = "".join(line + EOL for line in lines).encode(ENCODING)
    path.write_bytes(data)


def write_files(outdir):
    outdir = Path(outdir)
    outdir.mkdir(parents=True, exist_ok=True)
    write_text(outdir / "Kestrel.tow", wad_lines())
    write_text(outdir / "Kestrel.tos", build_lines())
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
    print("Wrote %s and %s" % (outdir / "Kestrel.tow", outdir / "Kestrel.tos"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
