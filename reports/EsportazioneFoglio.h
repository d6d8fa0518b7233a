#pragma once

#include "archive/CalcolaConsumi.h"

#include <QString>

class TCustomExcel;

// The month export through the spreadsheet link: the header row, bold and
// centred, then one row a day from row 2 on with the date, the units, the cost
// as a plain number, the seconds and the provider, each entered as a text.
class EsportazioneFoglio : public ConsumiRowSink
{
public:
    explicit EsportazioneFoglio(TCustomExcel& excel);

    // Writes and formats the header row and leaves the active cell at R2C1;
    // ExcelError when the link fails.
    static void intestazione(TCustomExcel& excel);
    // Lire in the shortest decimal form, without currency symbol or grouping: "1824".
    static QString costo(double lire);

    bool row(const ConsumiDay& giorno) override;
    // Ends the conversation, keeping the sheet.
    bool finish() override;
    QString error() const override { return m_error; }

private:
    TCustomExcel& m_excel;
    QString m_error;
};
