#include "setup/CalculatorDialog.h"

#include "setup/Calculator.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const char* const keys[4][5] = {
    {"7", "8", "9", "/", "C"},
    {"4", "5", "6", "*", "("},
    {"1", "2", "3", "-", ")"},
    {"0", ".", "=", "+", "\u2190"},
};

QString valueText(double value)
{
    return QLocale::c().toString(value, 'g', 15);
}

} // namespace

CalculatorDialog::CalculatorDialog(qint64 initial, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Calcolatrice"));
    setWindowTitle(QStringLiteral("Calcolatrice"));

    m_expression = new QLineEdit(QString::number(initial), this);
    m_expression->setObjectName(QStringLiteral("Espressione"));
    m_expression->setAccessibleName(QStringLiteral("Espressione"));
    m_expression->setAlignment(Qt::AlignRight);
    m_error = new QLabel(this);
    m_error->setObjectName(QStringLiteral("Errore"));
    m_error->setAlignment(Qt::AlignRight);

    auto* keypad = new QGridLayout;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 5; ++column) {
            const QString key = QString::fromUtf8(keys[row][column]);
            auto* button = new QToolButton(this);
            button->setText(key);
            button->setObjectName(QStringLiteral("Tasto%1%2").arg(row).arg(column));
            button->setMinimumSize(32, 28);
            button->setAccessibleName(key == QStringLiteral("\u2190") ? QStringLiteral("Cancella l'ultimo carattere")
                                                                      : key);
            connect(button, &QToolButton::clicked, this, [this, key] { press(key); });
            keypad->addWidget(button, row, column);
        }
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CalculatorDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_expression, &QLineEdit::textEdited, m_error, &QLabel::clear);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_expression);
    layout->addWidget(m_error);
    layout->addLayout(keypad);
    layout->addWidget(buttons);
    setFixedSize(sizeHint());
}

std::optional<double> CalculatorDialog::value() const
{
    return Calculator::evaluate(m_expression->text());
}

void CalculatorDialog::press(const QString& key)
{
    m_error->clear();
    if (key == QLatin1String("C"))
        m_expression->clear();
    else if (key == QLatin1String("="))
        equals();
    else if (key == QStringLiteral("\u2190"))
        m_expression->backspace();
    else
        m_expression->insert(key);
    m_expression->setFocus();
}

void CalculatorDialog::equals()
{
    if (const std::optional<double> result = value())
        m_expression->setText(valueText(*result));
    else
        m_error->setText(QStringLiteral("Espressione non valida"));
}

void CalculatorDialog::accept()
{
    if (!value()) {
        m_error->setText(QStringLiteral("Espressione non valida"));
        return;
    }
    QDialog::accept();
}
