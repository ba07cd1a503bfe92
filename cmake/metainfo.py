#!/usr/bin/env python3
"""Writes the AppStream file from its template: the release history from
the Debian changelog (newest first, one release per entry, its bullets as
the release notes) and the web address of the guide and its pictures.

Usage: metainfo.py TEMPLATE CHANGELOG WEBSITE OUTPUT
"""
import email.utils
import os
import re
import sys
from xml.sax.saxutils import escape, quoteattr


def releases(changelog):
    """(version, ISO date, [notes]) of every entry, newest first."""
    entries = []
    version, notes = None, []
    for line in changelog.splitlines():
        header = re.match(r"^\S+ \(([^)]+)\) ", line)
        if header:
            version, notes = header.group(1), []
        elif line.startswith("  * "):
            notes.append(line[4:].strip())
        elif line.startswith("    ") and notes:
            notes[-1] += " " + line.strip()
        elif line.startswith(" -- "):
            if version is None:
                raise ValueError(f"trailer without an entry: {line}")
            stamp = line.split(">", 1)[1].strip()
            date = email.utils.parsedate_to_datetime(stamp).date().isoformat()
            entries.append((version, date, notes))
            version, notes = None, []
    if not entries:
        raise ValueError("no entry")
    return entries


def release_xml(entries):
    parts = []
    for version, date, notes in entries:
        parts.append(f"    <release version={quoteattr(version)} date={quoteattr(date)}>")
        if notes:
            parts.append("      <description>")
            parts.append("        <ul>")
            parts.extend(f"          <li>{escape(note)}</li>" for note in notes)
            parts.append("        </ul>")
            parts.append("      </description>")
        parts.append("    </release>")
    return "\n".join(parts)


def main(template_path, changelog_path, website, output):
    with open(template_path, encoding="utf-8") as f:
        template = f.read()
    with open(changelog_path, encoding="utf-8") as f:
        changelog = f.read()
    text = template.replace("@ORBITON_WEBSITE@", escape(website.rstrip("/")))
    text = text.replace("@ORBITON_RELEASES@", release_xml(releases(changelog)))
    partial = output + ".part"
    with open(partial, "w", encoding="utf-8") as f:
        f.write(text)
    os.replace(partial, output)


if __name__ == "__main__":
    if len(sys.argv) != 5:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    main(*sys.argv[1:])
