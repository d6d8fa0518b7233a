#pragma once

#include <QObject>
#include <QRect>
#include <functional>

class QLabel;
class QTime;
class QToolBar;

// The two time panels of the main toolbar: the start time of the session
// (Panel1) and its stop time (Panel2). They lie over the part of the toolbar
// that `area` gives (the class buttons, idle during a session), so the
// session's own controls stay in view. A double click on the toolbar shows
// them, a double click on either hides both.
class TimePanels : public QObject
{
    Q_OBJECT
public:
    TimePanels(QToolBar* toolBar, std::function<QRect()> area);

    void setVisible(bool visible);
    void showStart(const QTime& start);
    void showStop(const QTime& stop);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolBar* m_toolBar;
    std::function<QRect()> m_area;
    QLabel* Panel1;
    QLabel* Panel2;
};
