#include "platform/PppDialUpSource.h"

#include "platform/NetworkInterface.h"
#include "platform/Shell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Option files, chat scripts and proc files are small; a larger file is not one of them.
constexpr qint64 maxFileSize = 64 * 1024;

// A regular file's text; no value when it cannot be read. Only regular
// files are opened, so a fifo dropped among the peers cannot hang a poll.
std::optional<QString> readSmallFile(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return QString::fromLocal8Bit(file.read(maxFileSize));
}

// The words of a pppd option file or a chat script: separated by blanks,
// grouped by single or double quotes, "#" at the start of a word comments out
// the rest of the line. Backslashes are kept, so chat's \T survives.
QStringList words(const QString& text)
{
    QStringList result;
    QString word;
    bool inWord = false;
    QChar quote;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                word.append(c);
            continue;
        }
        if (c.isSpace()) {
            if (inWord)
                result.append(std::exchange(word, QString()));
            inWord = false;
        } else if (c == QLatin1Char('#') && !inWord) {
            while (i + 1 < text.size() && text.at(i + 1) != QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
            inWord = true;
        } else {
            word.append(c);
            inWord = true;
        }
    }
    if (inWord)
        result.append(word);
    return result;
}

// The word after an option, when the option is there.
QString optionValue(const QStringList& options, QLatin1String name)
{
    QString value;
    for (qsizetype i = 0; i + 1 < options.size(); ++i) {
        if (options.at(i) == name)
            value = options.at(i + 1);
    }
    return value;
}

bool isDevice(const QString& word)
{
    return word.startsWith(QLatin1String("/dev/")) || word.startsWith(QLatin1String("tty"));
}

// The number of the first ATD command of a chat script; \T stands for the -T argument.
std::optional<QString> dialledNumber(const QStringList& script, const QString& phone)
{
    for (const QString& word : script) {
        if (!word.startsWith(QLatin1String("ATD"), Qt::CaseInsensitive))
            continue;
        QString number = word.mid(3);
        if (number.startsWith(QLatin1Char('T'), Qt::CaseInsensitive) ||
            number.startsWith(QLatin1Char('P'), Qt::CaseInsensitive))
            number.remove(0, 1);
        return number.replace(QLatin1String("\\T"), phone).trimmed();
    }
    return std::nullopt;
}

struct ChatCommand
{
    QString scriptFile;
    QString phone;
    QStringList script;
};

// The options and the inline script of a chat command line; no value when the
// connect command is not chat.
std::optional<ChatCommand> parseChat(const QStringList& command)
{
    const auto chat = std::find_if(command.begin(), command.end(), [](const QString& word) {
        return QFileInfo(word).fileName() == QLatin1String("chat");
    });
    if (chat == command.end())
        return std::nullopt;
    ChatCommand result;
    auto word = chat + 1;
    for (; word != command.end() && word->startsWith(QLatin1Char('-')) && word->size() > 1; ++word) {
        const QChar option = word->at(1);
        const bool takesValue = QStringLiteral("fTUtr").contains(option);
        QString value = word->mid(2);
        if (takesValue && value.isEmpty() && word + 1 != command.end())
            value = *++word;
        if (option == QLatin1Char('f'))
            result.scriptFile = value;
        else if (option == QLatin1Char('T'))
            result.phone = value;
    }
    result.script = QStringList(word, command.end());
    return result;
}

// "ppp-LINKNAME.pid" or "pppN.pid"; the stem is what lies between "ppp" and ".pid".
bool isPidFileName(const QString& name)
{
    if (!name.startsWith(QLatin1String("ppp")) || !name.endsWith(QLatin1String(".pid")) || name.size() <= 7)
        return false;
    const QStringView stem = QStringView(name).mid(3, name.size() - 7);
    return stem.startsWith(QLatin1Char('-')) ||
           std::all_of(stem.begin(), stem.end(), [](QChar c) { return c.isDigit(); });
}

// NetworkManager runs pppd with its own plugin, which reports the link to it.
bool runByNetworkManager(const QStringList& arguments)
{
    return std::any_of(arguments.begin(), arguments.end(), [](const QString& argument) {
        return QFileInfo(argument).fileName() == QLatin1String("nm-pppd-plugin.so");
    });
}

