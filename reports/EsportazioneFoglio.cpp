#include "reports/EsportazioneFoglio.h"

#include "reports/TCustomExcel.h"
#include "settings/Conversion.h"

#include <QLocale>

EsportazioneFoglio::EsportazioneFoglio(TCustomExcel& excel)
    : m_excel(excel)
{
}

void EsportazioneFoglio::intestazione(TCustomExcel& excel)
{
    excel.GoToCell(1, 1);
    excel.WriteText(QStringLiteral("Data"));
    excel.ShiftSelection(0, 1);
    excel.WriteText(QStringLiteral("Scatti"));
    excel.ShiftSelection(0, 1);
    excel.WriteText(QStringLiteral("Costo"));
    excel.ShiftSelection(0, 1);
    excel.WriteText(QStringLiteral("Secondi"));
    excel.ShiftSelection(0, 1);
    excel.WriteText(QStringLiteral("Provider"));
    excel.SendCommand(QStringLiteral("[select(\"R1C1:R1C5\")]"));
    excel.SendCommand(QStringLiteral("[format.font(,10,true,false,false,false,0)]"));
    excel.SendCommand(QStringLiteral("[alignment(3,false,3,0)]"));
    excel.SendCommand(QStringLiteral("[select(\"R2C1\")]"));
}

QString EsportazioneFoglio::costo(double lire)
{
    return QLocale::c().toString(lire, 'f', QLocale::FloatingPointShortest);
}

bool EsportazioneFoglio::row(const ConsumiDay& giorno)
{
    try {
        m_excel.WriteText(formatDate(giorno.data));
        m_excel.ShiftSelection(0, 1);
        m_excel.WriteText(QString::number(giorno.scatti));
        m_excel.ShiftSelection(0, 1);
        m_excel.WriteText(costo(giorno.costo));
        m_excel.ShiftSelection(0, 1);
        m_excel.WriteText(QString::number(giorno.secondi));
        m_excel.ShiftSelection(0, 1);
        m_excel.WriteText(giorno.provider);
        m_excel.ShiftSelection(1, -4);
    } catch (const ExcelError& e) {
        m_error = e.message();
        return false;
    }
    return true;
}

bool EsportazioneFoglio::finish()
{
    if (m_excel.EndConversation(SheetTransport::Ending::Keep))
        return true;
    m_error = m_excel.transport().message();
    if (m_error.isEmpty())
        m_error = QStringLiteral("Microsoft Excel\u00ae si è disconnesso prima della fine del trasferimento");
    return false;
}
