#!/usr/bin/env python3
# Kestrel end to end: the built program itself, on a fresh demo installation,
# driven by control scripts (KESTREL_SCRIPT) as a user would drive it, and
# every file it leaves behind compared byte for byte.
#
#     e2e_test.py --kestrel PATH --sndpack PATH [unittest arguments]
#
# In the scripts below, "; " separates steps as a new line does.

import argparse
import os
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
KESTREL = SNDPACK = ""
SFX_DIR = Path("editor/sound/LevelSFX Creator")
SOUNDS = SFX_DIR / "Sounds.txt"
ORIG = SFX_DIR / "Orig_Sounds.txt"
WADS = Path("editor/graphics/wads")
PAR = Path("app/Kestrel.par")
# Where the window was left, written at each close (and so left out of the
# comparisons below).
WINDOW = Path("app/Kestrel.ini")
# The custom lines of the current WAD: the sounds whose samples differ from
# their default line (the demo renamed one of GLASS_TINKLE's).
CUSTOM = Path("app/sounds/FOUNDRY.tor")
HISTORY = Path("app/history")
APPLY = "click CdValidW; answer Yes sounds.txt\n"
BUILD = "click CdCopy; answer Ok FOUNDRY\n"


class Installation:
    """A demo installation in a temporary folder, and runs of Kestrel on it."""

    def __init__(self, folder=""):
        self.tmp = tempfile.TemporaryDirectory(prefix="kestrel-e2e-")
        self.root = Path(self.tmp.name) / folder
        subprocess.run([sys.executable, str(REPO / "demo/make_demo.py"), str(self.root),
                        "--sndpack", SNDPACK], check=True, stdout=subprocess.DEVNULL)

    def run(self, script):
        path = self.root / "script.txt"
        path.write_text(script.replace("; ", "\n"))
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", KESTREL_SCRIPT=str(path),
                   QT_LOGGING_RULES="*.warning=false")
        done = subprocess.run([KESTREL, "--appdir", str(self.root / "app")], env=env,
                              capture_output=True, text=True, timeout=180)
        path.unlink()
        if done.returncode != 0:
            raise AssertionError(f"kestrel exited {done.returncode}:\n{done.stderr}")

    def files(self):
        return {p.relative_to(self.root): p.read_bytes() for p in self.root.rglob("*") if p.is_file()}

    def lines(self):
        return (self.root / SOUNDS).read_bytes().split(b"\r\n")


def samples_of(line):
    """The sample names of a sound line: its first field after the name."""
    fields = [f for f in line.split(b"\t")[1:] if f]
    return {w.lower() + b".wav" for w in fields[0].split(b" ") if w} if fields else set()


def tags_of(line):
    return {w for f in line.split(b"\t") for w in f.split(b" ") if w.startswith(b"#")}


def without_tag(line, tag):
    return b"\t".join(b" ".join(w for w in f.split(b" ") if w != tag) for f in line.split(b"\t")).rstrip()


def tagged_samples(lines):
    return set().union(*(samples_of(line) for line in lines if b"#f" in tags_of(line)))