// The numeric names in a proc folder: the processes of this moment. Only the
// folder is read, no entry is looked at; no value when it cannot be opened.
std::optional<QList<qint64>> processIds(const QByteArray& proc)
{
    DIR* folder = ::opendir(proc.constData());
    if (!folder)
        return std::nullopt;
    QList<qint64> pids;
    while (const dirent* entry = ::readdir(folder)) {
        if (entry->d_type != DT_DIR && entry->d_type != DT_UNKNOWN)
            continue;
        if (entry->d_name[0] < '0' || entry->d_name[0] > '9')
            continue;
        char* end = nullptr;
        const long long pid = std::strtoll(entry->d_name, &end, 10);
        if (pid > 0 && *end == '\0')
            pids.append(pid);
    }
    ::closedir(folder);
    return pids;
}

// Whether the process's comm file says "pppd"; no value when the process is gone.
std::optional<bool> runsPppd(const QByteArray& proc, qint64 pid)
{
    const QByteArray path = proc + '/' + QByteArray::number(pid) + "/comm";
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    char comm[64];
    const ssize_t n = ::read(fd, comm, sizeof comm);
    ::close(fd);
    return n > 0 && QByteArrayView(comm, n).trimmed() == "pppd";
}

// The pid is a process's, not one of its threads' (a thread's comm is
// readable under its own id too); a status that cannot be read says nothing.
bool isProcess(const QByteArray& proc, qint64 pid)
{
    QFile status(QFile::decodeName(proc + '/' + QByteArray::number(pid) + "/status"));
    if (!status.open(QIODevice::ReadOnly))
        return true;
    for (const QByteArray& line : status.read(4096).split('\n')) {
        if (line.startsWith("Tgid:"))
            return line.mid(5).trimmed().toLongLong() == pid;
    }
    return true;
}

// The last pid the system gave out, the last field of loadavg: while it
// stays the same no process has been created. No value when it cannot be read.
std::optional<qint64> lastCreatedPid(const QByteArray& loadavg)
{
    const QList<QByteArray> fields = loadavg.simplified().split(' ');
    bool ok = false;
    const qint64 pid = fields.size() == 5 ? fields.last().toLongLong(&ok) : 0;
    return ok ? std::optional(pid) : std::nullopt;
}

// A folder's modification time and inode: a file added, removed or renamed
// in it changes the first, a folder made anew the second. Zero when it is missing.
qint64 folderStamp(const QByteArray& path)
{
    struct stat info
    {
    };
    if (::stat(path.constData(), &info) != 0)
        return 0;
    return qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec + qint64(info.st_ino);
}

} // namespace

PppDialUpSource::PppDialUpSource(Shell& shell, QString root)
    : m_shell(shell)
    , m_root(root.isEmpty() ? QStringLiteral("/") : std::move(root))
    , m_proc(QFile::encodeName(path(QStringLiteral("proc"))))
    , m_pidFolders{QFile::encodeName(path(QStringLiteral("run"))), QFile::encodeName(path(QStringLiteral("run/pppd")))}
    , m_loadavg(m_proc + "/loadavg")
{
}

PppDialUpSource::OpenProcFile::OpenProcFile(QByteArray path)
    : m_path(std::move(path))
{
}

PppDialUpSource::OpenProcFile::~OpenProcFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

QByteArray PppDialUpSource::OpenProcFile::read(int maxSize)
{
    QByteArray text(maxSize, Qt::Uninitialized);
    // A file that went away (a proc mounted again) is opened anew, once.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (m_fd < 0)
            m_fd = ::open(m_path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (m_fd < 0)
            return {};
        const ssize_t n = ::pread(m_fd, text.data(), text.size(), 0);
        if (n > 0) {
            text.truncate(n);
            return text;
        }
        ::close(m_fd);
        m_fd = -1;
    }
    return {};
}

QString PppDialUpSource::path(const QString& relative) const
{
    return QDir::cleanPath(m_root + QLatin1Char('/') + relative);
}

