#pragma once

#include <QString>

// Whether the desktop has a program for a kind of file, as xdg-open and the
// desktops' own openers find one: an application whose menu entry (below
// the applications folders of $XDG_DATA_HOME and $XDG_DATA_DIRS) declares
// the file's MIME type, or one the type derives from, or an application the
// user associated with the type (mimeapps.list). Without one, opening the
// file shows nothing at all.
namespace DesktopViewers {

bool exists(const QString& file);

} // namespace DesktopViewers
