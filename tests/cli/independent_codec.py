#!/usr/bin/env python3
"""A second, separately written reader and writer of the 256-byte program image, used to
check zktcli's export and import against it on many random images and models. It knows only
the images, as every reader before the console's names did: a file's lines of 700 characters
or more, at most five; names and labels must neither disturb it nor be lost to zktcli.

Written from the image's byte tables alone; it shares no code with the C++ codec, so a
misreading of a table has to be made twice, in two languages, to go unnoticed.

Usage: independent_codec.py --zktcli PATH [--seed N] [--count N] [--workdir DIR]
"""

import argparse
import json
import os
import random
import subprocess
import sys
import tempfile

CHANNELS = 16
PISTONS = 20
BUFFER_SIZE = 260
MAX_MANUALS = 5


class Image:
    """Byte access by the 1-based positions of the layout table."""

    def __init__(self, data):
        self.data = bytearray(data)

    def __getitem__(self, position):
        return self.data[position - 1]

    def __setitem__(self, position, value):
        if not 0 <= value <= 255:
            raise OverflowError(f"byte {position}: {value} does not fit")
        self.data[position - 1] = value


# Second byte of an Ahlborn entry -> (group, type)
def ahlborn(code):
    if code in (4, 5):
        return 1, code - 4
    if code == 16:
        return 1, 2
    if 23 <= code <= 25:
        return 1, code - 20
    if 87 <= code <= 89:
        return 2, code - 87
    if 90 <= code <= 92:
        return 3, code - 89
    if code == 160:
        return 3, 0
    if code == 94:
        return 5, 0
    if code == 95:
        return 6, 0
    if 129 <= code <= 158:
        return 4, code - 129
    return None


def fresh_manual():
    return {
        "keyboard": {"channels": 0, "keyboardConfig": 0, "archiveInput": 0, "archiveChannel": 0},
        "channels": [
            {"channelTranspose": 36, "channelVelocity": 128,
             "shoe": {"channel": 0, "volumeControl": False, "expressionOn": False}}
            for _ in range(CHANNELS)
        ],
        "pistons": [
            {"functionGroup": 0, "functionType": 0, "midiChannel": 0, "programNumber": 0,
             "bankSelMSBFlag": False, "bankSelMSB": 0, "bankSelLSBFlag": False, "bankSelLSB": 0,
             "bankSelProgramFlag": False}
            for _ in range(PISTONS)
        ],
    }


