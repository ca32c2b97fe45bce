#include "PdfLesen.h"

#include <QProcess>
#include <QtTest>

namespace kelvora::test {

namespace {

QString Ausfuehren(const QStringList& argumente)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), argumente);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        qWarning() << "pdftotext" << argumente << "failed:" << p.readAllStandardError();
        return QString();
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

QStringList PdfSeiten(const QString& pdf)
{
    QStringList seiten = Ausfuehren({ QStringLiteral("-layout"), pdf, QStringLiteral("-") }).split(QLatin1Char('\f'));
    if (!seiten.isEmpty() && seiten.last().trimmed().isEmpty())
        seiten.removeLast();
    return seiten;
}

} // namespace kelvora::test
