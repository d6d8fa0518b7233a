#pragma once

#include "platform/Message.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class DialUpSource;
class SettingsStore;

// The page "Connessione automatica" of the preferences dialog: whether the
// program dials a phone-book entry when it starts, which one, and that
// entry's user name and saved password as the dial-up service reports them.
// The page loads its values from the store each time it is entered; until
// then it holds nothing of the store, and "OK" leaves the stored values alone.
class PaginaConnessione
{
public:
    // The phone book may hold at most this many entries for the page to list them.
    static constexpr int massimoVoci = 100;

    // `vociDisponibili`: the names of the phone book's entries, asked only
    // when the check box is cleared by hand.
    PaginaConnessione(SettingsStore& store, DialUpSource& dialUp, std::function<QStringList()> vociDisponibili);

    // TabSheet7Enter. The messages are for the user, in order.
    QList<Message> entra();
    // ComboBox1Click: an entry of the list was picked.
    QList<Message> scegli(const QString& voce);
    // CheckBox4Click, by the user.
    void spunta(bool spuntata);
    // The entry name typed into the drop-down.
    void setVoce(const QString& voce) { m_voce = voce; }
    // BitBtn8Click, "Applica": the four values written at once.
    void applica();
    // Step 11 of the save: the four values, once the page has been loaded.
    void salva();

    bool caricata() const { return m_caricata; }
    bool automatica() const { return m_automatica; }
    // GroupBox4's caption.
    QString titolo() const { return m_titolo; }
    QString voce() const { return m_voce; }
    QStringList elenco() const { return m_elenco; }
    QString utente() const { return m_utente; }
    QString password() const { return m_password; }
    // ComboBox1, Edit6 and Edit7 take input (the connection is not automatic).
    bool campiAttivi() const { return m_campiAttivi; }

    static QString titoloProgettato();

private:
    void scrivi();
    void mostraAutomatica(bool automatica);

    SettingsStore& m_store;
    DialUpSource& m_dialUp;
    std::function<QStringList()> m_vociDisponibili;
    bool m_caricata = false;
    bool m_automatica = false;
    QString m_titolo;
    QString m_voce;
    QStringList m_elenco;
    QString m_utente;
    QString m_password;
    bool m_campiAttivi = true;
};
