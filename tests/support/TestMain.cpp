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
    int fehler = 0;
    for (const auto& erzeugen : kelvora::test::Testklassen()) {
        std::unique_ptr<QObject> t(erzeugen());
        fehler += QTest::qExec(t.get(), argc, argv);
    }
    return fehler == 0 ? 0 : 1;
}
