#pragma once

#include "setup/SetupPickers.h"

// The preferences dialog's small dialogs as the user sees them: a calendar,
// the desktop's file-open dialog and a calculator, each modal over the field's window.
class DialogPickers : public SetupPickers
{
public:
    std::optional<QDate> date(QWidget* parent, const QDate& initial) override;
    std::optional<QString> program(QWidget* parent, const QString& initial) override;
    std::optional<double> calculate(QWidget* parent, qint64 initial) override;
};
