#pragma once

#include <QAccessibleWidget>

class QComboBox;

// How a screen reader meets an editable drop-down that carries a name of
// its own ("Connessione 1"): by that name, with what it holds as its value.
// On Linux the toolkit's own editable combo box is announced by its text.
class NamedComboAccessible : public QAccessibleWidget
{
public:
    explicit NamedComboAccessible(QComboBox* combo);

    // The program's editable, named drop-downs answer through this class
    // from now on; once a program, whoever asks first.
    static void install();

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    QComboBox* combo() const;
};
