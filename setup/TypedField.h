#pragma once

#include <QAbstractSpinBox>
#include <QDate>
#include <QTime>
#include <optional>

// A time or date field that keeps what the user types: the text is read by
// TypedInput when it is used, so a separator typed as shown never skips a
// part, and a time or date that does not exist is refused there with a
// message, never turned into another. The arrows and the arrow keys move the
// part under the cursor.
class TypedField : public QAbstractSpinBox
{
    Q_OBJECT
public:
    enum class Kind
    {
        Time, // "09.15.30"
        Date  // "15/03/2026"
    };

    explicit TypedField(Kind kind, QWidget* parent = nullptr);

    // What the user typed, as typed.
    QString typed() const;
    void setTyped(const QString& text);
    // The text read as a time (a date); no value when it is none.
    std::optional<QTime> time() const;
    std::optional<QDate> date() const;
    void setTime(const QTime& time);
    void setDate(const QDate& date);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    QValidator::State validate(QString& input, int& pos) const override;
    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;

private:
    Kind m_kind;
};
