#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

// The window test classes of ui_tests, run one after the other by its main().
using UiTestFactory = std::function<std::unique_ptr<QObject>()>;
std::vector<UiTestFactory>& uiTestFactories();

template <typename T> struct UiTestRegistration
{
    UiTestRegistration()
    {
        uiTestFactories().push_back([] { return std::make_unique<T>(); });
    }
};

#define BRENVOLO_UI_TEST(Class) static const UiTestRegistration<Class> registration##Class;
