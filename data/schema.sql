-- Aufbau der Futterdatenbank Futter.mdb (SQLite).
-- Jede Anweisung endet mit einem Semikolon, Kommentare enthalten keines.
-- Nährstoffe je kg Trockenmasse (Endung TM), TM_g in g Trockenmasse je kg Frischmasse.

-- Futtermittel: ein Datensatz je Futter
CREATE TABLE Futtermittel (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    FutterArt INTEGER DEFAULT 0,         -- allgemeine Futterart, Schlüssel von FutterArten, 1 bis 5 = Grundfutter
    FutterArtIOFC INTEGER DEFAULT 0,     -- Futtergruppe 1 bis 5
    Bezeichnung TEXT,
    TM_g DOUBLE DEFAULT 0,               -- g TM je kg FM
    XP_gTM DOUBLE DEFAULT 0,             -- Rohprotein
    nXP_gTM DOUBLE DEFAULT 0,            -- nutzbares Rohprotein
    UDP_gTM DOUBLE DEFAULT 0,            -- im Pansen unabgebautes Protein
    NDF_gTM DOUBLE DEFAULT 0,
    ADF_gTM DOUBLE DEFAULT 0,
    NFC_gTM DOUBLE DEFAULT 0,            -- Nicht-Faser-Kohlenhydrate
    XF_gTM DOUBLE DEFAULT 0,             -- Rohfaser
    RNB_gTM DOUBLE DEFAULT 0,            -- ruminale N-Bilanz
    ME_MJTM DOUBLE DEFAULT 0,            -- umsetzbare Energie
    NEL_MJTM DOUBLE DEFAULT 0,           -- Nettoenergie Laktation
    Ca_gTM DOUBLE DEFAULT 0,
    P_gTM DOUBLE DEFAULT 0,
    Mg_gTM DOUBLE DEFAULT 0,
    K_gTM DOUBLE DEFAULT 0,
    Na_gTM DOUBLE DEFAULT 0,
    Cu_mgTM DOUBLE DEFAULT 0,
    Zn_mgTM DOUBLE DEFAULT 0,
    Mn_mgTM DOUBLE DEFAULT 0,
    "Verfügbarkeit" INTEGER DEFAULT 0,
    Preis DOUBLE DEFAULT 0,              -- Euro je dt Frischmasse (Preis / 100 = Euro je kg FM)
    AngelegtAm DATETIME,
    "LetzteÄnderung" DATETIME,
    verstecken INTEGER DEFAULT 0
);

-- Allgemeine Futterarten, nur gelesen
CREATE TABLE FutterArten (
    ID INTEGER PRIMARY KEY,
    Bezeichnung TEXT,
    KurzBezeichnung TEXT
);

-- Die eine aktuelle Ration: fixe Menge (FixeMenge 1) oder freier Anteil (FixeMenge 0)
CREATE TABLE Ration (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    FutterID INTEGER DEFAULT 0,
    FutterFrischMenge DOUBLE DEFAULT 0,  -- kg FM je Kuh und Tag
    ProzentAnteil DOUBLE,                -- % des frei aufnehmbaren Futters, bei neuen Zeilen leer
    FixeMenge INTEGER DEFAULT 1
);

-- Gespeicherte Rationen je Kuhgruppe, Name ohne Rücksicht auf Groß- und Kleinschreibung eindeutig
CREATE TABLE Rationen (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    Name TEXT NOT NULL COLLATE NOCASE UNIQUE,
    Tiere INTEGER DEFAULT 0,             -- Kühe der Gruppe, 0 bis 9999
    Gewicht INTEGER DEFAULT 650,         -- Gewichtsklasse in kg
    Milch DOUBLE DEFAULT 0,              -- kg je Kuh und Tag
    Fett DOUBLE DEFAULT 0,               -- Prozent
    Eiweiss DOUBLE DEFAULT 3.4,          -- Prozent Milcheiweiß, für den nXP-Bedarf
    Milchpreis DOUBLE,                   -- Euro je kg Milch, leer ohne Preis
    Reserve DOUBLE DEFAULT 3,            -- Prozent Zuschlag beim Laden des Mischwagens, 0 bis 50
    Bemerkung TEXT,
    AngelegtAm DATETIME,
    GeaendertAm DATETIME
);

-- Die Zeilen der gespeicherten Rationen, wie in Ration; Reihung ist die Reihenfolge beim Laden
CREATE TABLE RationenInhalt (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    RationID INTEGER,
    FutterID INTEGER,
    FutterFrischMenge DOUBLE DEFAULT 0,
    ProzentAnteil DOUBLE,
    FixeMenge INTEGER DEFAULT 1,
    Reihung INTEGER DEFAULT 0
);

CREATE INDEX RationenInhaltRation ON RationenInhalt (RationID);

-- Weitere Tabellen, die auf ein Futter verweisen, das Löschen eines Futters prüft sie (wie Ration und RationenInhalt)

CREATE TABLE "RationFürTier" (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    FutterID INTEGER
);

CREATE TABLE Reihung (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    FutterID INTEGER
);

CREATE TABLE Zukauf (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    Futtermittel INTEGER
);
