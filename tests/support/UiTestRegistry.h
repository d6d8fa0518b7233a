#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

// The window test classes of ui_tests. Each registers itself by name; the
// build lists them (ui_tests --list) and CTest runs each class as a test of
// its own (ui_tests CLASS), so a failure names its window.
struct UiTestClass
{
    QString name;
    std::function<std::unique_ptr<QObject>()> make;
};
std::vector<UiTestClass>& uiTestClasses();

template <typename T> struct UiTestRegistration
{
    explicit UiTestRegistration(const char* name)
    {
        uiTestClasses().push_back({QString::fromLatin1(name), [] { return std::make_unique<T>(); }});
    }
};

#define BRENVOLO_UI_TEST(Class) static const UiTestRegistration<Class> registration##Class(#Class);
