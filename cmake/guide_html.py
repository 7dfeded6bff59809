#!/usr/bin/env python3
"""Turns the user guide (Markdown) into the HTML page the program opens with F1, with its
pictures beside it: guide_html.py GUIDE.md OUT.html. Links within the guide keep working, and a
picture or an anchor the guide names but does not have stops the build. A guide's first pages in
another language (user-guide.de.md) become user-guide.de.html in that language, their links
into the English guide pointing at its page."""

import re
import shutil
import sys
from pathlib import Path

import markdown

PAGE = """<!DOCTYPE html>
<html lang="{language}">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>{title}</title>
<style>
body {{ font-family: sans-serif; line-height: 1.45; max-width: 56em; margin: 1em auto; padding: 0 1em; }}
img {{ max-width: 100%; border: 1px solid #ccc; }}
table {{ border-collapse: collapse; }}
th, td {{ border: 1px solid #bbb; padding: 0.2em 0.5em; text-align: left; vertical-align: top; }}
code, pre {{ background: #f3f3f3; }}
pre {{ padding: 0.5em; overflow-x: auto; }}
</style>
</head>
<body>
{body}
</body>
</html>
"""


def main():
    source, target = Path(sys.argv[1]), Path(sys.argv[2])
    text = source.read_text(encoding="utf-8")
    converter = markdown.Markdown(extensions=["tables", "fenced_code", "toc"],
                                  extension_configs={"toc": {"slugify": github_slug}})
    body = converter.convert(text).replace('href="user-guide.md', 'href="user-guide.html')
    suffixes = source.name.split(".")
    language = suffixes[1] if len(suffixes) == 3 else "en"
    title = re.search(r"^# (.+)$", text, re.M).group(1)
    problems = []
    ids = set(re.findall(r'id="([^"]+)"', body))
    for anchor in re.findall(r'href="#([^"]+)"', body):
        if anchor not in ids:
            problems.append(f"no heading for the link #{anchor}")
    for picture in re.findall(r'src="([^"]+)"', body):
        if not (source.parent / picture).is_file():
            problems.append(f"no picture {picture}")
    if problems:
        sys.exit(f"{source}: " + "; ".join(problems))
    target.parent.mkdir(parents=True, exist_ok=True)
    target.write_text(PAGE.format(language=language, title=title, body=body), encoding="utf-8")
    pictures = source.parent / "images"
    if pictures.is_dir() and target.parent != source.parent:
        shutil.copytree(pictures, target.parent / "images", dirs_exist_ok=True)


def github_slug(value, separator):
    """Anchors as the guide's links write them: lower case, blanks as hyphens, punctuation dropped."""
    value = re.sub(r"[^\w\- ]", "", value.strip().lower())
    return value.replace(" ", separator)


if __name__ == "__main__":
    main()