QString PppDialUpSource::peerPath(const QString& entry) const
{
    return path(QStringLiteral("etc/ppp/peers/") + entry);
}

bool PppDialUpSource::isDiallableName(const QString& entry)
{
    if (entry.isEmpty() || entry.startsWith(QLatin1Char('-')) || entry.startsWith(QLatin1Char('.')))
        return false;
    return std::none_of(entry.begin(), entry.end(), [](QChar c) {
        return c == QLatin1Char('/') || c.isSpace() || c.category() == QChar::Other_Control;
    });
}

std::optional<PppDialUpSource::Peer> PppDialUpSource::readPeer(const QString& entry) const
{
    QFile file(peerPath(entry));
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QStringList options = words(QString::fromLocal8Bit(file.read(maxFileSize)));
    Peer peer;
    peer.userName = optionValue(options, QLatin1String("user"));
    peer.remoteName = optionValue(options, QLatin1String("remotename"));
    const auto device = std::find_if(options.begin(), options.end(), isDevice);
    if (device != options.end())
        peer.device = *device;
    peer.number = chatNumber(optionValue(options, QLatin1String("connect")), entry);
    return peer;
}

QString PppDialUpSource::chatNumber(const QString& connectCommand, const QString& entry) const
{
    const std::optional<ChatCommand> chat = parseChat(words(connectCommand));
    const QString phone = chat ? chat->phone : QString();
    if (chat) {
        if (const std::optional<QString> number = dialledNumber(chat->script, phone))
            return *number;
    }
    QStringList scripts;
    if (chat && !chat->scriptFile.isEmpty())
        scripts.append(path(chat->scriptFile));
    scripts.append(path(QStringLiteral("etc/chatscripts/") + entry));
    for (const QString& script : scripts) {
        if (const std::optional<QString> text = readSmallFile(script)) {
            if (const std::optional<QString> number = dialledNumber(words(*text), phone))
                return *number;
        }
    }
    return phone;
}

std::optional<QList<DialUpSource::PhoneBookEntry>> PppDialUpSource::phoneBook()
{
    const QString peers = path(QStringLiteral("etc/ppp/peers"));
    const QFileInfo folder(peers);
    if (!folder.exists())
        return QList<PhoneBookEntry>();
    if (!folder.isDir() || !folder.isReadable())
        return std::nullopt;

    QList<PhoneBookEntry> entries;
    const QFileInfoList files =
        QDir(peers).entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& info : files) {
        const QString name = info.fileName();
        const bool brokenLink = info.isSymLink() && !info.exists();
        if ((!info.isFile() && !brokenLink) || name.endsWith(QLatin1Char('~')) ||
            name.contains(QLatin1String(".dpkg-")) || name.contains(QLatin1String(".ucf-")))
            continue;
        const std::optional<Peer> peer = readPeer(name);
        entries.append({name, peer ? std::optional<QString>(peer->number) : std::nullopt});
    }
    return entries;
}

QHash<qint64, PppDialUpSource::PidFile> PppDialUpSource::pidFiles() const
{
    QHash<qint64, PidFile> found;
    for (const QString& folder : {path(QStringLiteral("run")), path(QStringLiteral("run/pppd"))}) {
        const QStringList names = QDir(folder).entryList({QStringLiteral("ppp*.pid")}, QDir::Files);
        for (const QString& name : names) {
            if (!isPidFileName(name))
                continue;
            const std::optional<QString> text = readSmallFile(folder + QLatin1Char('/') + name);
            if (!text)
                continue;
            const QStringList lines = text->split(QLatin1Char('\n'));
            bool ok = false;
            const qint64 pid = lines.at(0).trimmed().toLongLong(&ok);
            if (!ok || pid <= 0)
                continue;
            PidFile& file = found[pid];
            const QString stem = name.mid(3, name.size() - 7);
            if (stem.startsWith(QLatin1Char('-'))) {
                file.linkName = stem.mid(1);
                if (lines.size() > 1 && !lines.at(1).trimmed().isEmpty())
                    file.interfaceName = lines.at(1).trimmed();
            } else if (file.interfaceName.isEmpty()) {
                file.interfaceName = QStringLiteral("ppp") + stem;
            }
        }
    }
    return found;
}

