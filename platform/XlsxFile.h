#pragma once

#include "platform/SheetCommands.h"

#include <QString>

// The sheet writer's sheet as an .xlsx workbook of one sheet, "Foglio1":
// numbers as numbers, dates as dates shown dd/mm/yyyy, the font and alignment
// of every cell, columns wide enough for what they hold.
namespace XlsxFile {

// Writes the workbook to `path`, replacing it; the reason when it fails, else an empty text.
QString write(const SheetCommands& sheet, const QString& path);

} // namespace XlsxFile
