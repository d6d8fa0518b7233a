#include "setup/EditorFestivita.h"

#include "settings/Conversion.h"

EditorFestivita::EditorFestivita(const QStringList& festivita, const QDate& oggi)
    : m_anno(oggi.year())
{
    for (int riga = 0; riga < righe; ++riga)
        m_celle.append(festivita.value(riga));
    mostraRiga();
}

// The day and month of the selected row in this year. "Nuovo valore" always
// follows, even when the date field's text stays the same: a confirm right
// after a click never stores an empty holiday.
void EditorFestivita::mostraRiga()
{
    const QString cella = m_celle.at(m_riga);
    m_nuovoValore.clear();
    dataCambiata(cella.left(2) + QLatin1Char('/') + cella.mid(3, 2) + QLatin1Char('/') +
                 QString::number(m_anno).rightJustified(4, QLatin1Char('0')));
}

void EditorFestivita::clic(int riga)
{
    if (riga < 0 || riga >= righe)
        return;
    m_riga = riga;
    mostraRiga();
}

void EditorFestivita::dataCambiata(const QString& testo)
{
    m_data = testo;
    m_nuovoValore = testo.left(5);
}

void EditorFestivita::dataScelta(const QDate& data)
{
    dataCambiata(formatDate(data));
}

void EditorFestivita::conferma()
{
    m_celle[m_riga] = m_nuovoValore;
}
