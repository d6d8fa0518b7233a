#pragma once

#include "platform/DialUpSource.h"

#include <memory>

class Shell;

// Chooses the program's dial-up source from the environment.
namespace DialUpSources {

// The scripted source reading $BRENVOLO_DIALUP_SCRIPT when that is set;
// otherwise NetworkManager on the system bus and pppd together (a
// CombinedDialUpSource), both with their files below $BRENVOLO_PPP_ROOT
// (default "/"), the pppd source leaving NetworkManager's own pppd to it. The
// shell must outlive the source.
std::unique_ptr<DialUpSource> create(Shell& shell);

} // namespace DialUpSources
