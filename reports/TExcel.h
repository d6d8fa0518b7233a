#pragma once

#include "reports/TCustomExcel.h"

// The spreadsheet link as the export dialog holds it (Excel1): the active
// cell stays where WriteText leaves it.
class TExcel : public TCustomExcel
{
public:
    TExcel(SheetTransport& transport, const Clock& clock)
        : TCustomExcel(transport, clock)
    {
        setMoveActiveCell(TCellDir::dirNone);
    }
};
