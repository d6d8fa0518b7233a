#include "app/CreditsBanner.h"

#include <QPainter>
#include <QTimer>

#include <algorithm>

CreditsBanner::CreditsBanner(const QStringList& lines, QWidget* parent)
    : QFrame(parent)
    , m_lines(lines)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAccessibleName(QStringLiteral("Ringraziamenti"));
    setAccessibleDescription(lines.join(QLatin1Char('\n')));
    m_timer = new QTimer(this);
    m_timer->setInterval(stepInterval);
    connect(m_timer, &QTimer::timeout, this, &CreditsBanner::scroll);
}

QSize CreditsBanner::sizeHint() const
{
    int widest = 0;
    for (const QString& line : m_lines)
        widest = std::max(widest, fontMetrics().horizontalAdvance(line));
    // Four lines in view at a time.
    return {widest + 24 + 2 * frameWidth(), 4 * lineHeight() + 2 * frameWidth()};
}

int CreditsBanner::lineHeight() const
{
    return fontMetrics().height() + 2;
}

void CreditsBanner::scroll()
{
    const int travel = contentsRect().height() + static_cast<int>(m_lines.size()) * lineHeight();
    m_offset = travel > 0 ? (m_offset + 1) % travel : 0;
    update();
}

void CreditsBanner::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.setClipRect(area);
    int top = area.bottom() + 1 - m_offset;
    for (const QString& line : m_lines) {
        painter.drawText(QRect(area.left(), top, area.width(), lineHeight()), Qt::AlignCenter, line);
        top += lineHeight();
    }
}

void CreditsBanner::showEvent(QShowEvent* event)
{
    QFrame::showEvent(event);
    m_timer->start();
}

void CreditsBanner::hideEvent(QHideEvent* event)
{
    m_timer->stop();
    QFrame::hideEvent(event);
}
