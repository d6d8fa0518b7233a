#include "app/TrayIcon.h"

#include "widgets/Glyphs.h"

#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>

TrayIcon::TrayIcon(QObject* parent)
    : QObject(parent)
    , m_menu(std::make_unique<QMenu>())
    , m_icon(new QSystemTrayIcon(Glyphs::trayFrame(0), this))
    , m_animation(new QTimer(this))
{
    setObjectName(QStringLiteral("TrayIcon"));
    m_menu->setObjectName(QStringLiteral("PopupMenu1"));
    connect(item(QStringLiteral("Ripristina1"), QStringLiteral("Ripristina")), &QAction::triggered, this,
            &TrayIcon::restoreRequested);
    connect(item(QStringLiteral("Avviailconteggio1"), QStringLiteral("Avvia il conteggio")), &QAction::triggered, this,
            &TrayIcon::startRequested);
    connect(item(QStringLiteral("Arrestailconteggio1"), QStringLiteral("Arresta il conteggio")), &QAction::triggered,
            this, &TrayIcon::stopRequested);
    connect(item(QStringLiteral("Esci2"), QStringLiteral("Esci")), &QAction::triggered, this, &TrayIcon::quitRequested);
    connect(item(QStringLiteral("Info1"), QStringLiteral("Info")), &QAction::triggered, this,
            &TrayIcon::aboutRequested);

    m_icon->setObjectName(QStringLiteral("TrayIcon1"));
    m_icon->setToolTip(QStringLiteral("Brenvolo"));
    m_icon->setContextMenu(m_menu.get());
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
            emit restoreRequested();
    });

    m_animation->setObjectName(QStringLiteral("TrayAnimation"));
    m_animation->setInterval(1000);
    connect(m_animation, &QTimer::timeout, this, &TrayIcon::nextFrame);
}

TrayIcon::~TrayIcon() = default;

QAction* TrayIcon::item(const QString& name, const QString& text)
{
    QAction* action = m_menu->addAction(text);
    action->setObjectName(name);
    // Tests and assistive tools find the items through the icon.
    action->setParent(this);
    return action;
}

void TrayIcon::show()
{
    m_icon->show();
}

void TrayIcon::hide()
{
    m_icon->hide();
}

void TrayIcon::setHint(const QString& hint)
{
    // The meter asks ten times a second; the icon's hint goes to the tray
    // host at every change, and changes once a second.
    if (m_icon->toolTip() != hint)
        m_icon->setToolTip(hint);
}

void TrayIcon::setAnimated(bool running)
{
    m_frame = 0;
    if (running) {
        m_animation->start();
    } else {
        m_animation->stop();
        m_icon->setIcon(Glyphs::trayFrame(0));
    }
}

void TrayIcon::nextFrame()
{
    m_frame = m_frame % 3 + 1;
    m_icon->setIcon(Glyphs::trayFrame(m_frame));
}
