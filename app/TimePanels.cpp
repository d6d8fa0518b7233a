#include "app/TimePanels.h"

#include "settings/Conversion.h"

#include <QEvent>
#include <QLabel>
#include <QToolBar>

namespace {

QLabel* makeTimePanel(QWidget* parent, const QString& name)
{
    auto* panel = new QLabel(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(Qt::AlignCenter);
    panel->setAutoFillBackground(true);
    panel->setToolTip(QStringLiteral("Doppio click per nascondere"));
    panel->hide();
    return panel;
}

} // namespace

TimePanels::TimePanels(QToolBar* toolBar, std::function<QRect()> area)
    : QObject(toolBar)
    , m_toolBar(toolBar)
    , m_area(std::move(area))
    , Panel1(makeTimePanel(toolBar, QStringLiteral("Panel1")))
    , Panel2(makeTimePanel(toolBar, QStringLiteral("Panel2")))
{
    m_toolBar->setToolTip(QStringLiteral("Doppio click per visualizzare\ni pannelli degli orari"));
    m_toolBar->installEventFilter(this);
    Panel1->installEventFilter(this);
    Panel2->installEventFilter(this);
}

void TimePanels::setVisible(bool visible)
{
    const QRect area = m_area();
    const int half = area.width() / 2;
    Panel1->setGeometry(area.left(), 0, half, m_toolBar->height());
    Panel2->setGeometry(area.left() + half, 0, area.width() - half, m_toolBar->height());
    Panel1->setVisible(visible);
    Panel2->setVisible(visible);
    if (visible) {
        Panel1->raise();
        Panel2->raise();
    }
}

void TimePanels::showStart(const QTime& start)
{
    Panel1->setText(formatTime(start));
    Panel2->clear();
}

void TimePanels::showStop(const QTime& stop)
{
    Panel2->setText(formatTime(stop));
}

bool TimePanels::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == m_toolBar) {
            setVisible(true);
            return true;
        }
        if (watched == Panel1 || watched == Panel2) {
            setVisible(false);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
