#pragma once

#include <QString>
#include <QStringList>

// Opens programs and documents the way the desktop would.
class Shell
{
public:
    enum class ShowMode
    {
        Normal,
        Minimized
    };
    // Result codes: above 32 means started; 2 means the file was not found.
    static constexpr int NotFound = 2;
    static constexpr int Started = 33;

    virtual ~Shell() = default;
    // Opens a program or a document, with no parameters and no working directory.
    virtual int open(const QString& file, ShowMode mode) = 0;
    // Runs a program with arguments without waiting for it.
    virtual int run(const QString& program, const QStringList& arguments) = 0;
    // Shows a document in the desktop's viewer for its kind; never runs it,
    // even when the file is executable.
    virtual int view(const QString& document) = 0;
};
