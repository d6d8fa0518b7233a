#pragma once

#include "platform/SheetTransport.h"

#include <QHash>
#include <QStringList>
#include <functional>

// Records the spreadsheet conversation as lines ("open Excel System",
// "execute [SELECT(\"R1C1\")]", "request Status", "close Keep", "launch Excel")
// and answers as the test scripts it: a partner that answers every open and
// every "Status" with "Ready" unless told otherwise.
class FakeSheetTransport : public SheetTransport
{
public:
    bool open(const QString& service, const QString& topic) override
    {
        log.append(QStringLiteral("open %1 %2").arg(service, topic));
        connected = answers;
        return connected;
    }
    bool isConnected() const override { return connected; }
    bool isBusy() const override
    {
        if (busy || pendingPolls <= 0)
            return busy;
        --pendingPolls;
        return true;
    }
    bool execute(const QString& command, bool awaited) override
    {
        if (!connected || isBusy() || refuseNext > 0) {
            log.append(QStringLiteral("refused %1").arg(command));
            --refuseNext;
            return false;
        }
        log.append(QStringLiteral("execute %1").arg(command));
        if (awaited)
            pendingPolls = awaitedPolls;
        return true;
    }
    std::optional<QString> request(const QString& item, int timeoutMs) override
    {
        log.append(QStringLiteral("request %1").arg(item));
        lastTimeout = timeoutMs;
        if (onRequest)
            onRequest(item);
        if (!connected || noReply)
            return std::nullopt;
        if (item == QLatin1String("Status"))
            return statusAnswers.isEmpty() ? QStringLiteral("Ready") : statusAnswers.takeFirst();
        return QStringLiteral("R1C1");
    }
    bool close(Ending ending) override
    {
        log.append(ending == Ending::Keep ? QStringLiteral("close Keep") : QStringLiteral("close Abandon"));
        connected = false;
        const bool kept = ending == Ending::Abandon || !failClose;
        closeMessage = kept ? note : failure;
        return kept;
    }
    QString message() const override { return closeMessage; }
    void setDocumentName(const QString& name) override { documentName = name; }
    bool launch(const QString& program) override
    {
        log.append(QStringLiteral("launch %1").arg(program));
        if (program == answersAfterLaunching)
            answers = true;
        return launchStarts;
    }
    QString associationValue(const QString& key) const override { return associations.value(key); }

    // The command texts executed, in order.
    QStringList commands() const
    {
        QStringList list;
        for (const QString& line : log) {
            if (line.startsWith(QLatin1String("execute ")))
                list.append(line.mid(8));
        }
        return list;
    }

    QStringList log;
    bool answers = true; // open() finds the program
    bool connected = false;
    bool busy = false;    // busy for as long as the test says
    int awaitedPolls = 0; // an awaited command completes after the conversation was asked this many times
    mutable int pendingPolls = 0;
    int refuseNext = 0;        // the next so many commands are refused
    bool noReply = false;      // requests get no reply
    QStringList statusAnswers; // replies to "Status" in turn; "Ready" once used up
    std::function<void(const QString& item)> onRequest;
    int lastTimeout = 0;
    bool failClose = false; // a completed transfer cannot be kept
    QString failure = QStringLiteral("Impossibile scrivere il file mar_99.xlsx: No space left on device");
    QString note; // the message of a kept transfer
    QString closeMessage;
    QString documentName;
    bool launchStarts = false;
    QString answersAfterLaunching; // the program whose launch makes open() succeed
    QHash<QString, QString> associations;
};
