#!/usr/bin/env python3
"""Lay out a demo level-editor installation for trying Kestrel.

    python3 demo/make_demo.py DEST [--data DATADIR] [--sndpack PROGRAM]

DATADIR (default: the repository's data/ folder) must hold Kestrel.tow and
Kestrel.tos, as written by scripts/make_data.py.  The script (re)creates:

  DEST/editor/mapforge.exe                         placeholder program file
  DEST/editor/sound/LevelSFX Creator/Sounds.txt    the user's sound file:
                                                   the defaults plus a few edits
  DEST/editor/sound/LevelSFX Creator/sndpack       the sound compiler, when
                                                   --sndpack names one
  DEST/editor/sound/Samples/<name>.wav             one short tone per sample
  DEST/editor/graphics/wads/<WAD>.SAM, <WAD>.WAS   sample and object lists of
                                                   a few WADs
  DEST/app/                                        copy of DATADIR + Kestrel.par

DEST/editor and DEST/app are deleted first if they exist.  The module can be
imported; make_demo() does the work and returns what it wrote.
"""

import argparse
import csv
import math
import random
import shutil
import struct
import sys
import wave
import zlib
from pathlib import Path

REPO_DIR = Path(__file__).resolve().parent.parent
DEFAULT_DATA_DIR = REPO_DIR / "data"

sys.path.insert(0, str(REPO_DIR / "scripts"))
import make_data  # noqa: E402  (the sound table and the line layout)

EOL = "\r\n"
# The sound file is 8-bit text.  Latin-1 maps every byte to one character and
# back, so lines we do not touch are copied byte for byte.
BYTES_AS_TEXT = "latin-1"
UTF8_MARK = b"\xef\xbb\xbf"

EDITOR_PROGRAM = "mapforge.exe"
SOUND_FILE = Path("sound") / "LevelSFX Creator" / "Sounds.txt"
SAMPLES_DIR = Path("sound") / "Samples"
WADS_DIR = Path("graphics") / "wads"

# Edits a user might have made in the level editor's sound tool.
# (sound name, kind of edit, argument)
USER_EDITS = [
    ("GUARD_ALERT", "volume", 85),
    ("WAVES_LAP", "volume", 18),
    ("FURNACE_ROAR", "volume", 60),
    ("TRAM_BELL", "volume", 55),
    ("HOUND_BARK", "add_flag", "V"),
    ("CRANE_REEL", "add_flag", "P"),
    ("GLASS_TINKLE", "rename_sample", ("tinkle2", "glass3")),
    ("ROPE_CREAK", "add_letter", "a"),
    # A mistake for the catalogue check to find: a name longer than the old
    # tools keep.
    ("TYPEWRITER", "rename_sound", "TYPEWRITER_IN_THE_BANK_HALL"),
]
# Another: a sample never copied to the samples folder (TICKER_TAPE's).
MISSING_SAMPLES = {"ticker1"}

# WADs that get .SAM/.WAS lists, by letter code; the first one also lists a
# sample that the catalogue does not know, and is the WAD Kestrel.par opens.
LIST_WADS = ("f", "d", "s", "pr")
UNKNOWN_SAMPLE = "oldpump"

RATE = 11025
# Sample names that sound like knocks and crashes get some noise mixed in.
IMPACT_WORDS = ("hit", "thud", "slam", "boom", "crash", "smash", "stomp",
                "knock", "clank", "bump", "wood", "rock", "debris", "snap",
                "imp_", "brk", "brst", "land", "fst", "fsm", "fsw", "grate")


class DemoError(Exception):
    pass


# ---------------------------------------------------------------------------
# Reading the data folder
# ---------------------------------------------------------------------------
def read_lines(path):
    text = path.read_bytes().decode(BYTES_AS_TEXT)
    lines = text.split(EOL)
    if lines and lines[-1] == "":
        lines.pop()
    return lines


def stored_path(path):
    """A path as Kestrel.par holds it: in 8-bit text, or, when that cannot
    hold it, as UTF-8 after the UTF-8 byte-order mark."""
    try:
        stored = path.encode(make_data.ENCODING)
        if not stored.startswith(UTF8_MARK):
            return stored.decode(BYTES_AS_TEXT)
    except UnicodeEncodeError:
        pass
    return (UTF8_MARK + path.encode("utf-8", "surrogateescape")).decode(BYTES_AS_TEXT)


def write_lines(path, lines, encoding=BYTES_AS_TEXT):
    path.write_bytes("".join(line + EOL for line in lines).encode(encoding))


