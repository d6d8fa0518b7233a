#pragma once

#include "platform/DialUpSource.h"

#include <memory>

class Shell;

// Chooses the program's dial-up source from the environment.
namespace DialUpSources {

// The scripted source reading $BRENVOLO_DIALUP_SCRIPT when that is set,
// otherwise pppd below $BRENVOLO_PPP_ROOT (default "/"). The shell must
// outlive the source.
std::unique_ptr<DialUpSource> create(Shell& shell);

} // namespace DialUpSources
