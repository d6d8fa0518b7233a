#pragma once

#include <QString>
#include <optional>

// The arithmetic of the calculator beside the limits page's number fields:
// numbers (decimals after "." or ","), + - * /, unary minus and parentheses,
// with the usual precedence.
class Calculator
{
public:
    // No value when the text is not a whole expression or divides by zero.
    static std::optional<double> evaluate(const QString& expression);
};
