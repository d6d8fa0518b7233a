#include "setup/PaginaConnessione.h"

#include "platform/DialUpSource.h"
#include "settings/SettingsStore.h"

namespace {

const QString erroreParametri = QStringLiteral("Impossibile recuperare i parametri di connessione");

Message errore(const QString& testo)
{
    return {testo, QStringLiteral("Errore"), Message::Icon::Critical};
}

} // namespace

PaginaConnessione::PaginaConnessione(SettingsStore& store, DialUpSource& dialUp,
                                     std::function<QStringList()> vociDisponibili)
    : m_store(store)
    , m_dialUp(dialUp)
    , m_vociDisponibili(std::move(vociDisponibili))
    , m_titolo(titoloProgettato())
{
}

QString PaginaConnessione::titoloProgettato()
{
    return QStringLiteral("Parametri di connessione");
}

void PaginaConnessione::mostraAutomatica(bool automatica)
{
    m_automatica = automatica;
    m_titolo = automatica ? QStringLiteral("Connessione automatica attivata")
                          : QStringLiteral("Connessione automatica disattivata");
    m_campiAttivi = !automatica;
}

QList<Message> PaginaConnessione::entra()
{
    m_caricata = true;
    const bool automatica = m_store.isOn(Catalogue::ConnessioneAutomatico);
    const QString provider = m_store.read(Catalogue::ConnessioneProvider);
    const QString utente = m_store.read(Catalogue::ConnessioneUtente);
    const QString password = m_store.read(Catalogue::ConnessionePassword);
    mostraAutomatica(automatica);
    if (automatica) {
        m_utente = utente;
        m_password = password;
        m_voce = provider;
        return {};
    }
    m_utente.clear();
    m_password.clear();
    m_elenco.clear();
    m_voce.clear();
    const std::optional<QList<DialUpSource::PhoneBookEntry>> rubrica = m_dialUp.phoneBook();
    if (!rubrica || rubrica->size() > massimoVoci)
        return {errore(erroreParametri)};
    for (const DialUpSource::PhoneBookEntry& voce : *rubrica)
        m_elenco.append(voce.name);
    if (m_elenco.isEmpty())
        return {};
    return scegli(m_elenco.first());
}

QList<Message> PaginaConnessione::scegli(const QString& voce)
{
    m_voce = voce;
    m_utente.clear();
    m_password.clear();
    QString motivo;
    const std::optional<DialUpSource::DialParams> parametri = m_dialUp.dialParams(voce, &motivo);
    if (!parametri)
        return {errore(erroreParametri + QStringLiteral(": ") + motivo.left(100))};
    m_utente = parametri->userName;
    if (parametri->passwordSaved)
        m_password = parametri->password;
    return {};
}

void PaginaConnessione::spunta(bool spuntata)
{
    mostraAutomatica(spuntata);
    if (spuntata)
        return;
    m_utente.clear();
    m_password.clear();
    m_elenco = m_vociDisponibili ? m_vociDisponibili() : QStringList();
    m_voce.clear();
}

void PaginaConnessione::scrivi()
{
    m_store.writeSwitch(Catalogue::ConnessioneAutomatico, m_automatica);
    m_store.write(Catalogue::ConnessioneProvider, m_voce);
    m_store.write(Catalogue::ConnessioneUtente, m_utente);
    m_store.write(Catalogue::ConnessionePassword, m_password);
}

void PaginaConnessione::applica()
{
    if (m_caricata)
        scrivi();
}

void PaginaConnessione::salva()
{
    if (m_caricata)
        scrivi();
}
