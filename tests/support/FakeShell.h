#pragma once

#include "platform/Shell.h"

#include <QList>

// Records what the program asked the desktop to open or run.
class FakeShell : public Shell
{
public:
    struct Call
    {
        QString program;
        QStringList arguments;
        ShowMode mode = ShowMode::Normal;
    };

    int open(const QString& file, ShowMode mode) override
    {
        opened.append({file, {}, mode});
        return result;
    }
    int run(const QString& program, const QStringList& arguments) override
    {
        ran.append({program, arguments, ShowMode::Normal});
        return result;
    }
    int view(const QString& document) override
    {
        viewed.append(document);
        return result;
    }

    QList<Call> opened;
    QList<Call> ran;
    QStringList viewed;
    int result = Started;
};
