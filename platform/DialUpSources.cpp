#include "platform/DialUpSources.h"

#include "platform/CombinedDialUpSource.h"
#include "platform/NetworkManagerDialUpSource.h"
#include "platform/PppDialUpSource.h"
#include "platform/ScriptedDialUpSource.h"

namespace DialUpSources {

std::unique_ptr<DialUpSource> create(Shell& shell)
{
    const QString script = qEnvironmentVariable("BRENVOLO_DIALUP_SCRIPT");
    if (!script.isEmpty())
        return std::make_unique<ScriptedDialUpSource>(script);
    QString root = qEnvironmentVariable("BRENVOLO_PPP_ROOT");
    if (root.isEmpty())
        root = QStringLiteral("/");
    auto ppp = std::make_unique<PppDialUpSource>(shell, root);
    ppp->setLeavesNetworkManagerPppd(true);
    return std::make_unique<CombinedDialUpSource>(
        std::make_unique<NetworkManagerDialUpSource>(QDBusConnection::systemBus(), root), std::move(ppp));
}

} // namespace DialUpSources