bool PppDialUpSource::interfaceUp(const QString& interfaceName) const
{
    return NetworkInterface::isUp(m_root, interfaceName);
}

QList<qint64> PppDialUpSource::pidFolderStamps() const
{
    return {folderStamp(m_pidFolders[0]), folderStamp(m_pidFolders[1])};
}

bool PppDialUpSource::walkProcesses(bool fullWalk, QSet<qint64>& firstSeen)
{
    ProcessTable& table = m_processes;
    // Listing proc costs the kernel a lookup for every process.
    const std::optional<QList<qint64>> pids = processIds(m_proc);
    if (!pids)
        return false;
    QHash<qint64, bool> listed;
    listed.reserve(pids->size());
    for (const qint64 pid : *pids) {
        const auto known = table.isPppd.constFind(pid);
        const bool isNew = known == table.isPppd.cend();
        if (fullWalk || isNew || known.value() || table.firstSeen.contains(pid)) {
            const std::optional<bool> isPppd = runsPppd(m_proc, pid);
            if (!isPppd)
                continue;
            listed.insert(pid, *isPppd);
            if (isNew)
                firstSeen.insert(pid);
        } else {
            listed.insert(pid, false);
        }
    }
    table.isPppd = std::move(listed);
    return true;
}

void PppDialUpSource::lookAtChangedProcesses(qint64 lastPid, QSet<qint64>& firstSeen)
{
    ProcessTable& table = m_processes;
    const auto look = [&](qint64 pid, bool isNew) {
        const std::optional<bool> isPppd = runsPppd(m_proc, pid);
        if (!isPppd || (*isPppd && isNew && !isProcess(m_proc, pid))) {
            table.isPppd.remove(pid);
            return;
        }
        table.isPppd.insert(pid, *isPppd);
        if (isNew)
            firstSeen.insert(pid);
    };
    for (qint64 pid = *table.lastPid + 1; pid <= lastPid; ++pid)
        look(pid, true);
    for (const qint64 pid : std::as_const(table.firstSeen))
        look(pid, false);
    for (const qint64 pid : table.isPppd.keys(true))
        look(pid, false);
}

std::optional<QList<qint64>> PppDialUpSource::pppdProcesses()
{
    ProcessTable& table = m_processes;
    const QList<qint64> stamps = pidFolderStamps();
    const std::optional<qint64> lastPid = lastCreatedPid(m_loadavg.read(128));
    const bool fullWalk =
        !table.read || stamps != table.pidFolderStamps || table.pollsSinceFullWalk + 1 >= fullWalkEvery;
    // The pids given out since the last poll, when few enough to be looked up one by one.
    const bool fewNew = table.lastPid && lastPid && *lastPid >= *table.lastPid && *lastPid - *table.lastPid <= 512;

    QSet<qint64> firstSeen;
    if (fullWalk || !fewNew) {
        if (!walkProcesses(fullWalk, firstSeen))
            return std::nullopt;
    } else {
        lookAtChangedProcesses(*lastPid, firstSeen);
    }
    table.read = true;
    table.firstSeen = std::move(firstSeen);
    table.pidFolderStamps = stamps;
    table.lastPid = lastPid;
    table.pollsSinceFullWalk = fullWalk ? 0 : table.pollsSinceFullWalk + 1;

    QList<qint64> pppd = table.isPppd.keys(true);
    std::sort(pppd.begin(), pppd.end());
    return pppd;
}