def decode(data):
    """One manual's image -> its fields, as decoding into a freshly started program gives."""
    img = Image(data)
    manual = fresh_manual()
    kb = manual["keyboard"]

    mask = 0
    for i in range(CHANNELS):
        if (img[28 if i < 8 else 29] >> (i % 8)) & 1:
            mask |= 1 << i
        ch = manual["channels"][i]
        ch["channelTranspose"] = img[11 + i]
        velocity = img[193 + i]
        if velocity == 0x80:
            velocity = 0xFF
        if velocity == 0x00:
            velocity = 0x7F
        ch["channelVelocity"] = velocity
    kb["channels"] = mask

    for i in range(CHANNELS):
        byte = img[3 + i // 2]
        nibble = (byte >> 4) if i % 2 else (byte & 0x0F)
        shoe = manual["channels"][i]["shoe"]
        source = nibble & 3
        shoe["expressionOn"] = bool(nibble & 4) and source != 3
        shoe["channel"] = 0 if source == 3 else source
        shoe["volumeControl"] = not (nibble & 8)

    kb["keyboardConfig"] = img[37]
    kb["archiveChannel"] = img[27] // 16 + 1
    kb["archiveInput"] = (img[27] % 16) // 4

    for k in range(PISTONS):
        p = manual["pistons"][k]
        group, channel, value = 0, 0, 0
        f, s = img[211 + 2 * k], img[212 + 2 * k]
        kind, low = f >> 4, f & 0x0F
        if kind == 0x0:
            channel = low + 1
            found = ahlborn(s)
            if found:
                group, value = found
        elif kind == 0x1 and s < 0x80:
            group, channel, value = 7, low + 1, s + 1
        elif kind == 0x2:
            group, channel, value = 8, low + 1, s - 36
        elif kind == 0x7 and s < 0x80:
            group, channel, value = 12, low + 1, s + 1
        elif kind == 0x7:
            group, channel, value = 13, low + 1, 0
            p["bankSelProgramFlag"] = s >= 0xC0
        elif kind == 0x8 and s == 0x00:
            group, channel, value = 11, low + 1, 0
        elif kind == 0x8 and s >= 0x81:
            group, channel, value = 10, low + 1, s - 128
        elif kind == 0x9:
            group, channel, value = 14, low, s

        f, s = img[51 + 2 * k], img[52 + 2 * k]
        if f >> 4 == 0x4 and s >= 0x80:
            if group == 7:
                p["bankSelProgramFlag"] = True
            group, channel = 9, (f & 0x0F) + 1
            p["bankSelMSBFlag"] = True
            p["bankSelMSB"] = s - 128
        f, s = img[99 + 2 * k], img[100 + 2 * k]
        if f >> 4 == 0x4 and s < 0x80:
            if group == 7:
                p["bankSelProgramFlag"] = True
            group, channel = 9, (f & 0x0F) + 1
            p["bankSelLSBFlag"] = True
            p["bankSelLSB"] = s

        if group != 0:
            p["functionGroup"] = group
            p["midiChannel"] = channel
            p["programNumber"] = value
            if group not in (7, 12):
                p["functionType"] = value
    return manual


COUPLER_CODES = {0: 4, 1: 5, 2: 16, 3: 23, 4: 24, 5: 25}


def main_entry(p):
    group, ch = p["functionGroup"], p["midiChannel"]
    t, prog = p["functionType"], p["programNumber"]
    if group == 1:
        return ch - 1, COUPLER_CODES.get(t, 0)
    if group == 2:
        return ch - 1, t + 87
    if group == 3:
        return ch - 1, 160 if t == 0 else t + 89
    if group == 4:
        return ch - 1, t + 129
    if group == 5:
        return ch - 1, 94
    if group == 6:
        return ch - 1, 95
    if group == 7:
        return (ch - 1) | 0x10, prog - 1
    if group == 8:
        return (ch - 1) | 0x20, t + 36
    if group == 9:
        if p["bankSelProgramFlag"]:
            return (ch - 1) | 0x10, prog - 1
        return 0xFF, 0xFF
    if group == 10:
        return (ch - 1) | 0x80, prog | 0x80
    if group == 11:
        return (ch - 1) | 0x80, 0
    if group == 12:
        return (ch - 1) | 0x70, prog - 1
    if group == 13:
        return (ch - 1) | 0x70, 0xC0 if p["bankSelProgramFlag"] else 0x80
    if group == 14:
        return ch | 0x90, t
    return 0xFF, 0xFF


def encode(manual, hardware_type=0):
    """One manual's fields -> its 260-byte buffer, starting from FF x 255 then 00 x 5."""
    img = Image(bytes([0xFF] * 255 + [0x00] * 5))
    img[1] = 19 if hardware_type == 18 else 18
    for i, ch in enumerate(manual["channels"]):
        img[11 + i] = ch["channelTranspose"]
        img[193 + i] = ch["channelVelocity"]
    masks = [0, 0]
    kb = manual["keyboard"]
    for i, ch in enumerate(manual["channels"]):
        if (kb["channels"] >> i) & 1:
            masks[i // 8] |= 1 << (i % 8)
        shoe = ch["shoe"]
        nibble = shoe["channel"] if shoe["channel"] < 3 else 0
        if not shoe["volumeControl"]:
            nibble += 8
        if shoe["expressionOn"]:
            nibble += 4
        pos = 3 + i // 2
        old = img[pos]
        img[pos] = nibble * 16 + (old & 0x0F) if i % 2 else nibble + (old & 0xF0)
    img[37] = kb["keyboardConfig"]
    img[27] = (kb["archiveChannel"] - 1) * 16 + kb["archiveInput"] * 4
    img[209], img[210], img[251], img[252] = 0x60, 0x00, 0x60, 0x01
    for k, p in enumerate(manual["pistons"]):
        f, s = main_entry(p)
        img[211 + 2 * k], img[212 + 2 * k] = f, s
        if p["functionGroup"] == 9:
            if p["bankSelMSBFlag"]:
                img[51 + 2 * k] = (p["midiChannel"] - 1) | 0x40
                img[52 + 2 * k] = p["bankSelMSB"] | 0x80
            if p["bankSelLSBFlag"]:
                img[99 + 2 * k] = (p["midiChannel"] - 1) | 0x40
                img[100 + 2 * k] = p["bankSelLSB"]
    img[28], img[29] = masks
    return bytes(img.data)


def file_line(buffer):
    return "".join(f"{b:02x} " for b in buffer) + "\r\n"


def image_lines(text):
    """What a reader of the images takes from a file."""
    return [line for line in text.splitlines() if len(line) >= 700][:MAX_MANUALS]


# ---------------------------------------------------------------- random images

def random_main_entry(rng):
    ch = rng.randrange(16)
    choice = rng.randrange(12)
    if choice == 0:
        return ch, rng.choice([4, 5, 16, 23, 24, 25, 87, 88, 89, 90, 91, 92, 94, 95, 160,
                               rng.randrange(129, 159), rng.randrange(256)])
    if choice == 1:
        return 0x10 | ch, rng.randrange(256)
    if choice == 2:
        return 0x20 | ch, rng.randrange(256)
    if choice == 3:
        return 0x70 | ch, rng.randrange(256)
    if choice == 4:
        return 0x80 | ch, rng.choice([0x00, 0x80, rng.randrange(256)])
    if choice == 5:
        return 0x90 | ch, rng.randrange(256)
    if choice in (6, 7):
        return 0xFF, 0xFF
    return rng.randrange(256), rng.randrange(256)


def random_bank_entry(rng, msb_area):
    choice = rng.randrange(4)
    if choice == 0:
        return 0x40 | rng.randrange(16), (0x80 if msb_area else 0) | rng.randrange(128)
    if choice == 1:
        return rng.randrange(256), rng.randrange(256)
    return 0xFF, 0xFF


def random_image(rng):
    img = Image(bytes(rng.randrange(256) for _ in range(256)) + bytes(4))
    if rng.random() < 0.3:
        for pos in rng.sample(range(193, 209), 3):
            img[pos] = rng.choice([0x00, 0x80, 0x7F, 0xFF])
    for k in range(PISTONS):
        img[211 + 2 * k], img[212 + 2 * k] = random_main_entry(rng)
        img[51 + 2 * k], img[52 + 2 * k] = random_bank_entry(rng, True)
        img[99 + 2 * k], img[100 + 2 * k] = random_bank_entry(rng, False)
    return bytes(img.data)


# ---------------------------------------------------------------- random valid models

GROUP_TYPES = {1: 6, 2: 3, 3: 4, 4: 30, 5: 1, 6: 1, 7: 3, 8: 56, 9: 1, 10: 1, 11: 1, 12: 1, 13: 2}


def random_piston(rng):
    group = rng.randrange(15)
    p = fresh_manual()["pistons"][0]
    p["functionGroup"] = group
    p["midiChannel"] = rng.randrange(16) if group == 14 else rng.randrange(1, 17)
    if group == 0:
        p["functionType"] = -1
        return p
    if group == 14:
        p["functionType"] = rng.randrange(50)
    else:
        p["functionType"] = rng.randrange(GROUP_TYPES[group])
    if group in (7, 12):
        p["programNumber"] = rng.randrange(1, 129)
    elif group == 10:
        p["programNumber"] = rng.randrange(1, 128)
    elif group == 8:
        # The image carries the type alone, which the description numbers the function by.
        p["programNumber"] = p["functionType"]
    elif group == 9:
        # The MSB, the LSB or both; the program change alone would come back as a Program Change.
        p["bankSelMSBFlag"] = rng.random() < 0.6
        p["bankSelLSBFlag"] = not p["bankSelMSBFlag"] or rng.random() < 0.6
        p["bankSelProgramFlag"] = rng.random() < 0.5
        p["bankSelMSB"] = rng.randrange(128)
        p["bankSelLSB"] = rng.randrange(128)
        p["programNumber"] = rng.randrange(1, 129)
    elif group == 13:
        p["bankSelProgramFlag"] = rng.random() < 0.5
    return p


def random_manual(rng):
    manual = fresh_manual()
    manual["keyboard"] = {"channels": rng.randrange(65536), "keyboardConfig": rng.randrange(256),
                          "archiveInput": rng.randrange(4), "archiveChannel": rng.randrange(1, 17)}
    for ch in manual["channels"]:
        ch["channelTranspose"] = rng.randrange(128)
        # 0, a fixed velocity of 0, comes back as 127 and is refused.
        ch["channelVelocity"] = rng.randrange(1, 256)
        ch["shoe"] = {"channel": rng.randrange(3), "volumeControl": rng.random() < 0.5,
                      "expressionOn": rng.random() < 0.5}
    manual["pistons"] = [random_piston(rng) for _ in range(PISTONS)]
    if rng.random() < 0.5:
        manual = {"name": random_name(rng), **manual}
        for k in rng.sample(range(PISTONS), rng.randrange(1, 6)):
            manual["pistons"][k] = {"label": random_name(rng), **manual["pistons"][k]}
    return manual


# Whatever an organist might type or paste: any script, "%", line breaks, blanks at the ends.
NAME_CHARACTERS = "abcXYZ 059%-–éßΣ音\n\r\t\u00a0\U0001D11E"


def random_name(rng):
    return "".join(rng.choice(NAME_CHARACTERS) for _ in range(rng.randrange(1, 41)))


# ---------------------------------------------------------------- the checks

def compare(expected, actual, where, problems):
    if isinstance(expected, dict):
        if not isinstance(actual, dict):
            problems.append(f"{where}: expected an object, got {actual!r}")
            return
        for key, value in expected.items():
            if key not in actual:
                problems.append(f"{where}.{key}: missing")
            else:
                compare(value, actual[key], f"{where}.{key}", problems)
        for key in actual:
            if key not in expected and key != "description":
                problems.append(f"{where}.{key}: unexpected key")
    elif isinstance(expected, list):
        if not isinstance(actual, list) or len(actual) != len(expected):
            problems.append(f"{where}: expected {len(expected)} entries")
            return
        for i, (e, a) in enumerate(zip(expected, actual)):
            compare(e, a, f"{where}[{i}]", problems)
    elif type(expected) is not type(actual) or expected != actual:
        problems.append(f"{where}: expected {expected!r}, got {actual!r}")


def run(zktcli, *args):
    return subprocess.run([zktcli, *args], capture_output=True, text=True, timeout=60)


def check_export(zktcli, rng, count, workdir):
    failures = []
    for n in range(count):
        images = [random_image(rng) for _ in range(rng.randrange(1, MAX_MANUALS + 1))]
        source = os.path.join(workdir, f"random{n}.zkt")
        output = os.path.join(workdir, f"random{n}.json")
        with open(source, "w", newline="") as f:
            f.write("".join(file_line(image) for image in images))
        result = run(zktcli, "export", source, "-o", output)
        if result.returncode != 0:
            failures.append(f"{source}: export failed ({result.returncode}): {result.stderr.strip()}")
            continue
        with open(output) as f:
            actual = json.load(f)
        expected = {"numberOfManuals": len(images), "manuals": [decode(image) for image in images]}
        problems = []
        compare(expected, actual, "$", problems)
        if problems:
            failures.append(f"{source}: " + "; ".join(problems[:5]))
    return failures


def check_import(zktcli, rng, count, workdir):
    failures = []
    for n in range(count):
        manuals = [random_manual(rng) for _ in range(rng.randrange(0, MAX_MANUALS + 1))]
        source = os.path.join(workdir, f"model{n}.json")
        output = os.path.join(workdir, f"model{n}.zkt")
        with open(source, "w") as f:
            json.dump({"numberOfManuals": len(manuals), "manuals": manuals}, f)
        result = run(zktcli, "import", source, "-o", output)
        if result.returncode != 0:
            failures.append(f"{source}: import failed ({result.returncode}): {result.stderr.strip()}")
            continue
        expected = "".join(file_line(encode(manual)) for manual in manuals)
        with open(output, newline="") as f:
            actual = f.read()
        if image_lines(actual) != image_lines(expected):
            failures.append(f"{source}: {output}'s images differ from the independent encoding")
        if not any("name" in manual for manual in manuals) and actual != expected:
            failures.append(f"{source}: {output} without names differs from the images alone")
        if manuals:
            failures += check_names_kept(zktcli, manuals, output)
    return failures


def check_names_kept(zktcli, manuals, path):
    result = run(zktcli, "export", path)
    if result.returncode != 0:
        return [f"{path}: export failed ({result.returncode}): {result.stderr.strip()}"]
    exported = json.loads(result.stdout)["manuals"]
    problems = []
    for m, (given, back) in enumerate(zip(manuals, exported), start=1):
        if given.get("name") != back.get("name"):
            problems.append(f"{path}: manual {m} name {given.get('name')!r} came back as {back.get('name')!r}")
        for k, (piston, returned) in enumerate(zip(given["pistons"], back["pistons"]), start=1):
            if piston.get("label") != returned.get("label"):
                problems.append(f"{path}: manual {m}, piston {k} label {piston.get('label')!r} "
                                f"came back as {returned.get('label')!r}")
    return problems


def check_refusals(zktcli, rng, workdir):
    """Values the image cannot carry are refused: exit 2, a message naming the field, and the
    output file that was there before is left exactly as it was."""
    failures = []
    nothing_to_send = {"functionGroup": 9, "bankSelMSBFlag": False, "bankSelLSBFlag": False,
                       "bankSelProgramFlag": False}
    spoilers = [
        ("functionGroup", {"functionGroup": 15}), ("functionGroup", {"functionGroup": -1}),
        ("midiChannel", {"midiChannel": 17}), ("midiChannel", {"midiChannel": 0}),
        ("programNumber", {"programNumber": "7"}), ("bankSelMSBFlag", {"bankSelMSBFlag": 1}),
        ("nonsense", {"nonsense": 0}), ("bankSelProgramFlag", nothing_to_send),
    ]
    for n, (field, changes) in enumerate(spoilers):
        manual = random_manual(rng)
        piston = manual["pistons"][rng.randrange(PISTONS)]
        piston.update({"functionGroup": 7, "midiChannel": 1, "programNumber": 1})
        piston.update(changes)
        value = changes.get(field)
        source = os.path.join(workdir, f"refused{n}.json")
        output = os.path.join(workdir, f"refused{n}.zkt")
        with open(source, "w") as f:
            json.dump({"numberOfManuals": 1, "manuals": [manual]}, f)
        previous = file_line(encode(random_manual(rng)))
        with open(output, "w", newline="") as f:
            f.write(previous)
        result = run(zktcli, "import", source, "-o", output)
        with open(output, newline="") as f:
            kept = f.read() == previous
        if result.returncode != 2 or field not in result.stderr or not kept:
            failures.append(f"{field}={value!r}: exit {result.returncode}, stderr {result.stderr.strip()!r}")
    return failures


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--zktcli", required=True)
    parser.add_argument("--seed", type=int, default=20261208)
    parser.add_argument("--count", type=int, default=300)
    parser.add_argument("--workdir")
    args = parser.parse_args()

    rng = random.Random(args.seed)
    with tempfile.TemporaryDirectory(dir=args.workdir) as workdir:
        failures = (check_export(args.zktcli, rng, args.count, workdir)
                    + check_import(args.zktcli, rng, args.count, workdir)
                    + check_refusals(args.zktcli, rng, workdir))
    for failure in failures[:20]:
        print(failure, file=sys.stderr)
    if failures:
        print(f"{len(failures)} failures (seed {args.seed})", file=sys.stderr)
        return 1
    print(f"{args.count} images exported and {args.count} models imported in agreement (seed {args.seed})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
