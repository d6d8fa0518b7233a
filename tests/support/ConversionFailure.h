#pragma once

#include "settings/Conversion.h"

// The message of the conversion error a call raises, "(no error)" when none.
template <typename F> QString conversionFailure(F convert)
{
    try {
        convert();
    } catch (const EConvertError& error) {
        return error.message();
    }
    return QStringLiteral("(no error)");
}
