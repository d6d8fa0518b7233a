#include "reports/CalendarioATendina.h"

#include <QCalendarWidget>
#include <QDialog>
#include <QLineEdit>
#include <QPainter>
#include <QVBoxLayout>

namespace CalendarioATendina {

std::optional<QDate> scegli(QLineEdit& campo, const QDate& attuale)
{
    QDialog tendina(&campo, Qt::Popup);
    auto* calendario = new QCalendarWidget(&tendina);
    calendario->setObjectName(QStringLiteral("Calendario"));
    calendario->setSelectedDate(attuale);
    calendario->setGridVisible(true);
    QObject::connect(calendario, &QCalendarWidget::clicked, &tendina, &QDialog::accept);
    QObject::connect(calendario, &QCalendarWidget::activated, &tendina, &QDialog::accept);
    auto* layout = new QVBoxLayout(&tendina);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(calendario);
    tendina.move(campo.mapToGlobal(QPoint(0, campo.height())));
    if (tendina.exec() != QDialog::Accepted)
        return std::nullopt;
    return calendario->selectedDate();
}

QIcon icona()
{
    QPixmap foglio(16, 16);
    foglio.fill(Qt::transparent);
    QPainter p(&foglio);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.setBrush(Qt::white);
    p.drawRect(1, 2, 13, 12);
    p.fillRect(2, 3, 12, 3, QColor(0xb0, 0x20, 0x20));
    for (int riga = 0; riga < 3; ++riga) {
        for (int colonna = 0; colonna < 4; ++colonna)
            p.fillRect(3 + colonna * 3, 7 + riga * 2, 2, 1, QColor(0x40, 0x40, 0x40));
    }
    return QIcon(foglio);
}

} // namespace CalendarioATendina
