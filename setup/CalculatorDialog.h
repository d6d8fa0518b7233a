#pragma once

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;

// "Calcolatrice": a small keypad calculator for the limits page's number
// fields. The user types or taps an expression; "=" shows its result in the
// field, "OK" hands the result back.
class CalculatorDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CalculatorDialog(qint64 initial, QWidget* parent = nullptr);

    // The expression's value; no value while it is not a whole expression.
    std::optional<double> value() const;

    void accept() override;

private:
    void press(const QString& key);
    void equals();

    QLineEdit* m_expression = nullptr;
    QLabel* m_error = nullptr;
};
