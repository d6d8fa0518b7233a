#pragma once

#include "app/TSingleInstanceGuard.h"
#include "app/TfrmPrincipale.h"
#include "session/CountingSession.h"
#include "tests/support/FakeServizi.h"

#include <QAction>
#include <QLabel>
#include <QToolButton>

// A main window that sees a dial-up connection of the named phone-book entry.
class ConnectedWindow : public TfrmPrincipale
{
public:
    ConnectedWindow(Servizi& servizi, StatoProgramma& stato, CountingSession& session,
                    std::unique_ptr<TSingleInstanceGuard> guard, QString entry)
        : TfrmPrincipale(servizi, stato, session, std::move(guard))
        , m_entry(std::move(entry))
    {
    }
    QString nomeConnessione() const override { return m_entry; }

private:
    QString m_entry;
};

// One program's worth of fake services, its counting session and its main
// window, put together as the program does.
struct Program : FakeServizi
{
    CountingSession session{servizi, stato};
    QString entry; // the connected phone-book entry, none when empty
    std::unique_ptr<TfrmPrincipale> window;

    ~Program() { window.reset(); }

    TfrmPrincipale& start()
    {
        auto guard = std::make_unique<TSingleInstanceGuard>(lock, QStringLiteral("brenvolo"));
        guard->check();
        if (entry.isEmpty())
            window = std::make_unique<TfrmPrincipale>(servizi, stato, session, std::move(guard));
        else
            window = std::make_unique<ConnectedWindow>(servizi, stato, session, std::move(guard), entry);
        window->present();
        return *window;
    }
    QAction* action(const char* name) { return window->findChild<QAction*>(QString::fromLatin1(name)); }
    QToolButton* button(const char* name) { return window->findChild<QToolButton*>(QString::fromLatin1(name)); }
    QLabel* panel(const char* name) { return window->findChild<QLabel*>(QString::fromLatin1(name)); }
};
