#!/usr/bin/python3
"""The two program folders that make dist assembles hold exactly what a workstation
needs and nothing else: the five deliverables, the data files byte for byte as built,
the guides, and a README.txt that says the engines are installed apart. Never an
engine: the stand-ins that tools/engines builds are test doubles, so neither folder
nor the installer made from dist/ may carry them. Every binary is of the folder's
architecture, stripped, imports only Windows' own DLLs, and the libraries export
exactly their .def.

    check_dist.py <source tree>
"""
import re
import subprocess
import sys
from pathlib import Path

DELIVERABLES = ["TopVaultrine.exe", "ConfigVaultrine.exe", "Vaultrine.dll",
                "RestoreVaultrine.dll", "Glowtick.exe"]
DATA = ["ConfigVaultrine.mes", "RestoreVaultrine.mes", "Low_Template_TSN.tsn",
        "High_Template_TSN.tsn"]
CATALOG = "locale/gui/LC_MESSAGES/vaultrine.mo"
GUIDES = ["UsersGuide.pdf", "Documentation.pdf"]
ENGINES = ["Vaultrine.exe", "Revivalis.exe"]
DEFS = {"Vaultrine.dll": "backup_support/Vaultrine.def",
        "RestoreVaultrine.dll": "restore_support/RestoreVaultrine.def"}
FOLDERS = [("dist", "win32", "i686", "pei-i386"), ("dist-x64", "win64", "x86_64", "pei-x86-64")]

failures = []


def fail(folder, text):
    failures.append(f"{folder}: {text}")


def run(*args):
    return subprocess.run(args, capture_output=True, text=True)


def check(root, folder, preset, triplet, pe_format):
    dist = root / folder
    build = root / "build" / preset
    if not dist.is_dir():
        fail(folder, "missing: run make dist")
        return
    expected = set(DELIVERABLES + DATA + GUIDES + [CATALOG, "README.txt"])
    present = {p.relative_to(dist).as_posix() for p in dist.rglob("*") if p.is_file()}
    for name in sorted({p.name for p in dist.rglob("*")} & set(ENGINES)):
        fail(folder, f"holds the engine {name}: the stand-ins are test doubles, the real engines are installed apart")
    for name in sorted(present - expected):
        fail(folder, f"holds {name}, which does not belong in a program folder")
    for name in sorted(expected - present):
        fail(folder, f"lacks {name}")

    objdump = f"{triplet}-w64-mingw32-objdump"
    for name in sorted(n for n in present & expected if n.endswith((".exe", ".dll"))):
        path = dist / name
        header = run(objdump, "-f", str(path)).stdout
        if f"file format {pe_format}" not in header:
            fail(folder, f"{name} is not {pe_format}")
        sections = run(objdump, "-h", str(path)).stdout
        if ".debug" in sections:
            fail(folder, f"{name} still carries debug sections")
        if "no symbols" not in run(objdump, "-t", str(path)).stdout:
            fail(folder, f"{name} still carries its symbol table")
        if name in DELIVERABLES:
            args = ["cmake", f"-DBINARY={path}", f"-DOBJDUMP={objdump}"]
            if name in DEFS:
                args.append(f"-DDEF={root / DEFS[name]}")
            checked = run(*args, "-P", str(root / "cmake" / "CheckBinary.cmake"))
            if checked.returncode != 0:
                fail(folder, f"{name}: {checked.stderr.strip() or checked.stdout.strip()}")

    sources = {name: root / "data" / name for name in DATA}
    sources[CATALOG] = build / "data" / CATALOG
    sources.update({name: root / "build" / "native" / "guide" / name for name in GUIDES})
    for name, source in sources.items():
        if name in present and source.is_file() and (dist / name).read_bytes() != source.read_bytes():
            fail(folder, f"{name} differs from {source.relative_to(root)}")

    readme = (dist / "README.txt").read_bytes() if "README.txt" in present else b""
    if readme:
        if not readme.startswith(b"\xef\xbb\xbf"):
            fail(folder, "README.txt lacks the UTF-8 mark that Notepad expects")
        if re.search(rb"(?<!\r)\n", readme):
            fail(folder, "README.txt has lines not ended by CR LF")
        text = readme.decode("utf-8-sig")
        for engine in ENGINES:
            if len(re.findall(rf"(?<![\w]){re.escape(engine)}", text)) < 2:
                fail(folder, f"README.txt does not say in both languages where {engine} goes")
        if "stand-in" in text or "remplacement" in text:
            fail(folder, "README.txt speaks of stand-in engines, which no program folder holds")
    print(f"{folder}/: {len(present)} files")


def check_installer(root):
    """The installer wraps dist/ through the lists scripts/build-installer generates
    from it: neither they nor the script may put an engine into the user's folder."""
    files = root / "build" / "installer" / "files.nsh"
    if not files.is_file():
        fail("installer", "build/installer/files.nsh missing: run make installer")
        return
    script = (root / "installer" / "VaultrineSuite.nsi").read_text(encoding="utf-8")
    for source, text in (("files.nsh", files.read_text(encoding="utf-8")), ("VaultrineSuite.nsi", script)):
        for line in text.splitlines():
            if line.lstrip().startswith(";"):
                continue
            for engine in ENGINES:
                if re.search(rf"(?<![\w]){re.escape(engine)}", line) and re.match(r"\s*(File|!insertmacro)\b", line):
                    fail("installer", f"{source} installs {engine}: {line.strip()}")
    print("installer: no engine in what it installs")


def main():
    root = Path(sys.argv[1]).resolve()
    for entry in FOLDERS:
        check(root, *entry)
    check_installer(root)
    for f in failures:
        print("FAIL", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
