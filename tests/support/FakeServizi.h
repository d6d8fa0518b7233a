#pragma once

#include "platform/Servizi.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/ReportingSettingsBackend.h"
#include "settings/SettingsStore.h"
#include "settings/StatoProgramma.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeDialUpSource.h"
#include "tests/support/FakeInstanceLock.h"
#include "tests/support/FakeNotifier.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/FakeSheetTransport.h"
#include "tests/support/FakeShell.h"
#include "tests/support/FakeSounds.h"
#include "tests/support/TestDirs.h"

#include <QDir>
#include <QFile>

// A settings tree in memory that can be made to refuse every write, as a
// settings folder that cannot be written does.
class LockableSettingsBackend : public MemorySettingsBackend
{
public:
    bool setValue(const QString& key, const QString& name, const QString& text) override
    {
        return !locked && MemorySettingsBackend::setValue(key, name, text);
    }
    bool createKey(const QString& key) override { return !locked && MemorySettingsBackend::createKey(key); }

    bool locked = false;
};

// The fake services every window test starts from, put together the way the
// program puts the real ones together: a private directory tree, a clock
// standing at Monday 6 December 1999 21:30:05, message boxes that fail the
// test unless expected, the settings in memory (told once to the prompter
// when a write fails) and an empty settings snapshot.
struct FakeServizi
{
    TestDirs dirs;
    FakeClock clock{QDateTime(QDate(1999, 12, 6), QTime(21, 30, 5))};
    FakePrompter prompter;
    FakeSounds sounds;
    FakeShell shell;
    LockableSettingsBackend memory;
    ReportingSettingsBackend settings{memory, dirs.settingsDirectory()};
    FakeInstanceLock lock;
    FakeDialUpSource dialUp;
    FakeSheetTransport sheet;
    FakeNotifier notifier;
    bool trayAvailable = true; // the desktop shows tray icons
    Servizi servizi{clock, prompter, sounds, shell, settings, lock, dialUp, sheet, notifier, dirs.data()};
    StatoProgramma stato;
    SettingsStore store{settings};
    const QString workingDirectory = QDir::currentPath();

    FakeServizi()
    {
        settings.setOnFirstFailure([this](const QString& message) { prompter.warning(message); });
        servizi.trayAvailable = [this] { return trayAvailable; };
    }
    ~FakeServizi() { QDir::setCurrent(workingDirectory); }

    // A program that has already run once (the factory settings and an empty
    // archive), with one setting changed.
    void configured(const QString& section, const QString& value, const QString& text)
    {
        if (store.isFirstRun()) {
            store.writeFirstRunDefaults(220);
            QDir().mkpath(dirs.data());
            QFile(archive()).open(QIODevice::WriteOnly);
        }
        store.writeText(section, value, text);
    }
    QString archive() const { return dirs.data() + QStringLiteral("/tqklog.txt"); }
    QByteArray archiveBytes() const
    {
        QFile file(archive());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The archive's lines without their CR LF.
    QList<QByteArray> records() const
    {
        QList<QByteArray> lines = archiveBytes().split('\n');
        lines.removeAll(QByteArray());
        for (QByteArray& line : lines)
            line.chop(1);
        return lines;
    }
    void at(const QDateTime& when) { clock.set(when); }
};
