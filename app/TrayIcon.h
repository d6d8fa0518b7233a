#pragma once

#include <QObject>
#include <memory>

class QAction;
class QMenu;
class QSystemTrayIcon;
class QTimer;

// The program's icon in the notification area, in tray mode: its menu
// ("Ripristina", "Avvia il conteggio", "Arresta il conteggio", "Esci",
// "Info"), its hint, and its animation of one frame a second while counting.
// A click on the icon asks for the windows back, as "Ripristina" does.
class TrayIcon : public QObject
{
    Q_OBJECT
public:
    explicit TrayIcon(QObject* parent);
    ~TrayIcon() override;

    void show();
    void hide();
    void setHint(const QString& hint);
    void setAnimated(bool running);

signals:
    void restoreRequested();
    void startRequested();
    void stopRequested();
    void quitRequested();
    void aboutRequested();

private:
    QAction* item(const QString& name, const QString& text);
    void nextFrame();

    std::unique_ptr<QMenu> m_menu; // a menu is a widget: no object of the window owns it
    QSystemTrayIcon* m_icon;
    QTimer* m_animation;
    int m_frame = 0;
};