std::optional<QList<DialUpSource::Connection>> PppDialUpSource::connections()
{
    const std::optional<QList<qint64>> pids = pppdProcesses();
    if (!pids)
        return std::nullopt;
    if (pids->isEmpty()) {
        m_linkWasUp.clear();
        return QList<Connection>();
    }

    const QDir proc(path(QStringLiteral("proc")));
    const QHash<qint64, PidFile> pidFileOf = pidFiles();
    QSet<qint64> running;
    QList<Connection> result;
    for (const qint64 pid : *pids) {
        running.insert(pid);
        const std::optional<QString> cmdline = readSmallFile(proc.filePath(QStringLiteral("%1/cmdline").arg(pid)));
        const QStringList arguments = cmdline ? cmdline->split(QChar(0)) : QStringList();
        if (m_leavesNetworkManagerPppd && runByNetworkManager(arguments))
            continue;
        const PidFile files = pidFileOf.value(pid);

        Connection connection;
        connection.entry = optionValue(arguments, QLatin1String("call"));
        if (connection.entry.isEmpty())
            connection.entry = files.linkName;
        connection.deviceType = QStringLiteral("modem");
        const std::optional<Peer> peer =
            isDiallableName(connection.entry) ? readPeer(connection.entry) : std::optional<Peer>();
        connection.deviceName = peer && !peer->device.isEmpty() ? peer->device : files.interfaceName;

        if (interfaceUp(files.interfaceName)) {
            connection.state = Connected;
            m_linkWasUp.insert(pid);
        } else if (m_linkWasUp.contains(pid)) {
            connection.state = Disconnected;
        } else {
            connection.state = files.interfaceName.isEmpty() ? ConnectDevice : DeviceConnected;
        }
        result.append(connection);
    }
    m_linkWasUp.intersect(running);
    return result;
}

bool PppDialUpSource::dial(const QString& entry)
{
    if (!isDiallableName(entry))
        return false;
    return m_shell.run(QStringLiteral("pon"), {entry}) > 32;
}

// As pppd takes a secret for a client and a server: "*" matches any name, and
// of the lines that match, the one naming the client, then the one naming the
// server, wins over wildcards; the first of equals wins. The server is the
// peer's remotename (or, as users often write it, the entry's name). A
// secret "@FILE" is the first word of that file. pap-secrets is read first.
std::optional<QString> PppDialUpSource::secretOf(const Peer& peer, const QString& entry) const
{
    if (peer.userName.isEmpty())
        return std::nullopt;
    const auto wild = [](const QString& word) { return word == QLatin1String("*"); };
    for (const char* secrets : {"etc/ppp/pap-secrets", "etc/ppp/chap-secrets"}) {
        const std::optional<QString> text = readSmallFile(path(QLatin1String(secrets)));
        if (!text)
            continue;
        std::optional<QString> best;
        int bestScore = -1;
        for (const QString& line : text->split(QLatin1Char('\n'))) {
            const QStringList fields = words(line);
            if (fields.size() < 3)
                continue;
            const QString& client = fields.at(0);
            const QString& server = fields.at(1);
            const bool clientNamed = client == peer.userName;
            const bool serverNamed = server == peer.remoteName || server == entry;
            if ((!clientNamed && !wild(client)) || (!serverNamed && !wild(server)))
                continue;
            const int score = (clientNamed ? 2 : 0) + (serverNamed ? 1 : 0);
            if (score > bestScore) {
                bestScore = score;
                best = fields.at(2);
            }
        }
        if (!best)
            continue;
        if (!best->startsWith(QLatin1Char('@')))
            return best;
        const std::optional<QString> file = readSmallFile(path(best->mid(1)));
        const QStringList secret = file ? words(*file) : QStringList();
        if (secret.isEmpty())
            return std::nullopt;
        return secret.first();
    }
    return std::nullopt;
}

std::optional<DialUpSource::DialParams> PppDialUpSource::dialParams(const QString& entry, QString* error)
{
    const QString file = peerPath(entry);
    const QFileInfo info(file);
    if (!isDiallableName(entry) || (!info.isFile() && !info.isSymLink())) {
        if (error)
            *error = QStringLiteral("la voce «%1» non è nella rubrica").arg(entry);
        return std::nullopt;
    }
    const std::optional<Peer> peer = readPeer(entry);
    if (!peer) {
        if (error)
            *error = QStringLiteral("impossibile leggere il file %1").arg(file);
        return std::nullopt;
    }
    DialParams params;
    params.userName = peer->userName;
    if (const std::optional<QString> secret = secretOf(*peer, entry)) {
        params.password = *secret;
        params.passwordSaved = true;
    }
    return params;
}
