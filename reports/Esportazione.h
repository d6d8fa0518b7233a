#pragma once

#include "archive/CalcolaConsumi.h"
#include "platform/Message.h"

#include <QDate>
#include <QList>
#include <QLocale>
#include <QString>
#include <functional>
#include <optional>
#include <utility>

class SettingsStore;
class TCustomExcel;

// The export dialog's logic: one month of the call archive, day by day, to a
// text file or through the spreadsheet link. It shows nothing itself: each
// step returns the messages for the window to show, in order.
class Esportazione
{
public:
    static constexpr int primoAnno = 1995;
    static constexpr int ultimoAnno = 2030;

    struct Collegamento
    {
        bool collegato = false;
        bool spegniFoglio = false; // the spreadsheet switch goes off: the program answered but no conversation stands
        QList<Message> messaggi;
    };

    struct Esito
    {
        bool eseguita = false; // false when the month and year make no dates: nothing done, nothing to say
        ConsumiResult::Outcome outcome = ConsumiResult::Outcome::Done;
        QList<Message> messaggi;
        ConsumiResult passata; // the pass over the archive: with MissingClosure, what the repair starts from
        QString file;          // the text file written, when the text export completed
    };

    // `archivio` is read; the text file goes to `directory`.
    Esportazione(QString archivio, QString directory, const StatoProgramma& stato, const SettingsStore& store,
                 const QLocale& locale = QLocale::system());

    // The entry of nomiMesi() preselected on `oggi`: its own month.
    static int mesePredefinito(const QDate& oggi);
    // The first and last day of a month of nomiMesi() in a year of
    // primoAnno..ultimoAnno; nothing for any other month or year.
    static std::optional<std::pair<QDate, QDate>> periodo(const QString& mese, int anno);
    // "mar_99" for "marzo" 1999: the name of the export's file without its extension.
    static QString nomeDocumento(const QString& mese, int anno);

    // Opens the spreadsheet conversation. Not connected: "Microsoft Excel® non
    // trovato!" when the program cannot be reached, "Impossibile connettersi con
    // Microsoft Excel®" (and the switch off) when no conversation stands.
    Collegamento collega(TCustomExcel& excel) const;
    // Exports `mese` (a name of nomiMesi()) of `anno`: through `excel`, once
    // collega() connected it, else to the text file nomeFile() in the
    // directory, replaced only when the whole month is written. A failure
    // keeps the previous file and ends the conversation without keeping the
    // sheet. `progresso` gets the percentage of the archive read.
    Esito esporta(const QString& mese, int anno, TCustomExcel* excel,
                  const std::function<void(int percento)>& progresso = {}) const;

private:
    ConsumiResult passata(const std::pair<QDate, QDate>& giorni, ConsumiRowSink& righe,
                          const std::function<void(int)>& progresso) const;

    QString m_archivio;
    QString m_directory;
    const StatoProgramma& m_stato;
    const SettingsStore& m_store;
    QLocale m_locale;
};
