#include "setup/DialogPickers.h"

#include "setup/CalculatorDialog.h"

#include <QCalendarWidget>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>
#include <QVBoxLayout>

std::optional<QDate> DialogPickers::date(QWidget* parent, const QDate& initial)
{
    QDialog calendario(parent);
    calendario.setObjectName(QStringLiteral("Calendario"));
    calendario.setWindowTitle(QStringLiteral("Scegliere una data"));
    auto* scelta = new QCalendarWidget(&calendario);
    scelta->setObjectName(QStringLiteral("Calendar"));
    scelta->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    scelta->setGridVisible(true);
    scelta->setSelectedDate(initial.isValid() ? initial : QDate::currentDate());
    auto* pulsanti = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &calendario);
    pulsanti->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    pulsanti->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    QObject::connect(pulsanti, &QDialogButtonBox::accepted, &calendario, &QDialog::accept);
    QObject::connect(pulsanti, &QDialogButtonBox::rejected, &calendario, &QDialog::reject);
    QObject::connect(scelta, &QCalendarWidget::activated, &calendario, &QDialog::accept);
    auto* layout = new QVBoxLayout(&calendario);
    layout->addWidget(scelta);
    layout->addWidget(pulsanti);
    if (calendario.exec() != QDialog::Accepted)
        return std::nullopt;
    return scelta->selectedDate();
}

std::optional<QString> DialogPickers::program(QWidget* parent, const QString& initial)
{
    const QFileInfo attuale(initial);
    const QString cartella = attuale.isAbsolute() ? attuale.absolutePath() : QString();
    const QString scelto = QFileDialog::getOpenFileName(parent, QString(), cartella);
    if (scelto.isEmpty())
        return std::nullopt;
    return scelto;
}

std::optional<double> DialogPickers::calculate(QWidget* parent, qint64 initial)
{
    CalculatorDialog calcolatrice(initial, parent);
    if (calcolatrice.exec() != QDialog::Accepted)
        return std::nullopt;
    return calcolatrice.value();
}
