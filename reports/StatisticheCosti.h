#pragma once

#include "archive/ArchivioLetto.h"
#include "archive/CalcolaConsumi.h"
#include "platform/Message.h"
#include "reports/AndamentoConsumi.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <functional>
#include <optional>

class SettingsStore;
class Shell;
struct StatoProgramma;

// The statistics window's logic: the start date it opens with and stores on
// closing, the two date checks and the pass over the chosen range, the
// "Limiti" page, and which archive is read (tqklog.txt, or an alternate file
// while AltroFileAttivo is set). It shows nothing: each step returns the
// texts and the messages for the window.
class StatisticheCosti
{
public:
    // How the choice of an alternate archive ended.
    enum class Scelta
    {
        Valida,    // the file is an archive: it is read from now on
        NonValida, // not an archive: back to tqklog.txt, with archivioNonValido()
        Annullata  // no file chosen: back to tqklog.txt
    };

    // The "Limiti" page: minutes left before each limit, negative once it is
    // exceeded, "0" for a limit whose alarm is off.
    struct Scostamenti
    {
        QString giornaliero = QStringLiteral("0");
        QString mensile = QStringLiteral("0");
        QString annuo = QStringLiteral("0");
        QList<Message> messaggi; // a limit or consumption that does not convert, told once each

        bool operator==(const Scostamenti&) const = default;
    };

    // What "&Calcola" produced.
    struct Calcolo
    {
        bool eseguito = false;             // false: a date was refused and nothing was computed
        QList<Message> messaggi;           // in the order they are to be shown
        std::optional<ConsumiTexts> testi; // the first three pages, only when the pass completed
        Scostamenti limiti;                // the "Limiti" page, whenever the pass was run
        // The "Andamento" page, from the same pass, only when it completed:
        // the bars, and the projection's lines or why there is none.
        std::optional<AndamentoConsumi> andamento;
        QStringList proiezione;
        ConsumiResult passata; // MissingClosure: what the repair starts from
    };

    // `directory`: the program's directory, where tqklog.txt lives.
    StatisticheCosti(QString directory, StatoProgramma& stato, SettingsStore& store,
                     const QLocale& locale = QLocale::system());

    // "InizioConteggio"/"DataInizio" as "dd/mm/yyyy"; "01/01/1996" when the
    // stored text is not a date.
    QString dataInizio() const;
    // The window closes: the start field's text is stored as it stands,
    // checked or not, and the statistics read tqklog.txt again.
    void chiudi(const QString& testoInizio);

    // Converts both date texts, checks their order, then runs the statistics
    // pass over the archive read and reads the "Limiti" page. `oggi` is the
    // date whose month is projected. `progresso` gets the share of the
    // archive read, 0..100, for ranges of more than two days.
    Calcolo calcola(const QString& inizio, const QString& fine, const QDate& oggi,
                    const std::function<void(int percento)>& progresso = {});

    // The "Limiti" page from the limits and the consumption last stored by the limits check.
    static Scostamenti scostamenti(const SettingsStore& store);

    // The archive the statistics, the export and the viewer read.
    QString archivio() const;
    // tqklog.txt in the program's directory: the one the deletion concerns.
    QString archivioAttuale() const;
    // The alternate file last chosen (the export dialog reads it while AltroFileAttivo is set).
    QString archivioAlternativo() const { return m_archivio.alternativo(); }
    bool altroFileAttivo() const;
    // Label1: which archive the figures come from.
    QString etichetta() const;

    // "Attuale": tqklog.txt again.
    void attuale();
    // "Altro File": `file` is the path the open dialog confirmed, empty when it was cancelled.
    Scelta scegliAltroFile(const QString& file);
    // The error dialog of an alternate file that is not an archive.
    static Message archivioNonValido();

    // Why "&Cancella File di conteggio" cannot open the deletion dialog:
    // tqklog.txt does not exist. Nothing when it can.
    std::optional<Message> cancellazioneImpossibile() const;

    // The date a field's calendar opens on: the field's own date, else `oggi`.
    static QDate dataDelCampo(const QString& testo, const QDate& oggi);

    // Opens the archive read in the desktop's viewer for text files. A message
    // when the archive does not exist, or "Blocco Note non trovato!" when
    // nothing could be started; nothing when the viewer started.
    std::optional<Message> visualizza(Shell& shell) const;

private:
    StatoProgramma& m_stato;
    SettingsStore& m_store;
    QLocale m_locale;
    ArchivioLetto m_archivio;
    QStringList m_avvisiDetti; // the passes' warnings already told while the window is open
};
