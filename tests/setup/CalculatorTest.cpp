#include "setup/Calculator.h"

#include <gtest/gtest.h>

TEST(Calculator, EvaluatesWithPrecedenceAndParentheses)
{
    const struct
    {
        const char* expression;
        double value;
    } cases[] = {{"1200", 1200}, {"20*60", 1200}, {"2+3*4", 14},     {"(2+3)*4", 20}, {" 10 / 4 ", 2.5}, {"-5+10", 5},
                 {"1,5*2", 3},   {"2.5*2", 5},    {"100-20-30", 50}, {"60/2/3", 10},  {"-(2+3)", -5},    {"((7))", 7}};
    for (const auto& c : cases) {
        const std::optional<double> value = Calculator::evaluate(QString::fromLatin1(c.expression));
        ASSERT_TRUE(value) << c.expression;
        EXPECT_DOUBLE_EQ(*value, c.value) << c.expression;
    }
}

TEST(Calculator, RefusesWhatIsNotAWholeExpression)
{
    for (const char* expression : {"", "2+", "*3", "(2+3", "2+3)", "1/0", "abc", "1..2", "5 5", "1e5"})
        EXPECT_FALSE(Calculator::evaluate(QString::fromLatin1(expression))) << expression;
}