class EndToEnd(unittest.TestCase):
    def setUp(self):
        self.inst = Installation()
        self.addCleanup(self.inst.tmp.cleanup)
        self.before = self.inst.files()
        self.original = self.before[SOUNDS].split(b"\r\n")

    def assertChanged(self, expected, kept=0):
        """The files changed are `expected`, plus `kept` versions in the history."""
        after = self.inst.files()
        changed = {p for p in self.before.keys() | after.keys()
                   if self.before.get(p) != after.get(p) and p != WINDOW}
        history = {p for p in changed if p.parts[:2] == HISTORY.parts}
        self.assertEqual(changed - history, set(map(Path, expected)))
        self.assertEqual(len(history), kept, sorted(history))

    def assertApplied(self, *others):
        """Sounds.txt applied once: backed up, custom lines written, old version kept."""
        self.assertChanged([SOUNDS, ORIG, CUSTOM, *others], kept=1)
        self.assertEqual(self.kept(), [self.before[SOUNDS]])
        lines = self.inst.lines()
        glass = next(i for i, line in enumerate(lines) if line.startswith(b"GLASS_TINKLE:"))
        self.assertEqual(self.inst.files()[CUSTOM], b'%d,"%s"\r\n' % (glass, lines[glass]))

    def kept(self):
        """The kept versions of Sounds.txt, oldest first."""
        files = self.inst.files()
        return [files[p] for p in sorted(files) if p.parent == HISTORY]

    def assertOnlyGainedTheLetter(self):
        """The lines changed gained #f and nothing else; their numbers."""
        now = self.inst.lines()
        touched = {i for i, (a, b) in enumerate(zip(self.original, now)) if a != b}
        for i in touched:
            self.assertEqual(tags_of(now[i]) - tags_of(self.original[i]), {b"#f"}, now[i])
            self.assertEqual(without_tag(now[i], b"#f"), without_tag(self.original[i], b"#f"))
        return touched

    def test_typical_road_changes_one_value_and_backs_the_file_up_once(self):
        # The box left for a button is judged before the button acts; Return
        # in a box accepts the values.
        self.inst.run("""
            expect FmSFX windowIcon 64x64
            row LiSFX 3; expect FrOrig title Line in sounds.txt = PLAYER_CLIMB:
            type TxVOL 40; click CdMajVal
            expect CdUndo toolTip Undo: accept the values of sound 3 (Ctrl+Z)
            type TxPIT 150; key TxPIT Return; expect TxPIT text 99
        """ + APPLY + "quit")
        self.assertApplied()
        expected = list(self.original)
        # The click on the row also gave the sound the current letter, #f.
        expected[3] = expected[3].replace(b"VOL35", b"VOL40").replace(b"CH01\t\t", b"CH01\tPIT99\t") + b" #f"
        self.assertEqual(self.inst.lines(), expected)

        # A second Apply keeps the first backup; the line came back whole.
        self.inst.run("row LiSFX 3; click CdRstWAD\n" + APPLY + "quit")
        self.assertEqual(self.inst.files()[ORIG], self.before[SOUNDS])
        self.assertEqual(self.inst.lines()[3], self.original[3])

    def test_letters_by_row_key_and_object_touch_only_their_lines(self):
        # Row 0 opens at start; a protected row is refused and Down steps on
        # from it; Space gives the letter to the row the keys stepped to; Tab
        # reads the window in order (leaving the letter box asks about a letter
        # of the WAD table); the keys open an object's sounds; the object dialog
        # takes the new language at once.
        tab_order = ("TxVOL TxCH TxPIT TxRAD CkP CkV CkR CkN CkL CdMajVal LiSamp TxSamp CdPlay "
                     "CdRename LiWAD CdRstWAD TxLett").split()
        self.inst.run("""
            expect FrOrig title Line in sounds.txt = PLAYER_DIE:
            row LiSFX 27; answer Ok should not be modified
            expect FrOrig title Line in sounds.txt
            key LiSFX Down; expect FrOrig title Line in sounds.txt = INVENTOR_EUREKA_SHOUT:
            row LiSFX 40; row LiSFX 41; row LiSFX 41
            key LiSFX Down; key LiSFX Space; focus-is LiSFX
        """ + "".join(f"key - Tab; focus-is {name}\n" for name in tab_order) + """
            key - Tab; answer Ok Foundry; focus-is CdAddWAD
            click CdOBJ; row FmObjet/CbType 1; row FmObjet/LiOBJ 0
            key FmObjet/LiSID Down; key FmObjet/LiSID Down; expect LiSFX currentRow 2
            click FmObjet/CdOK
            click CdAddWAD; click OpLang1
            expect FmObjet/Label3 text Choisir l'objet à Ajouter/Enlever
            click CdEfface; expect TxObjet text
        """ + APPLY + "quit")
        touched = self.assertOnlyGainedTheLetter()
        self.assertLessEqual({40, 42}, touched)  # clicked, and stepped to with Space
        self.assertNotIn(41, touched)  # given and taken back
        self.assertGreater(len(touched), 2)  # and the object's sounds

    def test_undo_redo_the_question_at_close_and_a_version_restored(self):
        # A row click gives #f; undone and redone by button and by key. The
        # Changes window (Ctrl+D) opens a sound by double click and reverts
        # one, a step Ctrl+Z takes back; in a text box Ctrl+Z undoes the typing.
        one = "expect LbChanges text 1 sound changed, not applied"
        self.inst.run(f"""
            row LiSFX 40; {one}
            expect CdUndo toolTip Undo: give #f to 1 sound (Ctrl+Z)
            click CdUndo; expect LbChanges text; expect CdUndo enabled false
            click CdRedo; key LiSFX Ctrl+Z; expect LbChanges text
            key LiSFX Ctrl+Shift+Z; {one}
            key LiSFX Ctrl+Z; key LiSFX Ctrl+Y; {one}
            key LiSFX Home; key LiSFX Ctrl+D
            double-row FmChanges/LiChanges 0; expect LiSFX currentRow 40
            key LiSFX Ctrl+D; row FmChanges/LiChanges 0; click FmChanges/CdRevert
            expect LbChanges text; key - Escape
            key LiSFX Ctrl+Z
            type TxVOL 7; key TxVOL Ctrl+Z; expect TxVOL text 45; {one}
            {APPLY}
            expect LbChanges text Sounds.txt written: 1 sound changed; quit
        """)
        applied = self.inst.lines()
        self.assertEqual(applied[40], self.original[40] + b" #f")
        self.assertApplied()
        first = self.before[SOUNDS]

        # A level editor choice cancelled changes nothing. Closing with a
        # change pending asks; Cancel keeps the window, Discard leaves
        # Sounds.txt as it was.
        self.before = self.inst.files()
        self.inst.run(f"""
            click CdSelLE; expect QFileDialog windowTitle Select Level editor
            key - Escape; focus-is CdSelLE
            row LiSFX 41; quit; answer Cancel not applied; {one}
            quit; answer Discard not applied
        """)
        self.assertChanged([])

        # The version kept before the Apply comes back, and the one it
        # replaces is kept in its turn.
        self.before = self.inst.files()
        self.inst.run("""
            click CdHistory; expect FmHistory/LiVersions topLevelItemCount 1
            click FmHistory/CdRestoreVersion; answer Ok Replace Sounds.txt; quit
        """)
        self.assertChanged([SOUNDS], kept=1)
        self.assertEqual(self.inst.files()[SOUNDS], first)
        self.assertEqual(sorted(self.kept()), sorted([first, b"\r\n".join(applied)]))

    def test_sam_import_gives_the_letter_to_the_sounds_of_the_list(self):
        # The import names the list it reads; the doubles dialog writes the
        # sounds it leaves unselected.
        self.inst.run("""
            click OpWAD1; expect CdLoadSAM toolTip Load WAS file; click OpWAD0
            click CdDoub; row FmDoub/LiDoub 0; click FmDoub/CdOK
            click CdLoadSAM; answer Ok FOUNDRY
        """ + APPLY + "quit")
        self.assertApplied("app/Kestrel.tod")
        self.assertTrue(self.inst.files()[Path("app/Kestrel.tod")].startswith(b'5,"   "'))
        # The letter went to sounds playing listed samples. (Of sounds sharing
        # a sample, the doubles file says which ones take it.)
        listed = set(self.before[WADS / "FOUNDRY.SAM"].lower().split())
        given = self.assertOnlyGainedTheLetter()
        self.assertGreater(len(given), 3)
        for i in given:
            self.assertTrue(samples_of(self.inst.lines()[i]) & listed, i)

    def test_build_refuses_stale_files_and_reports_a_failing_compiler(self):
        tagged = tagged_samples(self.original)
        missing = next(p for p in (self.inst.root / "editor/sound/Samples").iterdir()
                       if p.name.lower().encode() in tagged)
        missing.unlink()  # the compiler fails for want of it
        stale = [self.inst.root / SFX_DIR / name for name in ("FOUNDRY.SAM", "FOUNDRY.SFX")]
        for path in stale:
            path.write_bytes(b"stale")
        # The check tells of the missing sample first; the build goes on.
        build = BUILD + "answer Yes of #f ha; answer Ok {}; wait CdCopy enabled true; quit"
        self.inst.run(build.format("still holds FOUNDRY.SAM, FOUNDRY.SFX"))
        for path in stale:
            path.unlink()
        self.inst.run(build.format("The sound compiler failed (status 1)"))
        self.assertChanged([missing.relative_to(self.inst.root)])

    def test_refusals_leave_every_file_as_it_was(self):
        # An empty defaults file, a sample missing for Play, a sample name
        # typed too long or leading out of the samples folder (a longer stored
        # one still shows whole), a letter the build would refuse, a build
        # without a letter.
        (self.inst.root / "app/Kestrel.tos").write_bytes(b"")
        (self.inst.root / "editor/sound/Samples/climb1.wav").unlink()
        (self.inst.root / SOUNDS).write_bytes(self.before[SOUNDS].replace(b"climb2", b"climbing_far"))
        self.before = self.inst.files()
        self.inst.run("""
            click CdDefaut; answer Ok Restore original; answer Ok is not a sound catalogue
            row LiSFX 3; row LiSamp 0; click CdPlay; answer Ok [climb1.wav] doesn't exist
            type TxSamp tollingbell; expect TxSamp text tollingb
            row LiSamp 1; expect TxSamp text climbing_far
            type TxSamp ../../ab; click CdRename; answer Ok no folder
            type TxLett *; key TxLett Tab; answer Ok cannot be used; expect TxLett text
            click CdCopy; answer Ok Type a letter and a name; focus-is TxLett
        """ + APPLY + "quit")
        self.assertEqual(self.inst.lines()[3], self.before[SOUNDS].split(b"\r\n")[3] + b" #f")
        # The refused letter leaves the letter box empty, and so the settings.
        self.assertChanged([SOUNDS, ORIG, CUSTOM, PAR], kept=1)

    def test_search_french_help_doubles_and_the_settings_round_trip(self):
        # The [OK] mark searches the rows of the letter; the search goes up
        # when asked; Alt+P ticks P; the help closes by Escape or a click;
        # in French, Qt's own dialogs speak French too.
        self.inst.run("""
            click LbFOK; click CdLook; expect LiSFX currentRow 26
            click OpSens1; type TxSearch CLIMB; key TxSearch Return; expect LiSFX currentRow 3
            key - Alt+P; wait CkP checked false
            click OpLang1; expect CdCopy toolTip Générer le fichier SFX
            click CdSelLE; expect fileNameLabel text &Nom de fichier :; key - Escape
            click CdHlp; expect FmHelp visible true; key - Escape
            click CdHlp; click FmHelp/TxHlp; focus-is CdHlp
            click CdDoub; expect FmDoub/CdCancel text Annuler; key - Escape
            type TxLett d; key TxLett Tab; answer Ok Lamplight Docks; expect TxWAD text DOCKS1
            quit
        """)
        par = self.inst.files()[PAR]
        self.assertChanged([PAR])
        self.assertIn(b"geometry=", self.inst.files()[WINDOW])
        self.assertIn(b'"d"\r\n"DOCKS1"\r\n"F"', par)
        self.inst.run("expect OpLang1 checked true; expect TxLett text d\n"
                      "expect Label3 text Texte/Sample/ID; quit")
        self.assertEqual(self.inst.files()[PAR], par)

    def test_the_usual_keys_reach_the_usual_commands(self):
        # Shift+F3 searches the other way and leaves the direction; Ctrl+F
        # goes to the search box, F1 opens the help, Ctrl+S applies, Ctrl+Q
        # closes.
        self.inst.run("""
            click LbFOK; key - F3; expect LiSFX currentRow 26
            type TxSearch CLIMB; key - Shift+F3; expect LiSFX currentRow 3
            expect OpSens0 checked true; key - Ctrl+F; focus-is TxSearch
            key - F1; expect FmHelp visible true; key - Escape
            type TxVOL 40; click CdMajVal; key - Ctrl+S; answer Yes sounds.txt; key LiSFX Ctrl+Q
        """)
        self.assertApplied()
        self.assertIn(b"VOL40", self.inst.lines()[3])

    def test_an_installation_in_folders_named_in_any_script_and_a_build_there(self):
        # Paths are the system's own names; Kestrel.par holds a path in 8-bit
        # text where it can, else as UTF-8 after the UTF-8 byte-order mark.
        # The build writes the WAD files with the compiler and leaves no batch.
        for folder, marked in (("démo", False), ("Звуки", True)):
            with self.subTest(folder=folder):
                self.inst = Installation(folder)
                self.addCleanup(self.inst.tmp.cleanup)
                (self.inst.root / PAR).unlink()
                editor = str(self.inst.root / "editor")
                self.inst.run(f"choose-file {editor}/mapforge.exe\n"
                              "type TxLett f; key TxLett Tab; answer Ok Foundry Row; quit")
                path = (editor + "/").encode("utf-8" if marked else "cp1252")
                stored = b"\xef\xbb\xbf" + path if marked else path
                self.assertIn(b'\r\n"' + stored + b'"\r\n', self.inst.files()[PAR])
                self.before = self.inst.files()
                self.inst.run("row LiSFX 3; type TxVOL 40; click CdMajVal\n" + APPLY + BUILD + """
                    expect CdSelLE enabled false; wait CdCopy enabled true
                    expect LbBuild text FOUNDRY.SAM and .SFX are in the wads folder; quit
                """)
                self.assertApplied(WADS / "FOUNDRY.SAM", WADS / "FOUNDRY.SFX")
                self.assertIn(b"VOL40", self.inst.lines()[3])
                files = self.inst.files()
                self.assertTrue(files[WADS / "FOUNDRY.SFX"].startswith(b"KSFX"))
                # The new list holds exactly the samples of the sounds tagged #f.
                self.assertEqual(set(files[WADS / "FOUNDRY.SAM"].lower().split()),
                                 tagged_samples(self.inst.lines()))
                check = [KESTREL, "--check", "--appdir", str(self.inst.root / "app")]
                done = subprocess.run(check, capture_output=True, text=True, timeout=60)
                self.assertIn(f"{folder}/editor/sound/LevelSFX Creator/Sounds.txt:292:", done.stdout)

    def test_check_in_its_window_before_a_build_and_on_the_command_line(self):
        # The demo names a sample it never copied (error) and carries a long
        # name; the command line needs no display and says so by its exit code.
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "QT_QPA_PLATFORM")}
        check = [KESTREL, "--check", "--appdir", str(self.inst.root / "app")]
        done = subprocess.run(check, env=env, capture_output=True, text=True, timeout=60)
        self.assertEqual(done.returncode, 1, done.stderr)
        findings = done.stdout.splitlines()[:-1]
        missing = next(i for i, f in enumerate(findings) if ": 291 TICKER_TAPE: error: " in f)
        self.assertTrue(findings[missing].endswith(
            "Sounds.txt:292: 291 TICKER_TAPE: error: ticker1.wav is missing from the samples folder"))
        self.assertIn("TYPEWRITER_IN_THE_BANK_HALL: warning: The name part has 28", done.stdout)
        summary = done.stdout.splitlines()[-1]
        self.assertRegex(summary, r"^1 error, \d+ warnings$")

        # The build of #e asks first; Show opens the check, where a double
        # click opens the sound.
        self.inst.run(f"""
            type TxLett e; key TxLett Tab; answer Ok Brass Exchange; click CdCopy; answer Ok EXCHANGE
            answer Show 1 sound of #e has errors; expect FmCheck/LbCount text {summary}
            double-row FmCheck/LiFindings {missing}; expect LiSFX currentRow 291
            click CdCheck; key - Escape; quit
        """)
        self.assertChanged([PAR])
        (self.inst.root / PAR).unlink()
        done = subprocess.run(check, env=env, capture_output=True, text=True, timeout=60)
        self.assertEqual((done.returncode, done.stdout), (2, ""))
        done = subprocess.run([KESTREL, "--version"], env=env, capture_output=True, text=True)
        self.assertEqual(done.stdout, "kestrel 1.1\n")


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--kestrel", required=True)
    parser.add_argument("--sndpack", required=True)
    args, rest = parser.parse_known_args()
    KESTREL, SNDPACK = args.kestrel, args.sndpack
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)
