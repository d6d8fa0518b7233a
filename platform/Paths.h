#pragma once

#include <QString>

// Where the program keeps its files on this desktop.
namespace Paths {

// The data directory: $BRENVOLO_DIR, else $XDG_DATA_HOME/Brenvolo. Created
// when missing (mode 0700); the call archive and the exports live there.
QString dataDirectory();
// $XDG_CONFIG_HOME/Brenvolo, where the settings files live (not created here).
QString configDirectory();
// $XDG_RUNTIME_DIR, else the temporary directory.
QString runtimeDirectory();
// Creates a directory only the user may enter; false when it cannot be made.
bool makePrivateDirectory(const QString& path);

} // namespace Paths
