#include "setup/TypedField.h"

#include "settings/Conversion.h"
#include "setup/TypedInput.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

TypedField::TypedField(Kind kind, QWidget* parent)
    : QAbstractSpinBox(parent)
    , m_kind(kind)
{
}

QString TypedField::typed() const
{
    return lineEdit()->text();
}

void TypedField::setTyped(const QString& text)
{
    lineEdit()->setText(text);
}

std::optional<QTime> TypedField::time() const
{
    return TypedInput::time(typed());
}

std::optional<QDate> TypedField::date() const
{
    return TypedInput::date(typed());
}

void TypedField::setTime(const QTime& time)
{
    setTyped(formatTime(time));
}

void TypedField::setDate(const QDate& date)
{
    setTyped(formatDate(date));
}

QSize TypedField::sizeHint() const
{
    ensurePolished();
    const QString widest = m_kind == Kind::Time ? QStringLiteral("00.00.00 ") : QStringLiteral("00/00/0000 ");
    // As the toolkit's own spin boxes measure themselves: the text, the cursor, the frame and the arrows.
    const QSize text(fontMetrics().horizontalAdvance(widest) + 4, lineEdit()->sizeHint().height());
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, text, this);
}

QSize TypedField::minimumSizeHint() const
{
    return sizeHint();
}

QValidator::State TypedField::validate(QString& input, int&) const
{
    const bool complete =
        m_kind == Kind::Time ? TypedInput::time(input).has_value() : TypedInput::date(input).has_value();
    if (complete)
        return QValidator::Acceptable;
    const bool partial = m_kind == Kind::Time ? TypedInput::couldBeTime(input) : TypedInput::couldBeDate(input);
    return partial ? QValidator::Intermediate : QValidator::Invalid;
}

void TypedField::stepBy(int steps)
{
    const int position = lineEdit()->cursorPosition();
    const std::optional<QString> stepped = m_kind == Kind::Time ? TypedInput::stepTime(typed(), position, steps)
                                                                : TypedInput::stepDate(typed(), position, steps);
    if (!stepped)
        return;
    setTyped(*stepped);
    lineEdit()->setCursorPosition(position);
}

QAbstractSpinBox::StepEnabled TypedField::stepEnabled() const
{
    if (isReadOnly())
        return StepNone;
    return StepUpEnabled | StepDownEnabled;
}
