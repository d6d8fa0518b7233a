// The sheet writer's command interpreter over arbitrary texts: each line of
// the input is one execute text carried out on the same sheet, as a
// conversation sends them; the sheet is then written as a workbook.

#include "platform/SheetCommands.h"
#include "platform/XlsxFile.h"
#include "tests/fuzz/FuzzSupport.h"

#include <QDir>

namespace {

void controlla(const SheetCommands& foglio)
{
    const auto [riga, colonna] = foglio.activeCell();
    if (riga < 1 || riga > SheetCommands::maxRows || colonna < 1 || colonna > SheetCommands::maxColumns)
        FuzzSupport::fail(QStringLiteral("active cell R%1C%2").arg(riga).arg(colonna));
    for (const auto& [indirizzo, cella] : foglio.cells()) {
        if (indirizzo.first < 1 || indirizzo.first > SheetCommands::maxRows || indirizzo.second < 1 ||
            indirizzo.second > SheetCommands::maxColumns)
            FuzzSupport::fail(QStringLiteral("cell R%1C%2").arg(indirizzo.first).arg(indirizzo.second));
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    FuzzSupport::initialize(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    SheetCommands foglio;
    for (const QByteArray& riga : input.split('\n')) {
        foglio.execute(QString::fromUtf8(riga));
        foglio.selectionText();
    }
    controlla(foglio);
    // The workbook is written for sheets of the size an export makes (a
    // month is 160 cells); writing the largest ones would only slow the search.
    if (!foglio.cells().empty() && foglio.cells().size() <= 2000)
        XlsxFile::write(foglio, QDir(FuzzSupport::freshDirectory()).filePath(QStringLiteral("foglio.xlsx")));
    return 0;
}
