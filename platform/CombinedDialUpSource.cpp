#include "platform/CombinedDialUpSource.h"

#include <algorithm>

namespace {

// Both lists, or the one there is; none when neither could be read.
template <typename T>
std::optional<QList<T>> joined(std::optional<QList<T>> first, const std::optional<QList<T>>& second)
{
    if (!first)
        return second;
    if (second)
        *first += *second;
    return first;
}

} // namespace

CombinedDialUpSource::CombinedDialUpSource(std::unique_ptr<DialUpSource> first, std::unique_ptr<DialUpSource> second)
    : m_first(std::move(first))
    , m_second(std::move(second))
{
}

std::optional<QList<DialUpSource::Connection>> CombinedDialUpSource::connections()
{
    return joined(m_first->connections(), m_second->connections());
}

std::optional<QList<DialUpSource::PhoneBookEntry>> CombinedDialUpSource::phoneBook()
{
    return joined(m_first->phoneBook(), m_second->phoneBook());
}

DialUpSource& CombinedDialUpSource::sourceOf(const QString& entry)
{
    const std::optional<QList<PhoneBookEntry>> entries = m_first->phoneBook();
    const bool listed = entries && std::any_of(entries->cbegin(), entries->cend(),
                                               [&entry](const PhoneBookEntry& listed) { return listed.name == entry; });
    return listed ? *m_first : *m_second;
}

bool CombinedDialUpSource::dial(const QString& entry)
{
    return sourceOf(entry).dial(entry);
}

std::optional<DialUpSource::DialParams> CombinedDialUpSource::dialParams(const QString& entry, QString* error)
{
    return sourceOf(entry).dialParams(entry, error);
}
