#include "TestRegister.h"

#include <QApplication>
#include <QTest>
#include <memory>

namespace kelvora::test {
std::vector<std::function<QObject*()>>& Testklassen()
{
    static std::vector<std::function<QObject*()>> k;
    return k;
}
} // namespace kelvora::test

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    // KELVORA_TESTKLASSE=Name runs only that test class (for working on one).
    const QString nur = qEnvironmentVariable("KELVORA_TESTKLASSE");
    int fehler = 0;
    for (const auto& erzeugen : kelvora::test::Testklassen()) {
        std::unique_ptr<QObject> t(erzeugen());
        if (!nur.isEmpty() && nur != QString::fromLatin1(t->metaObject()->className()))
            continue;
        fehler += QTest::qExec(t.get(), argc, argv);
    }
    return fehler == 0 ? 0 : 1;
}
