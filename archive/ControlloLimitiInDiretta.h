#pragma once

#include <QString>
#include <QStringList>

class SettingsStore;

// The two limits watched while a call is being counted: the per-connection
// limit and the daily limit. Each fires at most once per counting session.
class ControlloLimitiInDiretta
{
public:
    enum class Avviso
    {
        Collegamento,
        Giornaliero
    };

    // Limits and lead in tenths of a second; a limit of 0 is not watched.
    struct Limiti
    {
        qint64 collegamento = 0;
        qint64 giornaliero = 0;
        qint64 anticipo = 0;
    };

    // Reads limiti\RxSpinEdit3_value, RxSpinEdit4_value (minutes), CheckBox5_Checked,
    // CheckBox6_Checked (only "True" is on) and RxSpinEdit7_value (seconds). A text
    // that does not convert leaves its limit unwatched and adds a message naming
    // the setting and the text to `problemi`.
    static Limiti leggi(const SettingsStore& store, QStringList* problemi);

    explicit ControlloLimitiInDiretta(const Limiti& limiti);

    // Re-arms both conditions: called when counting starts.
    void arma();
    // `trascorsi`: tenths of a second since counting started; `consumiGiorno`:
    // minutes already used today. Returns the conditions that fire now.
    QList<Avviso> verifica(qint64 trascorsi, int consumiGiorno);

    const Limiti& limiti() const { return m_limiti; }

    static QString testoAvviso(Avviso avviso);
    // The event whose sound goes with the warning ("Durata Collegamento", "Durata Giornaliera").
    static QString eventoSonoro(Avviso avviso);

private:
    Limiti m_limiti;
    bool m_collegamentoScattato = false;
    bool m_giornalieroScattato = false;
};
