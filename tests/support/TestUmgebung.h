#pragma once
// A temporary data folder for one test: sets the program-wide paths to it
// and restores them afterwards.

#include "frame/Programm.h"

#include <QByteArray>
#include <QDateTime>
#include <QStringList>
#include <QTemporaryDir>

namespace kelvora::test {

class TestDatenordner {
public:
    TestDatenordner();
    ~TestDatenordner();

    QString Pfad(const QString& name = QString()) const;
    QByteArray Roh(const QString& name) const;
    void Schreiben(const QString& name, const QByteArray& inhalt) const;
    // Lines of a text file (UTF-8), without line ends.
    QStringList Zeilen(const QString& name) const;
    // Sets the file's last-write time.
    void DateizeitSetzen(const QString& name, const QDateTime& zeit) const;

private:
    QTemporaryDir dir;
    Programmwerte alt;
};

} // namespace kelvora::test
