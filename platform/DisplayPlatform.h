#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// Which of Qt's window-system platforms the program asks for. Wayland
// compositors ignore a window's wish to stay above the others and move
// windows their own way, so in a Wayland session the program runs through
// XWayland, where the compact strip stays on top, moves as dragged and beeps.
namespace DisplayPlatform {

// "xcb" when the session is Wayland (WAYLAND_DISPLAY set, or XDG_SESSION_TYPE
// "wayland"), an X server is reachable (DISPLAY set) and the user has chosen
// no platform (neither QT_QPA_PLATFORM nor a -platform argument); empty
// otherwise, leaving Qt its own choice. Decided before the application
// object is built, from the environment and the command line.
QString forcedPlatform(const QProcessEnvironment& environment, const QStringList& arguments);

// The command line as text, for forcedPlatform().
QStringList arguments(int argc, char** argv);

} // namespace DisplayPlatform
