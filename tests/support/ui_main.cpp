#include "tests/support/UiTestRegistry.h"

#include <QApplication>
#include <QTest>

std::vector<UiTestFactory>& uiTestFactories()
{
    static std::vector<UiTestFactory> factories;
    return factories;
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failures = 0;
    for (const UiTestFactory& make : uiTestFactories()) {
        const std::unique_ptr<QObject> test = make();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
