#include "tests/support/FakePrompter.h"
#include "tests/support/UiTestRegistry.h"

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <cstring>

std::vector<UiTestClass>& uiTestClasses()
{
    static std::vector<UiTestClass> classes;
    return classes;
}

void reportUnexpectedBox(const QString& text, const QString& title)
{
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1String(" | "));
    const QByteArray what = QStringLiteral("unexpected message box \"%1\": %2").arg(title, shown).toUtf8();
    QTest::qFail(what.constData(), __FILE__, __LINE__);
}

// ui_tests --list          the names of the test classes, one a line
// ui_tests CLASS [ARGS]    one class, with Qt Test's own arguments
// ui_tests                 every class
int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
        for (const UiTestClass& c : uiTestClasses())
            std::printf("%s\n", qPrintable(c.name));
        return 0;
    }
    QApplication app(argc, argv);
    const QString only = argc > 1 && argv[1][0] != '-' ? QString::fromLocal8Bit(argv[1]) : QString();
    std::vector<char*> arguments(argv, argv + argc);
    if (!only.isEmpty())
        arguments.erase(arguments.begin() + 1);
    int failures = 0;
    bool found = only.isEmpty();
    for (const UiTestClass& c : uiTestClasses()) {
        if (!only.isEmpty() && c.name != only)
            continue;
        found = true;
        const std::unique_ptr<QObject> test = c.make();
        failures += QTest::qExec(test.get(), static_cast<int>(arguments.size()), arguments.data());
    }
    if (!found) {
        std::fprintf(stderr, "ui_tests: no test class %s\n", qPrintable(only));
        return 2;
    }
    return failures == 0 ? 0 : 1;
}
