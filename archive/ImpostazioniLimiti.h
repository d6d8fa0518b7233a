#pragma once

#include "archive/CalcolaConsumi.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

class SettingsStore;
struct Setting;

// The four limits of the "Limiti Ore" page and the settings of each, in the
// one table every user of a limit reads: the limits check, the compact
// window's live watch, the statistics window's "Limiti" page, the month's
// projection and the preferences' form storage. Limits and the consumption
// they are compared with are whole minutes; a limit of 0 is not considered.
// A value that does not convert is left out, and a message naming the
// setting and its text is kept for the user.
class ImpostazioniLimiti
{
public:
    enum class Periodo
    {
        Collegamento,
        Giornaliero,
        Mensile,
        Annuo
    };

    struct Limite
    {
        Periodo periodo;
        const char* nome;       // the limit's word in the messages ("Giornaliero", "Mensile", "Annuo")
        const Setting& valore;  // the limit, minutes
        qint64 massimo;         // the largest limit the page takes, minutes
        const Setting& allarme; // on only when its text is exactly "True"
        // The charge of the extra hours, on unless its text is exactly
        // "False"; none for the per-connection limit.
        const Setting* addebito;
        // The limits check's pass and the minutes it last found, stored and
        // kept in memory; none for the per-connection limit, which the live
        // watch compares with the session's own time.
        std::optional<ConsumiMode> modo;
        const Setting* consumo;
        int StatoProgramma::*consumoInMemoria;
        qint64 margine; // minutes before the limit from which the check warns
        // The periods in which the 80 % and 90 % warnings were last told;
        // the monthly and yearly limits only.
        const std::array<Setting, 2>* soglie;
    };

    static constexpr qint64 decimiAlMinuto = 600;     // a minute of a limit, in the live watch's tenths of a second
    static constexpr qint64 massimoCampo = 999999999; // the largest number the page's number fields take

    // Per connection, daily, monthly, yearly: in the page's order.
    static const std::array<Limite, 4>& tabella();
    static const Limite& limite(Periodo periodo);
    // The limit whose check runs a pass of `modo`; none for the other modes.
    static const Limite* limiteDelPasso(ConsumiMode modo);

    explicit ImpostazioniLimiti(const SettingsStore& store);

    bool allarme(const Limite& limite) const;
    bool addebito(const Limite& limite) const;
    std::optional<qint64> minuti(const Limite& limite);
    // The limit when its alarm is on; nothing when the alarm is off or the
    // value does not convert.
    std::optional<qint64> attivo(const Limite& limite);
    // The minutes the limits check last stored for the limit's period.
    std::optional<qint64> consumo(const Limite& limite);

    // The "Generale" group: lire an extra hour, the warning lead in seconds
    // before the per-connection limit, the subscription year's first day.
    std::optional<qint64> prezzoOreAggiuntive();
    std::optional<qint64> anticipo();
    std::optional<QDate> inizioAnno();

    // The messages about values that did not convert, one per value.
    const QStringList& problemi() const { return m_problemi; }

private:
    std::optional<qint64> intero(const Setting& valore);
    void segnala(const Setting& valore, const QString& testo);

    const SettingsStore& m_store;
    QStringList m_problemi;
};
