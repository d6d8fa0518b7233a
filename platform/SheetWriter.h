#pragma once

#include "platform/SheetCommands.h"
#include "platform/SheetTransport.h"

#include <optional>

class Shell;

// The spreadsheet partner on Linux: it answers the conversation on service
// "Excel", topic "System", carries out the commands it receives on a sheet of
// its own (SheetCommands), answers "Status" with "Ready", and when a completed
// transfer ends saves the sheet as <document name>.xlsx in its directory,
// replacing an older file only once the new one is whole, then opens it in
// the user's spreadsheet program. A command it does not understand is
// refused, and a conversation with a refused command keeps nothing.
class SheetWriter : public SheetTransport
{
public:
    // Files go to `directory`; `shell` opens them, none when null.
    explicit SheetWriter(QString directory, Shell* shell = nullptr);

    bool open(const QString& service, const QString& topic) override;
    bool isConnected() const override { return m_sheet.has_value(); }
    bool isBusy() const override { return false; }
    bool execute(const QString& command, bool awaited) override;
    std::optional<QString> request(const QString& item, int timeoutMs) override;
    bool close(Ending ending) override;
    QString message() const override { return m_message; }
    void setDocumentName(const QString& name) override { m_documentName = name; }
    bool launch(const QString&) override { return false; }
    QString associationValue(const QString&) const override { return QString(); }

    // The file the last kept conversation went to; empty before one.
    QString savedPath() const { return m_savedPath; }
    // Why the last command was refused.
    QString refusal() const { return m_refusal; }

private:
    bool save();

    QString m_directory;
    Shell* m_shell;
    QString m_documentName = QStringLiteral("Brenvolo");
    std::optional<SheetCommands> m_sheet;
    bool m_refused = false;
    QString m_refusal;
    QString m_message;
    QString m_savedPath;
};
