#pragma once

#include <QString>
#include <QStringList>

// Where the program's guide, Brenvolo.html, is found.
namespace HelpFile {

QString fileName();
// The folders looked in, first first: the program's own folder (the build
// tree keeps the guide next to the program), the share folder beside the
// program's bin folder (an installation, wherever its prefix was moved), the
// folder chosen when the program was built, and brenvolo/ in each of the
// desktop's data folders ($XDG_DATA_HOME, $XDG_DATA_DIRS).
QStringList directories(const QString& applicationDirectory);
// The guide's path in the first folder that holds it; empty when none does.
QString locate(const QString& applicationDirectory);

} // namespace HelpFile