def read_wads(path):
    """[(title, letter code, WAD file name)] from a Kestrel.tow file."""
    wads = []
    for row in csv.reader(read_lines(path)):
        if len(row) >= 3 and row[1]:
            wads.append((row[0], row[1], row[2]))
    return wads


def line_name(line):
    return line.split(":", 1)[0] if ":" in line else None


def line_samples(line):
    parts = make_data.split_line(line)
    return parts[1].split() if parts else []


def line_letters(line):
    parts = make_data.split_line(line)
    return [tag[1:] for tag in parts[7].split()] if parts else []


# ---------------------------------------------------------------------------
# Sounds.txt: the defaults with the user's edits
# ---------------------------------------------------------------------------
def apply_edit(parts, kind, arg, wad_codes):
    """Return the edited fields of a line, or None if the edit does not fit."""
    name_part, samples, vol, flags, ch, pit, rad, letters = parts
    if kind == "volume":
        vol = "VOL%02d" % arg
    elif kind == "add_flag":
        present = make_data.field_flags(flags)
        if arg in present or {arg, *present} >= {"R", "N"}:
            return None
        flags = make_data.flags_field(present + arg)
    elif kind == "rename_sample":
        old, new = arg
        names = samples.split(" ")
        if old not in names or new in names:
            return None
        samples = " ".join(new if s == old else s for s in names)
    elif kind == "rename_sound":
        name_part = arg + ":"
    elif kind == "add_letter":
        tags = letters.split()
        if not tags or arg not in wad_codes or "#" + arg in tags:
            return None
        letters = " ".join(tags + ["#" + arg])
    else:
        raise ValueError("unknown edit %r" % kind)
    edited = (name_part, samples, vol, flags, ch, pit, rad, letters)
    return None if edited == parts else edited


def user_sound_lines(default_lines, wad_codes):
    """The default lines with USER_EDITS applied; also the edited sound IDs."""
    lines = list(default_lines)
    index = {line_name(l): i for i, l in reversed(list(enumerate(lines)))}
    edited = []
    for name, kind, arg in USER_EDITS:
        sid = index.get(name)
        if sid is None:
            continue
        parts = make_data.split_line(lines[sid])
        if parts is None:
            continue
        new_parts = apply_edit(parts, kind, arg, wad_codes)
        if new_parts is None:
            continue
        lines[sid] = make_data.layout_line(*new_parts)
        edited.append(sid)
    return lines, edited


# ---------------------------------------------------------------------------
# Samples
# ---------------------------------------------------------------------------
def tone_frames(name):
    """16-bit mono PCM of a short tone that depends only on the name."""
    crc = zlib.crc32(name.encode("ascii", "replace"))
    count = int(round(RATE * (0.15 + (crc % 251) / 1000.0)))  # 0.15 .. 0.40 s
    freq = 220.0 + (crc >> 8) % 880                          # 220 .. 1099 Hz
    sweep = -0.4 if (crc >> 20) & 1 else 0.25               # pitch glide
    impact = any(word in name for word in IMPACT_WORDS)
    noise = random.Random(crc)
    fade_in = max(1, int(0.006 * RATE))
    fade_out = max(1, int(0.05 * RATE))
    values = []
    phase = 0.0
    for i in range(count):
        t = i / count
        phase += 2.0 * math.pi * freq * (1.0 + sweep * t) / RATE
        level = math.sin(phase)
        if impact:
            level = 0.4 * level + 0.6 * noise.uniform(-1.0, 1.0)
            level *= math.exp(-6.0 * t)
        envelope = min(1.0, i / fade_in, (count - 1 - i) / fade_out)
        values.append(int(round(0.6 * 32767 * envelope * level)))
    return struct.pack("<%dh" % count, *values)


