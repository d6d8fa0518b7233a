#include "platform/DialUpSources.h"

#include "platform/PppDialUpSource.h"
#include "platform/ScriptedDialUpSource.h"

namespace DialUpSources {

std::unique_ptr<DialUpSource> create(Shell& shell)
{
    const QString script = qEnvironmentVariable("BRENVOLO_DIALUP_SCRIPT");
    if (!script.isEmpty())
        return std::make_unique<ScriptedDialUpSource>(script);
    const QString root = qEnvironmentVariable("BRENVOLO_PPP_ROOT");
    return std::make_unique<PppDialUpSource>(shell, root.isEmpty() ? QStringLiteral("/") : root);
}

} // namespace DialUpSources
