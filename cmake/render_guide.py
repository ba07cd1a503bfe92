#!/usr/bin/env python3
"""Renders the user guide from Markdown to one HTML page (Python-Markdown).

Usage: render_guide.py GUIDE.md PAGE.html

Headings get the identifiers that the guide's own table of contents links
to (lower case, punctuation dropped, blanks turned into hyphens), so its
links work in the page as they do where the Markdown itself is read.
Pictures stay relative links (bilder/...), so the page is installed beside
the folder that holds them. A link to a missing heading or picture stops
the build with a message.
"""
import html
import os
import re
import sys

import markdown
from markdown.extensions.toc import TocExtension

STYLE = """
body { font-family: sans-serif; line-height: 1.45; max-width: 56em;
       margin: 1em auto; padding: 0 1em; color: #1b1b1b; }
h1, h2, h3 { color: #1f4e5a; }
h2 { border-bottom: 1px solid #c8d3d6; padding-bottom: 0.2em; margin-top: 2em; }
table { border-collapse: collapse; margin: 1em 0; }
th, td { border: 1px solid #c8d3d6; padding: 0.25em 0.6em; text-align: left;
         vertical-align: top; }
th { background: #e9eef0; }
code, pre { font-family: monospace; background: #f3f5f6; }
pre { padding: 0.6em 0.8em; overflow-x: auto; }
img { max-width: 100%; border: 1px solid #c8d3d6; }
"""


def heading_id(text, separator):
    text = re.sub(r"[^\w\- ]", "", text.strip().lower())
    return text.replace(" ", separator)


def main(source, target):
    with open(source, encoding="utf-8") as f:
        guide = f.read()
    body = markdown.markdown(
        guide,
        extensions=["tables", "fenced_code", "sane_lists", TocExtension(slugify=heading_id)],
        output_format="html",
    )

    problems = []
    ids = set(re.findall(r'\bid="([^"]*)"', body))
    for anchor in re.findall(r'\bhref="#([^"]*)"', body):
        if html.unescape(anchor) not in {html.unescape(i) for i in ids}:
            problems.append(f"link to a missing heading: #{anchor}")
    folder = os.path.dirname(os.path.abspath(source))
    for picture in re.findall(r'<img[^>]*\bsrc="([^"]*)"', body):
        if not os.path.isfile(os.path.join(folder, html.unescape(picture))):
            problems.append(f"missing picture: {picture}")
    if problems:
        for problem in problems:
            print(f"{source}: {problem}", file=sys.stderr)
        return 1

    title_match = re.search(r"<h1[^>]*>(.*?)</h1>", body, re.S)
    title = re.sub(r"<[^>]+>", "", title_match.group(1)) if title_match else "Benutzerhandbuch"
    page = (
        "<!DOCTYPE html>\n"
        '<html lang="de">\n<head>\n<meta charset="utf-8">\n'
        '<meta name="viewport" content="width=device-width, initial-scale=1">\n'
        f"<title>{title}</title>\n<style>{STYLE}</style>\n</head>\n<body>\n"
        f"{body}\n</body>\n</html>\n"
    )
    os.makedirs(os.path.dirname(os.path.abspath(target)), exist_ok=True)
    partial = target + ".part"
    with open(partial, "w", encoding="utf-8") as f:
        f.write(page)
    os.replace(partial, target)
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    sys.exit(main(sys.argv[1], sys.argv[2]))
