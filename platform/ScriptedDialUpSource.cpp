#include "platform/ScriptedDialUpSource.h"

#include "settings/Conversion.h"

#include <QFile>
#include <sys/stat.h>
#include <time.h>

namespace {

void addRecord(const QStringList& fields, QList<DialUpSource::Connection>& connections,
               QList<DialUpSource::PhoneBookEntry>& phoneBook, QHash<QString, DialUpSource::DialParams>& params)
{
    const QString& kind = fields.at(0);
    if (kind == QLatin1String("rubrica") && fields.size() == 3 && !fields.at(1).isEmpty()) {
        phoneBook.append({fields.at(1), fields.at(2)});
    } else if (kind == QLatin1String("connessione") && fields.size() == 5) {
        if (const std::optional<int> state = ScriptedDialUpSource::stateOf(fields.at(4)))
            connections.append({fields.at(1), fields.at(2), fields.at(3), *state});
    } else if (kind == QLatin1String("parametri") && fields.size() == 4 && !fields.at(1).isEmpty()) {
        params.insert(fields.at(1), {fields.at(2), fields.at(3), !fields.at(3).isEmpty()});
    }
}

} // namespace

ScriptedDialUpSource::ScriptedDialUpSource(QString file)
    : m_file(std::move(file))
{
}

std::optional<int> ScriptedDialUpSource::stateOf(const QString& text)
{
    for (const StateName& name : stateNames) {
        if (text.compare(QLatin1String(name.name), Qt::CaseInsensitive) == 0)
            return name.state;
    }
    const std::optional<int> number = tryStrToInt(text);
    if (!number || *number < 0)
        return std::nullopt;
    return number;
}

std::optional<ScriptedDialUpSource::Script> ScriptedDialUpSource::read()
{
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(m_file).constData(), &info) != 0) {
        m_read.reset();
        return Script{};
    }
    const auto nanoseconds = [](const timespec& t) { return qint64(t.tv_sec) * 1000000000 + t.tv_nsec; };
    const Stamp stamp{nanoseconds(info.st_mtim), nanoseconds(info.st_ctim), qint64(info.st_size), qint64(info.st_ino)};
    // File times move in coarse steps: a change made in the same step as the
    // one before leaves the stamp as it was. A reading made a second after
    // the last change cannot have missed one.
    constexpr qint64 second = 1000000000;
    if (m_read && stamp == m_readStamp && m_readAt - stamp[0] > second && m_readAt - stamp[1] > second)
        return m_read;

    QFile file(m_file);
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    if (!file.open(QIODevice::ReadOnly)) {
        m_read.reset();
        return std::nullopt;
    }
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    Script script;
    for (const QString& rawLine : text.split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QStringList fields = line.split(QLatin1Char(';'));
        for (QString& field : fields)
            field = field.trimmed();
        addRecord(fields, script.connections, script.phoneBook, script.params);
    }
    m_read = script;
    m_readStamp = stamp;
    m_readAt = nanoseconds(now);
    return script;
}

std::optional<QList<DialUpSource::Connection>> ScriptedDialUpSource::connections()
{
    const std::optional<Script> script = read();
    if (!script)
        return std::nullopt;
    return script->connections;
}

std::optional<QList<DialUpSource::PhoneBookEntry>> ScriptedDialUpSource::phoneBook()
{
    const std::optional<Script> script = read();
    if (!script)
        return std::nullopt;
    return script->phoneBook;
}

bool ScriptedDialUpSource::dial(const QString&)
{
    return true;
}

std::optional<DialUpSource::DialParams> ScriptedDialUpSource::dialParams(const QString& entry, QString* error)
{
    const std::optional<Script> script = read();
    if (!script) {
        if (error)
            *error = QStringLiteral("impossibile leggere il file %1").arg(m_file);
        return std::nullopt;
    }
    if (const auto found = script->params.constFind(entry); found != script->params.cend())
        return *found;
    for (const PhoneBookEntry& known : script->phoneBook) {
        if (known.name == entry)
            return DialParams{};
    }
    if (error)
        *error = QStringLiteral("la voce «%1» non è nella rubrica").arg(entry);
    return std::nullopt;
}
