#!/usr/bin/env python3
"""Checks the layer check itself on small trees with one include each."""

import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

SKRIPT = Path(__file__).with_name("schichten_pruefen.py")

# (file, its text, expected line or None when the tree is in order)
FAELLE = [
    ("frame/INIDatei.cpp", '#include "frame/Protokoll.h"\n', None),
    ("database/Routinen.cpp", '#include "grundlagen/Formate.h"\n#include "frame/INIDatei.h"\n', None),
    ("ration/ui/Fenster.cpp", '#include "feeds/ui/Liste.h"\n#include <QWidget>\n', None),
    ("app/befehle/Bericht.cpp", '#include "printing/ui/Vorschau.h"\n#include <QPainter>\n', None),
    ("frame/Hauptmenue.cpp", '#include "frame/INIDatei.h"\n#include "internet/Mail.h"\n',
     "frame/Hauptmenue.cpp:2: frame bindet internet/Mail.h ein"),
    ("grundlagen/Formate.cpp", '#include "frame/Protokoll.h"\n', "grundlagen/Formate.cpp:1: grundlagen bindet"),
    ("printing/Liste.cpp", '#include "internet/Ftp.h"\n', "printing/Liste.cpp:1: printing bindet internet/Ftp.h"),
    ("frame/ui/Liste.cpp", '\n#include "app/ui/HauptFenster.h"\n', "frame/ui/Liste.cpp:2: frame bindet app/ui"),
    ("herde/Herde.cpp", '#include "ration/RationAuswerten.h"\n', None),
    ("guide/ui/Fuehrung.cpp", '#include "herde/ui/HerdenFenster.h"\n', None),
    ("herde/Herde.cpp", '#include "guide/Schritte.h"\n', "herde/Herde.cpp:1: herde bindet guide/Schritte.h ein"),
    ("ration/Kosten.cpp", '#include "herde/Herde.h"\n', "ration/Kosten.cpp:1: ration bindet herde/Herde.h ein"),
    ("ration/Bedarf.cpp", '#include <QString>\n#include <QWidget>\n',
     "ration/Bedarf.cpp:2: Logikdatei bindet die Fensterklasse <QWidget>"),
    ("ration/Bedarf.cpp", '#include <QtWidgets/QLabel>\n', "ration/Bedarf.cpp:1: Logikdatei bindet die Fensterklasse"),
    ("ration/Bericht.cpp", '#include "printing/ui/Vorschau.h"\n', "ration/Bericht.cpp:1: Logikdatei bindet das Fenster"),
    ("werkzeug/Hilfe.cpp", '#include "frame/INIDatei.h"\n', "werkzeug/Hilfe.cpp:1: Ordner werkzeug hat keinen Platz"),
]


class SchichtenPruefen(unittest.TestCase):
    def test_faelle(self):
        for datei, text, erwartet in FAELLE:
            with self.subTest(datei=datei, text=text), tempfile.TemporaryDirectory() as tmp:
                src = Path(tmp, "src")
                widgets = Path(tmp, "QtWidgets")
                widgets.mkdir()
                (widgets / "QWidget").write_text("")
                (widgets / "QLabel").write_text("")
                pfad = src / datei
                pfad.parent.mkdir(parents=True)
                pfad.write_text(text)
                lauf = subprocess.run([sys.executable, str(SKRIPT), str(src), str(widgets)],
                                      capture_output=True, text=True)
                if erwartet is None:
                    self.assertEqual(lauf.returncode, 0, lauf.stdout)
                    self.assertEqual(lauf.stdout, "")
                else:
                    self.assertEqual(lauf.returncode, 1, lauf.stdout)
                    self.assertEqual(len(lauf.stdout.splitlines()), 1, lauf.stdout)
                    self.assertIn(str(src / erwartet.split(":")[0]) + ":" + erwartet.split(":", 1)[1], lauf.stdout)


if __name__ == "__main__":
    unittest.main()
