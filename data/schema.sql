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

-- Weitere Tabellen, die auf ein Futter verweisen, das Löschen eines Futters prüft sie
CREATE TABLE RationenInhalt (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    FutterID INTEGER
);

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
