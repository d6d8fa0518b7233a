#include "platform/DisplayPlatform.h"

#include <gtest/gtest.h>

namespace {

struct Case
{
    const char* name;
    std::vector<const char*> environment; // NAME=value
    std::vector<const char*> arguments;
    const char* expected;
};

QProcessEnvironment environment(const std::vector<const char*>& variables)
{
    QProcessEnvironment env;
    for (const char* text : variables) {
        const QString variable = QString::fromLatin1(text);
        const qsizetype equals = variable.indexOf(QLatin1Char('='));
        env.insert(variable.left(equals), variable.mid(equals + 1));
    }
    return env;
}

QStringList arguments(const std::vector<const char*>& texts)
{
    QStringList list;
    for (const char* text : texts)
        list.append(QString::fromLatin1(text));
    return list;
}

const std::vector<const char*> program{"brenvolo"};
const char* const xcb = "xcb";
const char* const none = "";

} // namespace

TEST(DisplayPlatform, XWaylandOnlyForAWaylandSessionWithAnXServerAndNoChoiceOfTheUser)
{
    const Case cases[] = {
        {"wayland display", {"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0"}, program, xcb},
        {"wayland session type", {"XDG_SESSION_TYPE=wayland", "DISPLAY=:1"}, program, xcb},
        {"x11 session", {"XDG_SESSION_TYPE=x11", "DISPLAY=:0"}, program, none},
        {"no X server", {"WAYLAND_DISPLAY=wayland-0"}, program, none},
        {"empty DISPLAY", {"WAYLAND_DISPLAY=wayland-0", "DISPLAY="}, program, none},
        {"empty WAYLAND_DISPLAY", {"WAYLAND_DISPLAY=", "DISPLAY=:0"}, program, none},
        {"user's platform", {"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0", "QT_QPA_PLATFORM=wayland"}, program, none},
        {"empty QT_QPA_PLATFORM", {"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0", "QT_QPA_PLATFORM="}, program, xcb},
        {"-platform argument", {"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0"}, {"brenvolo", "-platform", "wayland"}, none},
        {"--platform argument",
         {"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0"},
         {"brenvolo", "--platform", "wayland"},
         none},
        {"program named -platform", {"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0"}, {"-platform"}, xcb},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DisplayPlatform::forcedPlatform(environment(c.environment), arguments(c.arguments)),
                  QString::fromLatin1(c.expected));
    }
}
