#include "platform/CanberraSounds.h"

#include <QFile>
#include <QFileInfo>
#include <canberra.h>
#include <utility>

namespace {

constexpr std::uint32_t beepId = 1;
// Between two attempts to reach a sound server that was not there: the
// warnings beep ten times a second, and each attempt tries every backend.
constexpr qint64 retryMs = 5000;

// Failures of the sound itself (a missing theme sound, an unreadable file);
// any other failure is the connection's, and the context is made anew.
bool soundFault(int error)
{
    switch (error) {
    case CA_ERROR_NOTFOUND:
    case CA_ERROR_CORRUPT:
    case CA_ERROR_ACCESS:
    case CA_ERROR_IO:
    case CA_ERROR_TOOBIG:
    case CA_ERROR_NOTSUPPORTED:
    case CA_ERROR_INVALID:
        return true;
    default:
        return false;
    }
}

} // namespace

CanberraSounds::CanberraSounds(std::function<void()> xBell)
    : m_xBell(std::move(xBell))
{
}

CanberraSounds::~CanberraSounds()
{
    if (m_context)
        ca_context_destroy(m_context);
}

// Opened at the first sound, not at start-up: most runs never sound at all.
ca_context* CanberraSounds::context()
{
    if (m_context || (m_sinceFailure.isValid() && !m_sinceFailure.hasExpired(retryMs)))
        return m_context;
    ca_context* made = nullptr;
    if (ca_context_create(&made) == CA_SUCCESS) {
        ca_context_change_props(made, CA_PROP_APPLICATION_NAME, "Brenvolo", CA_PROP_APPLICATION_ID, BRENVOLO_APP_ID,
                                CA_PROP_APPLICATION_ICON_NAME, BRENVOLO_APP_ID, nullptr);
        if (ca_context_open(made) == CA_SUCCESS) {
            m_context = made;
            return m_context;
        }
        ca_context_destroy(made);
    }
    m_sinceFailure.start();
    return nullptr;
}

int CanberraSounds::send(std::uint32_t id, const char* property, const QByteArray& value, bool cached)
{
    ca_context* c = context();
    if (!c)
        return CA_ERROR_NODRIVER;
    const int error = ca_context_play(c, id, property, value.constData(), CA_PROP_CANBERRA_CACHE_CONTROL,
                                      cached ? "permanent" : "never", nullptr);
    if (error != CA_SUCCESS && !soundFault(error)) {
        ca_context_destroy(m_context);
        m_context = nullptr;
        m_sinceFailure.start();
    }
    return error;
}

void CanberraSounds::beep()
{
    if (send(beepId, CA_PROP_EVENT_ID, QByteArrayLiteral("bell"), true) != CA_SUCCESS && m_xBell)
        m_xBell();
}

void CanberraSounds::play(const QString& file)
{
    if (file.isEmpty() || file == QLatin1String("N/D"))
        return;
    const QByteArray path = QFile::encodeName(QFileInfo(file).absoluteFilePath());
    std::uint32_t& id = m_fileIds[path];
    if (id == 0)
        id = beepId + static_cast<std::uint32_t>(m_fileIds.size());
    if (m_context)
        ca_context_cancel(m_context, id);
    if (send(id, CA_PROP_MEDIA_FILENAME, path, false) != CA_SUCCESS)
        beep();
}
