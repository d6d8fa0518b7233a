#pragma once

#include <QFrame>
#include <QStringList>

class QTimer;

// The about box's credits: lines of text that roll upwards through a framed
// strip, round and round, while the strip is shown. The timer that moves
// them runs only while the strip is visible.
class CreditsBanner : public QFrame
{
    Q_OBJECT
public:
    // Milliseconds between two steps of one pixel.
    static constexpr int stepInterval = 40;

    explicit CreditsBanner(const QStringList& lines, QWidget* parent = nullptr);

    QTimer* timer() const { return m_timer; }
    // Pixels the text has rolled up since it started below the strip.
    int offset() const { return m_offset; }
    // One step: the text moves up a pixel; once it has left the strip it
    // comes back in from below.
    void scroll();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    int lineHeight() const;

    QStringList m_lines;
    QTimer* m_timer = nullptr;
    int m_offset = 0;
};
