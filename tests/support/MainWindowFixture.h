#pragma once

#include "app/Servizi.h"
#include "app/TSingleInstanceGuard.h"
#include "app/TfrmPrincipale.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"
#include "settings/StatoProgramma.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeDialUpSource.h"
#include "tests/support/FakeInstanceLock.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/FakeSheetTransport.h"
#include "tests/support/FakeShell.h"
#include "tests/support/FakeSounds.h"
#include "tests/support/TestDirs.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QToolButton>

// A main window that sees a dial-up connection of the named phone-book entry.
class ConnectedWindow : public TfrmPrincipale
{
public:
    ConnectedWindow(Servizi& servizi, StatoProgramma& stato, std::unique_ptr<TSingleInstanceGuard> guard, QString entry)
        : TfrmPrincipale(servizi, stato, std::move(guard))
        , m_entry(std::move(entry))
    {
    }
    QString nomeConnessione() const override { return m_entry; }

private:
    QString m_entry;
};

// One program's worth of fake services around a main window.
struct Program
{
    TestDirs dirs;
    FakeClock clock{QDateTime(QDate(1999, 12, 6), QTime(21, 30, 5))};
    FakePrompter prompter;
    FakeSounds sounds;
    FakeShell shell;
    MemorySettingsBackend settings;
    FakeInstanceLock lock;
    FakeDialUpSource dialUp;
    FakeSheetTransport sheet;
    Servizi servizi{clock, prompter, sounds, shell, settings, lock, dialUp, sheet, dirs.data()};
    StatoProgramma stato;
    SettingsStore store{settings};
    QString entry; // the connected phone-book entry, none when empty
    const QString workingDirectory = QDir::currentPath();
    const QString displayName = QGuiApplication::applicationDisplayName();
    std::unique_ptr<TfrmPrincipale> window;

    ~Program()
    {
        window.reset();
        QDir::setCurrent(workingDirectory);
        QGuiApplication::setApplicationDisplayName(displayName);
    }

    // A program that has already run once, with one setting changed.
    void configured(const QString& section, const QString& value, const QString& text)
    {
        if (store.isFirstRun()) {
            store.writeFirstRunDefaults(220);
            QDir().mkpath(dirs.data());
            QFile(archive()).open(QIODevice::WriteOnly);
        }
        store.writeText(section, value, text);
    }
    TfrmPrincipale& start()
    {
        auto guard = std::make_unique<TSingleInstanceGuard>(lock, prompter, QStringLiteral("brenvolo"));
        guard->check();
        if (entry.isEmpty())
            window = std::make_unique<TfrmPrincipale>(servizi, stato, std::move(guard));
        else
            window = std::make_unique<ConnectedWindow>(servizi, stato, std::move(guard), entry);
        window->present();
        return *window;
    }
    QAction* action(const char* name) { return window->findChild<QAction*>(QString::fromLatin1(name)); }
    QToolButton* button(const char* name) { return window->findChild<QToolButton*>(QString::fromLatin1(name)); }
    QLabel* panel(const char* name) { return window->findChild<QLabel*>(QString::fromLatin1(name)); }
    QString archive() const { return dirs.data() + QStringLiteral("/tqklog.txt"); }
    QByteArray archiveBytes() const
    {
        QFile file(archive());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
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
