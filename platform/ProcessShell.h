#pragma once

#include "platform/Shell.h"

// Starts programs detached; documents open in the desktop's program for them (xdg-open).
class ProcessShell : public Shell
{
public:
    int open(const QString& file, ShowMode mode) override;
    int run(const QString& program, const QStringList& arguments) override;
    int view(const QString& document) override;
};
