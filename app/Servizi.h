#pragma once

#include <QString>

class Clock;
class DialUpSource;
class InstanceLock;
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
    // The program's directory: the call archive and the exports live here.
    QString dataDirectory;
};
