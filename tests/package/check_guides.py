#!/usr/bin/python3
"""The two user guides as printed: valid A4 PDFs with their fonts embedded, every
chapter of the source starting a page of its own at the page that the contents give,
no blank page, nothing lost at the end, and exactly the pictures that the text shows,
in its order, at their own pixel size, inside their chapter. Both languages tell the
same chapters with the same pictures.

    check_guides.py <docs/guide> <folder of the built PDFs>
"""
import re
import struct
import subprocess
import sys
from pathlib import Path

GUIDES = [("UsersGuide", "en"), ("Documentation", "fr")]
A4_POINTS = (595.28, 841.89)
failures = []


def fail(guide, text):
    failures.append(f"{guide}: {text}")


def run(*args):
    # The typeset text has typographic apostrophes where the source has straight ones.
    out = subprocess.run(args, check=True, capture_output=True, text=True).stdout
    return out.replace("\u2019", "'")


def letters(text):
    return re.sub(r"[^\w]", "", text).lower()


def read_source(path):
    """Metadata, chapter titles and pictures (with their chapter) of a Markdown guide."""
    text = path.read_text(encoding="utf-8")
    meta = {}
    body = text
    m = re.match(r"---\n(.*?)\n---\n", text, re.S)
    if m:
        for line in m.group(1).splitlines():
            key, _, value = line.partition(":")
            meta[key.strip()] = value.strip()
        body = text[m.end():]
    chapters, pictures, last_words = [], [], ""
    fenced = False
    for line in body.splitlines():
        if line.startswith("```"):
            fenced = not fenced
            continue
        if fenced:
            continue
        if line.startswith("# "):
            chapters.append(re.sub(r"\s*\{[^}]*\}\s*$", "", line[2:]).strip())
        for src in re.findall(r"!\[[^\]]*\]\(([^)\s]+)", line):
            pictures.append((src, len(chapters)))
        if line.strip() and not line.startswith("<!--"):
            last_words = line
    # The last words of the text, as letters only (the layout may hyphenate them).
    plain = re.sub(r"[*_`\[\]()>#|]", " ", last_words)
    return meta, chapters, pictures, letters(" ".join(plain.split()[-6:]))


def png_size(path):
    data = path.read_bytes()[:24]
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path} is not a PNG")
    return struct.unpack(">II", data[16:24])


def page_texts(pdf, pages):
    return [run("pdftotext", "-layout", "-f", str(p), "-l", str(p), str(pdf), "-")
            for p in range(1, pages + 1)]


def check(source_dir, built, name, lang):
    pdf = built / f"{name}.pdf"
    if not pdf.is_file():
        fail(name, f"{pdf} was not built")
        return None
    meta, chapters, pictures, last_words = read_source(source_dir / f"{name}.md")

    info = dict(line.split(":", 1) for line in run("pdfinfo", str(pdf)).splitlines() if ":" in line)
    info = {k.strip(): v.strip() for k, v in info.items()}
    pages = int(info["Pages"])
    if meta.get("subtitle", "?") not in info.get("Title", ""):
        fail(name, f"PDF title {info.get('Title')!r} does not name the guide {meta.get('subtitle')!r}")
    size = re.match(r"([\d.]+) x ([\d.]+) pts", info.get("Page size", ""))
    if not size or abs(float(size.group(1)) - A4_POINTS[0]) > 1 or abs(float(size.group(2)) - A4_POINTS[1]) > 1:
        fail(name, f"page size {info.get('Page size')!r} is not A4")
    if pages < 2 + len(chapters):
        fail(name, f"{pages} pages cannot hold a cover, the contents and {len(chapters)} chapters")

    fonts = run("pdffonts", str(pdf)).splitlines()[2:]
    unembedded = [f.split()[0] for f in fonts if f.split()[-5] != "yes"]
    if unembedded:
        fail(name, f"fonts not embedded: {unembedded}")

    texts = page_texts(pdf, pages)
    for number, text in enumerate(texts[1:], start=2):
        body = [l for l in text.splitlines()[1:] if l.strip() and l.strip() != str(number)]
        if not body:
            fail(name, f"page {number} is blank")

    # Each chapter begins a page (its heading line stands alone, unlike the running
    # header) and the contents give that page.
    contents = "\n".join(texts[1:3])
    starts = []
    for index, title in enumerate(chapters, start=1):
        heading = re.compile(rf"^\s*{index}\s+{re.escape(title)}\s*$", re.M)
        found = [p for p, text in enumerate(texts, start=1) if heading.search(text)]
        if len(found) != 1:
            fail(name, f"chapter {index} {title!r} heads pages {found}, expected exactly one")
            starts.append(None)
            continue
        starts.append(found[0])
        body = [l for l in texts[found[0] - 1].splitlines()[1:] if l.strip()]
        if not body or not heading.match(body[0]):
            fail(name, f"chapter {index} {title!r} does not open page {found[0]}")
        cited = re.search(rf"^\s*{index}\s+{re.escape(title)}[ .]*?(\d+)\s*$", contents, re.M)
        if not cited:
            fail(name, f"the contents do not list chapter {index} {title!r}")
        elif int(cited.group(1)) != found[0]:
            fail(name, f"the contents send chapter {index} to page {cited.group(1)}, it starts on {found[0]}")
    known = [s for s in starts if s]
    if known != sorted(known) or len(set(known)) != len(known):
        fail(name, f"chapters start on pages {starts}, not in the order of the text")

    if last_words not in letters(texts[-1]):
        fail(name, "the last page does not end with the last words of the text")

    # Pictures: pdfimages lists the drawn images page by page (masks apart).
    rows = [r.split() for r in run("pdfimages", "-list", str(pdf)).splitlines()[2:]]
    drawn = [(int(r[0]), int(r[3]), int(r[4])) for r in rows if r[2] == "image"]
    if len(drawn) != len(pictures):
        fail(name, f"{len(drawn)} pictures in the PDF, the text shows {len(pictures)}")
    for (src, chapter), (page, width, height) in zip(pictures, drawn):
        want = png_size((source_dir / src).resolve())
        if (width, height) != want:
            fail(name, f"{src} is drawn at {width}x{height} pixels, the screenshot is {want[0]}x{want[1]}")
        first = starts[chapter - 1] if chapter >= 1 else None
        after = next((s for s in starts[chapter:] if s), pages + 1)
        if first and not first <= page < after:
            fail(name, f"{src} lands on page {page}, outside its chapter (pages {first} to {after - 1})")
    other = "-fr.png" if lang == "en" else "-en.png"
    for src, _ in pictures:
        if src.endswith(other):
            fail(name, f"shows {src}, a screenshot of the other language")
    print(f"{name}.pdf: {pages} pages, {len(chapters)} chapters, {len(drawn)} pictures")
    return chapters, [re.sub(r"-(en|fr)\.png$", "", s) for s, _ in pictures]


def main():
    source_dir, built = Path(sys.argv[1]), Path(sys.argv[2])
    results = {name: check(source_dir, built, name, lang) for name, lang in GUIDES}
    if all(results.values()):
        (en_chapters, en_pictures), (fr_chapters, fr_pictures) = results.values()
        if len(en_chapters) != len(fr_chapters):
            fail("both", f"{len(en_chapters)} chapters in English, {len(fr_chapters)} in French")
        if en_pictures != fr_pictures:
            fail("both", f"the guides show different pictures: {en_pictures} / {fr_pictures}")
    for f in failures:
        print("FAIL", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
