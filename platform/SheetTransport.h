#pragma once

#include <QString>
#include <optional>

// The conversation with a spreadsheet program: command texts of its macro
// language go out, items come back. On Linux the partner is the sheet writer,
// which builds an .xlsx file from the commands it receives.
class SheetTransport
{
public:
    enum class Ending
    {
        Abandon, // the transfer stopped early: a partner that keeps its own file keeps nothing
        Keep     // the transfer completed: what was sent is to be kept
    };

    virtual ~SheetTransport() = default;

    // Opens a conversation with the program serving `service` on `topic`; false when none answers.
    virtual bool open(const QString& service, const QString& topic) = 0;
    virtual bool isConnected() const = 0;
    // True while an awaited command has not completed.
    virtual bool isBusy() const = 0;
    // Starts carrying one command text. False when it cannot start: no
    // conversation, an awaited command still pending, or the partner refuses
    // it. An awaited command keeps isBusy() true until it completes.
    virtual bool execute(const QString& command, bool awaited) = 0;
    // The text of an item, or nothing when no reply comes within `timeoutMs` milliseconds.
    virtual std::optional<QString> request(const QString& item, int timeoutMs) = 0;
    // Ends the conversation, when one is open. False, with message(), when
    // what was sent cannot be kept.
    virtual bool close(Ending ending) = 0;
    // Why the last close failed, or a note for the user about a kept
    // transfer (where its file is when nothing could show it); else empty.
    virtual QString message() const = 0;
    // The name, without extension, a partner that makes its own file gives
    // it; a running spreadsheet program writes into its active sheet instead.
    virtual void setDocumentName(const QString& name) = 0;
    // Starts the spreadsheet program, minimised and not activated, so that a
    // conversation can be opened; false when it cannot be started.
    virtual bool launch(const QString& program) = 0;
    // The default value of a key of the file-type associations (".xls",
    // "<class>\shell\Open\command"); empty when there is none.
    virtual QString associationValue(const QString& key) const = 0;
};