def write_wav(path, name):
    with wave.open(str(path), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(tone_frames(name))


# ---------------------------------------------------------------------------
# WAD lists
# ---------------------------------------------------------------------------
def wad_sample_list(lines, code):
    """Sample files of the sounds that carry a WAD letter, in ID order."""
    seen = []
    for line in lines:
        if code in line_letters(line):
            for sample in line_samples(line):
                if sample not in seen:
                    seen.append(sample)
    return [s + ".wav" for s in seen]


def wad_object_list(lines, code, wad_file):
    """Objects placed in a WAD: those whose sounds carry its letter."""
    letters = {line_name(l): line_letters(l) for l in lines}
    result = []
    for obj, _kind, sounds in make_data.OBJECTS:
        if any(code in letters.get(s[0], ()) for s in sounds):
            count = 1 + zlib.crc32((wad_file + obj).encode("ascii")) % 5
            result.append("%s: %d instance%s"
                          % (obj, count, "" if count == 1 else "s"))
    return result


# ---------------------------------------------------------------------------
# The installation
# ---------------------------------------------------------------------------
def remove_tree(path):
    if path.is_symlink() or path.is_file():
        path.unlink()
    elif path.is_dir():
        shutil.rmtree(path)


def inside(path, folder):
    return path == folder or folder in path.parents


def make_demo(dest, data_dir=DEFAULT_DATA_DIR, sndpack=None):
    dest = Path(dest).resolve()
    data_dir = Path(data_dir).resolve()
    editor, app = dest / "editor", dest / "app"
    for folder in (editor, app):
        if inside(data_dir, folder):
            raise DemoError("data folder %s lies inside %s, which would be "
                            "replaced" % (data_dir, folder))
    tow, tos = data_dir / "Kestrel.tow", data_dir / "Kestrel.tos"
    for path in (tow, tos):
        if not path.is_file():
            raise DemoError("missing %s (run scripts/make_data.py first)" % path)

    wads = read_wads(tow)
    codes = [w[1] for w in wads]
    defaults = read_lines(tos)
    lines, edited = user_sound_lines(defaults, codes)

    remove_tree(editor)
    remove_tree(app)

    # Level editor
    editor.mkdir(parents=True)
    (editor / EDITOR_PROGRAM).write_bytes(
        b"Placeholder for the MapForge level editor program." + EOL.encode())
    sound_file = editor / SOUND_FILE
    sound_file.parent.mkdir(parents=True)
    write_lines(sound_file, lines)
    if sndpack:
        shutil.copy2(sndpack, sound_file.parent / Path(sndpack).name)

    samples_dir = editor / SAMPLES_DIR
    samples_dir.mkdir(parents=True)
    samples = sorted({s for l in defaults + lines for s in line_samples(l)})
    for name in samples:
        if name not in MISSING_SAMPLES:
            write_wav(samples_dir / (name + ".wav"), name)

    wads_dir = editor / WADS_DIR
    wads_dir.mkdir(parents=True)
    unknown = UNKNOWN_SAMPLE
    while unknown in samples:
        unknown += "x"
    wad_by_code = {w[1]: w for w in wads}
    listed = [wad_by_code[c] for c in LIST_WADS if c in wad_by_code]
    for n, (_title, code, wad_file) in enumerate(listed):
        sam = wad_sample_list(lines, code)
        if n == 0:
            sam.append(unknown + ".wav")
        write_lines(wads_dir / (wad_file + ".SAM"), sam)
        write_lines(wads_dir / (wad_file + ".WAS"),
                    wad_object_list(lines, code, wad_file))

    # Kestrel itself
    app.mkdir(parents=True)
    for path in sorted(data_dir.iterdir()):
        if path.is_file():
            shutil.copyfile(path, app / path.name)
    if listed:
        par_code, par_wad = listed[0][1], listed[0][2]
    elif wads:
        par_code, par_wad = wads[0][1], wads[0][2]
    else:
        par_code, par_wad = "", ""
    par = [stored_path(editor.anchor), stored_path(str(editor) + "/"), par_code, par_wad, "E"]
    write_lines(app / "Kestrel.par", ['"%s"' % v for v in par])

    return {
        "editor": editor,
        "app": app,
        "sound_file": sound_file,
        "edited_ids": edited,
        "samples": len(samples),
        "wads": [w[2] for w in listed],
        "unknown_sample": unknown,
        "par": par,
    }


def main(argv=None):
    parser = argparse.ArgumentParser(
        description="Lay out a demo level-editor installation for Kestrel.")
    parser.add_argument("dest", help="folder to hold editor/ and app/")
    parser.add_argument("--data", default=str(DEFAULT_DATA_DIR),
                        help="folder with Kestrel.tow and Kestrel.tos")
    parser.add_argument("--sndpack", default=None,
                        help="the sound compiler program to place in the "
                             "sound compiler folder")
    args = parser.parse_args(argv)
    try:
        info = make_demo(args.dest, args.data, args.sndpack)
    except (DemoError, OSError) as err:
        print("make_demo.py: %s" % err, file=sys.stderr)
        return 1
    print("Demo installation in %s: editor at %s, Kestrel at %s"
          % (Path(args.dest).resolve(), info["editor"], info["app"]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
