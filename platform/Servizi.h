#pragma once

#include <QString>
#include <functional>

class Clock;
class DialUpSource;
class InstanceLock;
class Notifier;
class Prompter;
class SettingsBackend;
class SheetTransport;
class Shell;
class Sounds;

// The operating-system services every window gets: real ones from the
// platform library in the program, fakes in the tests.
struct Servizi
{
    Clock& clock;
    Prompter& prompter;
    Sounds& sounds;
    Shell& shell;
    SettingsBackend& settings;
    InstanceLock& instanceLock;
    DialUpSource& dialUp;
    SheetTransport& sheet;
    Notifier& notifier;
    // The program's directory: the call archive and the exports live here.
    QString dataDirectory;
    // Whether the desktop shows icons in a system tray; none is assumed when unset.
    std::function<bool()> trayAvailable = nullptr;
};
