#!/usr/bin/env python3
"""Reads `zktcli chart` PDFs back with pdftotext, as someone checking a printed chart would:
every manual's name and every assigned piston's description (as `zktcli export` words it) must
be in the text, each on one line, and every manual must start a page of its own, headed with the
name the organist gave it; every piston's label must be there too. Runs on the example, on the
example given names and labels by `zktcli import`, on a simulated five-manual chain, and on random
images, without a display. In German, Dutch and French, chosen by --language and by the
environment's variables, the chart must be in that language: its headings and manuals named as the
language names them, and none of the chart's English words left.

Usage: chart_pdf_text.py --zktcli PATH --example FILE [--seed N] [--count N]
"""

import argparse
import json
import os
import random
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from independent_codec import file_line, random_image  # noqa: E402

# No display and no platform chosen: zktcli has to manage on its own.
# The English checks read the English chart, whatever language the machine speaks.
ENVIRONMENT = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
ENVIRONMENT["LANGUAGE"] = "en"


def run(*command):
    result = subprocess.run(command, capture_output=True, text=True, timeout=120, env=ENVIRONMENT)
    if result.returncode != 0:
        raise RuntimeError(f"{' '.join(command)} failed ({result.returncode}): {result.stderr.strip()}")
    return result.stdout


def page_texts(pdf):
    return run("pdftotext", "-enc", "UTF-8", pdf, "-").split("\f")


def check(zktcli, source, paper, workdir):
    pdf = os.path.join(workdir, os.path.basename(source) + f".{paper}.pdf")
    run(zktcli, "chart", source, "-o", pdf, "--paper", paper)
    pages = page_texts(pdf)
    lines = {line.strip() for page in pages for line in page.splitlines()}
    text = "\n".join(pages)
    configuration = json.loads(run(zktcli, "export", source))
    problems = []
    for m, manual in enumerate(configuration["manuals"], start=1):
        name = f"Manual #{m}" + (f" \u2014 {manual['name']}" if "name" in manual else "")
        if not any(page.lstrip().startswith(name + "\n") for page in pages):
            problems.append(f"{name} does not start a page")
        for k, piston in enumerate(manual["pistons"], start=1):
            for shown in (piston["description"], piston.get("label")):
                if shown and not any(shown in line for line in lines):
                    problems.append(f"{name}, piston {k}: {shown!r} not on one line")
    if "Manual #%d" % (len(configuration["manuals"]) + 1) in text:
        problems.append("a manual the configuration does not have")
    return [f"{pdf}: {problem}" for problem in problems]


# Words each language's chart must show, and how it names the first manual.
LANGUAGES = {
    "de": {"first manual": "Manual 1", "words": ["Setzerknöpfe", "MIDI-Kanäle", "Seite 1 von", "auf MIDI-Kanal"]},
    "nl": {"first manual": "Klavier 1", "words": ["Drukknoppen", "MIDI-kanalen", "Pagina 1 van", "op MIDI-kanaal"]},
    "fr": {"first manual": "Clavier 1", "words": ["Pistons", "Canaux MIDI", "Page 1 sur", "sur canal MIDI"]},
}
ENGLISH_WORDS = ["Thumb pistons", "MIDI channels", "Page 1 of", "on MIDI Channel", "Manual #", "Key offset",
                 "Enable Piston + Key Combinations", "General Cancel", "Memory A General", "Tremulant on"]


def check_language(zktcli, source, language, workdir):
    problems = []
    # Chosen by the option, and by the environment as a user's desktop sets it, where the system
    # may well have no locale of that language installed.
    for how, options, environment in (("--language", ["--language", language], {}),
                                      ("LANG", [], {"LANGUAGE": "", "LC_ALL": "", "LANG": f"{language}_BE.UTF-8"})):
        pdf = os.path.join(workdir, f"chart.{language}.{how}.pdf")
        result = subprocess.run([zktcli, "chart", source, "-o", pdf, *options], capture_output=True, text=True,
                                timeout=120, env={**ENVIRONMENT, **environment})
        if result.returncode != 0:
            problems.append(f"{language} by {how}: zktcli failed: {result.stderr.strip()}")
            continue
        text = "\n".join(page_texts(pdf))
        expected = LANGUAGES[language]
        for word in [expected["first manual"], *expected["words"]]:
            if word not in text:
                problems.append(f"{language} by {how}: {word!r} is not on the chart")
        for word in ENGLISH_WORDS:
            if word in text:
                problems.append(f"{language} by {how}: the English {word!r} is on the chart")
    return problems


def named_copy(zktcli, source, workdir):
    """The configuration as its console is known, given its names through JSON."""
    configuration = json.loads(run(zktcli, "export", source))
    for manual, name in zip(configuration["manuals"], ("Great", "Récit expressif", "Pédale")):
        manual["name"] = name
        for k, label in ((0, "Set"), (4, "General 5"), (10, "Sw to Gt"), (19, "Tutti 100%")):
            manual["pistons"][k]["label"] = label
    named = os.path.join(workdir, "named.json")
    with open(named, "w", encoding="utf-8") as f:
        json.dump(configuration, f, ensure_ascii=False)
    output = os.path.join(workdir, "named.zkt")
    run(zktcli, "import", named, "-o", output)
    return output


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--zktcli", required=True)
    parser.add_argument("--example", required=True)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--count", type=int, default=10)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    with tempfile.TemporaryDirectory() as workdir:
        five = os.path.join(workdir, "five.zkt")
        run(args.zktcli, "load", "--simulate", "5", "-o", five)
        sources = [args.example, named_copy(args.zktcli, args.example, workdir), five]
        for n in range(args.count):
            source = os.path.join(workdir, f"random{n}.zkt")
            with open(source, "w", newline="") as f:
                f.write("".join(file_line(random_image(rng)) for _ in range(rng.randrange(1, 6))))
            sources.append(source)
        failures = []
        for n, source in enumerate(sources):
            failures += check(args.zktcli, source, "letter" if n % 2 else "a4", workdir)
        for language in LANGUAGES:
            failures += check_language(args.zktcli, args.example, language, workdir)
    for failure in failures:
        print(failure)
    print(f"{len(sources)} charts read back, {len(failures)} problems")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
