#!/usr/bin/env python3
"""Derive Kestrel's doubles file from a default sound lines file.

    python3 scripts/make_doubles.py [LINES [OUT]]
    python3 scripts/make_doubles.py --check LINES TOD

LINES defaults to data/Kestrel.tos and OUT to data/Kestrel.tod.  Line k of
LINES is sound ID k.  A double is a sound that does not carry "#g" itself
and shares at least one sample name with another sound; its record reads

    ID,"OK ","GEN","NAME:<padded to 24>","samples <padded to 32>","#a #b"

with "GEN" when one of the sounds it shares a sample with carries "#g"
(three spaces otherwise), and "OK " when a .SAM import may give it a letter.
The sounds named in UNSELECTED start with three spaces instead: each shares a
sample with a louder cousin of another WAD, and an import of that WAD's .SAM
list would give them a letter they do not need.

--check exits with 1 when TOD differs from what LINES gives.
"""

import sys
from pathlib import Path

REPO_DIR = Path(__file__).resolve().parent.parent
ENCODING = "cp1252"
EOL = "\r\n"
NAME_WIDTH = 24
SAMPLES_WIDTH = 32
MAX_SAMPLES = 10

# Doubles that ship unselected, by sound name.
UNSELECTED = ("GOLEM_ROAR", "GUARD_VENT", "HOUND_GROWL", "TYRANT_VENT")


def parse(line):
    """(name part, [samples], [letter tags]) of a sound line, or None."""
    colon = line.find(":")
    if colon < 0:
        return None
    name = line[:colon + 1]
    rest = line[colon + 1:].lstrip(" \t")
    samples, _, tail = rest.partition("\t")
    names = [s for s in samples.split(" ") if s][:MAX_SAMPLES]
    tags = [t for t in tail.replace("\t", " ").split(" ") if t.startswith("#")]
    return name, names, tags


def quoted(text):
    return '"' + text.replace('"', '""') + '"'


def double_records(lines):
    sounds = [parse(l) for l in lines]
    users = {}  # sample name -> IDs of the sounds that play it
    for sid, sound in enumerate(sounds):
        if sound:
            for sample in set(sound[1]):
                users.setdefault(sample, []).append(sid)
    records = []
    for sid, sound in enumerate(sounds):
        if not sound or "#g" in sound[2]:
            continue
        name, samples, tags = sound
        others = {o for s in samples for o in users[s] if o != sid}
        if not others:
            continue
        generic = any("#g" in sounds[o][2] for o in others)
        mark = "   " if name[:-1] in UNSELECTED else "OK "
        samples_field = "".join(s + " " for s in samples)
        records.append(",".join([
            str(sid), quoted(mark), quoted("GEN" if generic else "   "),
            quoted(name.ljust(NAME_WIDTH)[:NAME_WIDTH]),
            quoted(samples_field.ljust(SAMPLES_WIDTH)[:SAMPLES_WIDTH]),
            quoted(" ".join(tags))]))
    return records


def doubles_bytes(lines_path):
    text = Path(lines_path).read_bytes().decode(ENCODING)
    lines = text.split(EOL)
    if lines and lines[-1] == "":
        lines.pop()
    return "".join(r + EOL for r in double_records(lines)).encode(ENCODING)


def main(argv):
    if argv[:1] == ["--check"]:
        if len(argv) != 3:
            print("usage: make_doubles.py --check LINES TOD", file=sys.stderr)
            return 2
        if Path(argv[2]).read_bytes() != doubles_bytes(argv[1]):
            print("%s is not what %s gives: run scripts/make_doubles.py" % (argv[2], argv[1]),
                  file=sys.stderr)
            return 1
        return 0
    if len(argv) > 2 or any(a.startswith("-") for a in argv):
        print(__doc__, file=sys.stderr)
        return 2
    source = argv[0] if argv else REPO_DIR / "data" / "Kestrel.tos"
    out = Path(argv[1] if len(argv) > 1 else REPO_DIR / "data" / "Kestrel.tod")
    out.write_bytes(doubles_bytes(source))
    print("Wrote %s" % out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
