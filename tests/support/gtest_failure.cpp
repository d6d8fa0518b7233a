#include "tests/support/FakePrompter.h"

#include <gtest/gtest.h>

void reportUnexpectedBox(const QString& text, const QString& title)
{
    ADD_FAILURE() << "unexpected message box \"" << title.toStdString() << "\": " << text.toStdString();
}
