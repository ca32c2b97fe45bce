#!/usr/bin/env python3
"""Keeps the folders of src/ standing on each other in one order.

A file may include headers of its own folder and of folders below it:

    grundlagen -> frame -> database -> printing, internet -> feeds -> ration -> herde -> guide -> app

printing and internet stand side by side and do not include each other. A
logic file (one outside a ui/ folder) includes no widget or print-support
header and no window header of ours, so the library without widgets still
builds from it. app is the shell on top: the program's entry, the commands
(some of which paint) and the main window join logic and windows, so the
widget rule does not apply there.

Usage: schichten_pruefen.py SRC [WIDGET_INCLUDE_DIR ...]
Prints "file:line: reason" for every offending include and exits 1, or
exits 0 when the tree is in order.
"""

import re
import sys
from pathlib import Path

STUFEN = {
    "grundlagen": 0,
    "frame": 1,
    "database": 2,
    "printing": 3,
    "internet": 3,
    "feeds": 4,
    "ration": 5,
    "herde": 6,
    "guide": 7,
    "app": 8,
}

EIGENES = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
SYSTEM = re.compile(r"^\s*#\s*include\s+<([^>]+)>")
WIDGET_MODULE = ("QtWidgets/", "QtPrintSupport/", "QtCharts/")


def widget_kopfdateien(ordner):
    namen = set()
    for o in ordner:
        p = Path(o)
        # Only the widget modules' own folders; their include paths also
        # carry QtCore and QtGui, which logic may use.
        if p.is_dir() and p.name in ("QtWidgets", "QtPrintSupport", "QtCharts"):
            namen.update(f.name for f in p.iterdir() if f.is_file())
    return namen


def pruefen(src, widget_namen):
    fehler = []
    for datei in sorted(src.rglob("*")):
        if datei.suffix not in (".cpp", ".h") or not datei.is_file():
            continue
        rel = datei.relative_to(src)
        ordner = rel.parts[0]
        stufe = STUFEN.get(ordner)
        if stufe is None:
            fehler.append(f"{datei}:1: Ordner {ordner} hat keinen Platz in der Schichtfolge")
            continue
        logik = "ui" not in rel.parts[1:-1] and ordner != "app"
        for nr, zeile in enumerate(datei.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
            m = EIGENES.match(zeile)
            if m:
                ziel = Path(m.group(1))
                ziel_ordner = ziel.parts[0] if len(ziel.parts) > 1 else ordner
                ziel_stufe = STUFEN.get(ziel_ordner)
                if ziel_stufe is None:
                    continue
                if ziel_ordner != ordner and ziel_stufe >= stufe:
                    fehler.append(f"{datei}:{nr}: {ordner} bindet {m.group(1)} ein, "
                                  f"{ziel_ordner} steht nicht unter {ordner}")
                elif logik and "ui" in ziel.parts[1:-1]:
                    fehler.append(f"{datei}:{nr}: Logikdatei bindet das Fenster {m.group(1)} ein")
                continue
            m = SYSTEM.match(zeile)
            if m and logik:
                name = m.group(1)
                if name.startswith(WIDGET_MODULE) or name in widget_namen:
                    fehler.append(f"{datei}:{nr}: Logikdatei bindet die Fensterklasse <{name}> ein")
    return fehler


def main(argv):
    if len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    src = Path(argv[1])
    ordner = argv[2:] or [str(p) for p in Path("/usr/include").glob("*/qt6/QtWidgets")] \
        + [str(p) for p in Path("/usr/include").glob("*/qt6/QtPrintSupport")]
    namen = widget_kopfdateien(ordner)
    if not namen:
        print("Keine Kopfdateien von QtWidgets gefunden: " + " ".join(ordner), file=sys.stderr)
        return 2
    fehler = pruefen(src, namen)
    for f in fehler:
        print(f)
    return 1 if fehler else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
