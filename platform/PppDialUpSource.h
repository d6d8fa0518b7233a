#pragma once

#include "platform/DialUpSource.h"

#include <QHash>
#include <QSet>
#include <QString>

class Shell;

// The dial-up source of a desktop that dials with pppd. Every path lies below
// a root directory ("/" normally), so tests can build a tree of their own.
//
// - Phone book: the files of etc/ppp/peers. An entry's number is the number
//   its chat script dials (after ATD, with \T standing for the -T argument of
//   chat), the script being inline in the connect option, the file given to
//   chat with -f, or etc/chatscripts/ENTRY; else the -T argument itself.
// - Connections: one per running pppd (proc/PID/comm is "pppd"); its entry is
//   the "call" argument of its command line, else the linkname of its pid file.
//   The process table is read by difference, since a poll runs twice a second
//   all day. The pids given out since the last poll (the last pid of
//   proc/loadavg moved) are looked up one by one; only when that file cannot
//   be read, or too many were given out, are the names in proc listed (no
//   stat, no file per process). The comm file is read of the processes new
//   since the last poll, once more at the next poll (a launcher such as pon
//   becomes pppd with exec, keeping its pid), and of the known pppd processes
//   (a pid may be reused). Every process is read again when the pid-file
//   folders change (a pppd with a linkname writes its pid file as it starts,
//   every pppd its interface's when the link comes up) and every
//   fullWalkEvery polls.
//   Its interface is named on the second line of run/ppp-LINKNAME.pid or by a
//   run/pppN.pid holding its pid (run/pppd/ also searched). The state is
//   ConnectDevice while pppd has no interface yet (the modem is dialling),
//   DeviceConnected while the interface exists but is down (the link is being
//   negotiated), Connected once sys/class/net/IF/flags has IFF_UP, and
//   Disconnected when a link that was up is down again while pppd still runs
//   (a hang-up: pppd waits or redials). When pppd ends the connection is gone.
//   A pppd that NetworkManager runs can be left out (setLeavesNetworkManagerPppd).
// - Dialling runs "pon ENTRY" through the shell, without waiting.
// - Dial parameters: the "user" option of the peers file, and the secret of
//   that user in etc/ppp/pap-secrets or chap-secrets when the user may read it.
class PppDialUpSource : public DialUpSource
{
public:
    // Polls between two readings of every process's comm file (30 s).
    static constexpr int fullWalkEvery = 60;

    explicit PppDialUpSource(Shell& shell, QString root = QStringLiteral("/"));

    std::optional<QList<Connection>> connections() override;
    std::optional<QList<PhoneBookEntry>> phoneBook() override;
    // Refuses (false, nothing run) a name pon would take for something else:
    // empty, starting with "-" or ".", or holding "/", blanks or control characters.
    bool dial(const QString& entry) override;
    std::optional<DialParams> dialParams(const QString& entry, QString* error) override;

    QString root() const { return m_root; }

    // Leaves out the pppd processes NetworkManager runs (its plugin on their
    // command line), when its own source reports those connections.
    void setLeavesNetworkManagerPppd(bool leave) { m_leavesNetworkManagerPppd = leave; }

    static bool isDiallableName(const QString& entry);

private:
    struct Peer
    {
        QString number;
        QString userName;
        QString remoteName;
        QString device;
    };
    struct PidFile
    {
        QString linkName;
        QString interfaceName;
    };

    QString path(const QString& relative) const;
    QString peerPath(const QString& entry) const;
    // No value when the entry's file cannot be read.
    std::optional<Peer> readPeer(const QString& entry) const;
    QString chatNumber(const QString& connectCommand, const QString& entry) const;
    QHash<qint64, PidFile> pidFiles() const;
    // The running pppd processes in pid order; no value when proc cannot be listed.
    std::optional<QList<qint64>> pppdProcesses();
    // When the folders of the pid files last changed.
    QList<qint64> pidFolderStamps() const;
    // Lists proc: every process new to the table, every pppd one and every
    // one first seen at the last poll is looked at, all of them on a full
    // walk; the table then holds what was listed. False when proc cannot be listed.
    bool walkProcesses(bool fullWalk, QSet<qint64>& firstSeen);
    // Without a listing: the processes created after the last poll up to
    // `lastPid`, those first seen at the last poll and the pppd ones are
    // looked at, the rest stand as they were.
    void lookAtChangedProcesses(qint64 lastPid, QSet<qint64>& firstSeen);
    bool interfaceUp(const QString& interfaceName) const;
    std::optional<QString> secretOf(const Peer& peer, const QString& entry) const;

    // A proc file kept open between polls: read again from its start it gives
    // the current figures, without a path lookup at every poll.
    class OpenProcFile
    {
    public:
        explicit OpenProcFile(QByteArray path);
        ~OpenProcFile();
        OpenProcFile(const OpenProcFile&) = delete;
        OpenProcFile& operator=(const OpenProcFile&) = delete;
        // The file's text; empty when it cannot be read.
        QByteArray read(int maxSize);

    private:
        QByteArray m_path;
        int m_fd = -1;
    };

    Shell& m_shell;
    QString m_root;
    bool m_leavesNetworkManagerPppd = false;
    QByteArray m_proc; // the encoded paths a poll looks at
    QList<QByteArray> m_pidFolders;
    OpenProcFile m_loadavg;
    // The pppd processes whose link has been up: a link of theirs that is
    // down again has hung up.
    QSet<qint64> m_linkWasUp;

    // The process table as the last poll left it.
    struct ProcessTable
    {
        bool read = false;
        QHash<qint64, bool> isPppd; // the processes known, and whether their comm was "pppd"
        QSet<qint64> firstSeen;     // the pids the last poll saw for the first time
        QList<qint64> pidFolderStamps;
        std::optional<qint64> lastPid; // the last pid created, from proc/loadavg
        int pollsSinceFullWalk = 0;
    };
    ProcessTable m_processes;
};
