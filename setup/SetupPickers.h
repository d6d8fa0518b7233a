#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>
#include <optional>

class QWidget;

// The small dialogs the preferences dialog opens from its fields: the
// calendar of the date fields, the file-open dialog of the launch fields and
// the calculator of the limits. Tests hand the dialog answers of their own.
class SetupPickers
{
public:
    virtual ~SetupPickers() = default;
    // The calendar "Scegliere una data"; no value when the user cancels.
    virtual std::optional<QDate> date(QWidget* parent, const QDate& initial) = 0;
    // A program to launch at start; no value when the user cancels.
    virtual std::optional<QString> program(QWidget* parent, const QString& initial) = 0;
    // The calculator, starting from a field's value; no value when the user cancels.
    virtual std::optional<double> calculate(QWidget* parent, qint64 initial) = 0;
};
