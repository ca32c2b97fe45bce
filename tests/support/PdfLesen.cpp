#include "PdfLesen.h"

#include <QProcess>
#include <QRegularExpression>
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

QList<PdfWort> PdfWoerter(const QString& pdf)
{
    const QString html = Ausfuehren({ QStringLiteral("-bbox"), pdf, QStringLiteral("-") });
    static const QRegularExpression muster(QStringLiteral(
        "<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    QList<PdfWort> woerter;
    int seite = 0;
    for (auto it = muster.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++seite;
            continue;
        }
        const QRectF box(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
            QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
        QString text = m.captured(5);
        text.replace(QStringLiteral("&amp;"), QStringLiteral("&"))
            .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
            .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
            .replace(QStringLiteral("&quot;"), QStringLiteral("\""));
        woerter.append({ seite, box, text });
    }
    return woerter;
}

} // namespace kelvora::test
