#include "setup/Preferenze.h"

#include "settings/Conversion.h"
#include "settings/StatoProgramma.h"
#include "setup/TypedInput.h"

#include <algorithm>

namespace {

// An integer as the dialog reads it: the stored number whatever its range
// (the dialog shows what is stored), the read default when missing or not a number.
int intero(const SettingsStore& store, const Setting& s)
{
    return store.readInteger(s.sectionName(), s.valueName(), s.defaultInteger());
}

// The item a radio group selects for an item number: beyond the last item the
// last one, below the first none.
int voce(int numero, int voci)
{
    if (numero < 0)
        return -1;
    return std::min(numero, voci - 1);
}

bool prezzoValido(const QString& testo)
{
    return tryStrToInt(testo).value_or(-1) >= 0;
}

const Setting* const posizioni[Preferenze::numeroPosizioni] = {
    &Catalogue::PosizioneFinePosX, &Catalogue::PosizioneFinePosY,  &Catalogue::PosizionePosX,
    &Catalogue::PosizionePosY,     &Catalogue::PosizionePosCostiX, &Catalogue::PosizionePosCostiY,
};

const char* const nomiPosizioni[Preferenze::numeroPosizioni] = {"Edit9",  "Edit10", "Edit12",
                                                                "Edit13", "Edit14", "Edit15"};

// A text "OK" converts to an integer; the conversion's message when it is none.
std::optional<Preferenze::Rifiuto> rifiutoIntero(const QString& testo, const QString& campo)
{
    try {
        strToInt(testo);
    } catch (const EConvertError& errore) {
        return Preferenze::Rifiuto{{errore.message(), QStringLiteral("Attenzione!"), Message::Icon::Critical}, campo};
    }
    return std::nullopt;
}

const Setting* const programmi[3] = {&Catalogue::EseguiBrowser, &Catalogue::EseguiMail, &Catalogue::EseguiAltro};

// The factory values in the order "Default" writes them.
QList<const Setting*> ordineDefault()
{
    using namespace Catalogue;
    QList<const Setting*> ordine = {
        &ImportoCosto,
        &SuonoBeep,
        &SuonoInizio,
        &FrazioneScatto,
        &RitardoSecondi,
        &TariffaFlag5,
        &TariffaFlag6,
        &InternetRidTut,
        &InternetRidTutDopo,
        &InternetRidTel,
        &InternetRidTelDopo,
        &RitardoFlagAuto,
        &InizioConteggioDataInizio,
        &VisualizzaBarra,
        &VisualizzaIcona,
        &VisualizzaTipo,
        &VediCostiAttivo,
        &PosizionePosX,
        &PosizionePosY,
        &PosizionePosCostiX,
        &PosizionePosCostiY,
        &PosizioneFinePosX,
        &PosizioneFinePosY,
        &VisualizzaBackup,
        &NonModificareDeviceInterno,
        &ConnessioneAutomatico,
        &ConnessioneProvider,
        &ConnessioneUtente,
        &ConnessionePassword,
        &EseguiBrowser,
        &EseguiMail,
        &EseguiAltro,
    };
    for (const Setting& s : Festivita)
        ordine.append(&s);
    for (const Setting& s : Feriali)
        ordine.append(&s);
    for (const Setting& s : Sabato)
        ordine.append(&s);
    for (const Setting& s : Festivi)
        ordine.append(&s);
    return ordine;
}

} // namespace

Preferenze::Preferenze(SettingsStore& store, StatoProgramma& stato, DialUpSource& dialUp, const Geometria& geometria,
                       const QDate& oggi, std::function<QStringList()> vociDisponibili)
    : m_store(store)
    , m_stato(stato)
    , m_geometria(geometria)
    , m_feriali(EditorFasce::Giorno::Feriali, stato.feriali)
    , m_festivi(EditorFasce::Giorno::Festivi, stato.festivi)
    , m_sabato(EditorFasce::Giorno::Sabato, stato.sabato)
    , m_festivita(stato.festivita, oggi)
    , m_connessione(store, dialUp, std::move(vociDisponibili))
{
}

bool Preferenze::daBarra() const
{
    return m_stato.SetupDaBarra;
}

EditorFasce& Preferenze::fasce(EditorFasce::Giorno giorno)
{
    switch (giorno) {
    case EditorFasce::Giorno::Festivi:
        return m_festivi;
    case EditorFasce::Giorno::Sabato:
        return m_sabato;
    case EditorFasce::Giorno::Feriali:
        break;
    }
    return m_feriali;
}

Preferenze::Caricamento Preferenze::carica()
{
    using namespace Catalogue;
    Caricamento esito;
    m_store.open();
    m_generale.CheckBox1 = m_store.isOn(SuonoBeep);
    m_generale.RxSpinEdit2 = std::clamp(intero(m_store, SuonoInizio), 1, 18);
    // The running price follows the store, but never to a text the meter cannot count with.
    const QString costo = m_store.read(ImportoCosto);
    if (prezzoValido(costo))
        m_stato.CostoScatto = costo;
    m_generale.CheckBox2 = intero(m_store, FrazioneScatto) == 1;
    m_generale.Edit11 = QString::number(intero(m_store, RitardoSecondi));
    m_generale.RadioGroup1 = voce(intero(m_store, TariffaFlag5) - 1, 4);
    m_generale.RadioGroup2 = voce(intero(m_store, TariffaFlag6) - 1, 2);
    for (size_t i = 0; i < m_generale.programmi.size(); ++i)
        m_generale.programmi[i] = m_store.read(*programmi[i]);
    m_generale.RadioGroup3 = voce(intero(m_store, VisualizzaTipo), 4);
    m_generale.CheckBox3 = m_store.isOn(VisualizzaBackup);

    std::array<int, numeroPosizioni> lette{};
    for (int i = 0; i < numeroPosizioni; ++i)
        lette[static_cast<size_t>(i)] = intero(m_store, *posizioni[i]);
    for (int i = 0; i < numeroPosizioni; ++i) {
        QString& campo = m_generale.posizioni[static_cast<size_t>(i)];
        campo = QString::number(lette[static_cast<size_t>(i)]);
        const Controllo controllo = controllaPosizione(static_cast<Posizione>(i), campo);
        if (controllo.avviso)
            esito.avvisi.append(*controllo.avviso);
        if (controllo.correzione)
            campo = *controllo.correzione;
    }
    m_generale.Edit1 = costo;

    // Every grid is filled whatever another one holds; a band whose times
    // cannot be read leaves its pickers as they were and is told.
    for (EditorFasce* editor : {&m_feriali, &m_festivi, &m_sabato}) {
        try {
            editor->pickersIniziali();
        } catch (const EConvertError& errore) {
            esito.errori.append(errore.message());
        }
    }
    return esito;
}

bool Preferenze::controllata(Posizione campo) const
{
    if (daBarra())
        return campo == Edit9 || campo == Edit10;
    return campo == Edit12 || campo == Edit13;
}

bool Preferenze::modificabile(Posizione campo) const
{
    const bool barra = campo == Edit9 || campo == Edit10;
    return barra == daBarra();
}

int Preferenze::limite(Posizione campo) const
{
    const QSize finestra = campo == Edit9 || campo == Edit10 ? m_geometria.barra : m_geometria.principale;
    const bool orizzontale = campo == Edit9 || campo == Edit12;
    return orizzontale ? m_geometria.schermo.width() - finestra.width()
                       : m_geometria.schermo.height() - finestra.height();
}

Preferenze::Controllo Preferenze::controllaPosizione(Posizione campo, const QString& testo) const
{
    if (!controllata(campo))
        return {};
    const int posizione = strToInt(testo);
    const int massimo = limite(campo);
    if (posizione <= massimo)
        return {};
    return {Message{QStringLiteral("La finestra esce dallo schermo!"), QStringLiteral("Attenzione!"),
                    Message::Icon::Critical},
            QString::number(massimo)};
}

QString Preferenze::nomePosizione(Posizione campo)
{
    return QLatin1String(nomiPosizioni[campo]);
}

std::optional<Preferenze::Rifiuto> Preferenze::controlla() const
{
    if (std::optional<Rifiuto> rifiuto = rifiutoIntero(m_generale.Edit11, QStringLiteral("Edit11")))
        return rifiuto;
    for (int i = 0; i < numeroPosizioni; ++i) {
        const auto campo = static_cast<Posizione>(i);
        if (std::optional<Rifiuto> rifiuto =
                rifiutoIntero(m_generale.posizioni[static_cast<size_t>(i)], nomePosizione(campo)))
            return rifiuto;
    }
    if (!TypedInput::date(m_limiti.DateEdit2))
        return Rifiuto{TypedInput::dateRefused(m_limiti.DateEdit2), QStringLiteral("DateEdit2")};
    return std::nullopt;
}

std::optional<Preferenze::Rifiuto> Preferenze::salva()
{
    using namespace Catalogue;
    if (std::optional<Rifiuto> rifiuto = controlla())
        return rifiuto;
    m_store.write(ImportoCosto, m_generale.Edit1);
    m_store.writeInteger(RitardoSecondi, strToInt(m_generale.Edit11));
    m_store.writeSwitch(SuonoBeep, m_generale.CheckBox1);
    m_store.writeInteger(SuonoInizio, m_generale.RxSpinEdit2);
    m_store.writeInteger(FrazioneScatto, m_generale.CheckBox2 ? 1 : 0);
    m_store.writeInteger(TariffaFlag5, m_generale.RadioGroup1 + 1);
    m_store.writeInteger(TariffaFlag6, m_generale.RadioGroup2 + 1);
    m_store.writeInteger(VisualizzaTipo, m_generale.RadioGroup3);
    m_store.writeSwitch(VisualizzaBackup, m_generale.CheckBox3);

    std::array<int, numeroPosizioni> valori{};
    for (size_t i = 0; i < valori.size(); ++i)
        valori[i] = strToInt(m_generale.posizioni[i]);
    for (int i = 0; i < numeroPosizioni; ++i) {
        if (modificabile(static_cast<Posizione>(i)))
            m_store.writeInteger(*posizioni[i], valori[static_cast<size_t>(i)]);
    }

    m_connessione.salva();

    for (size_t i = 0; i < m_generale.programmi.size(); ++i) {
        QString& programma = m_generale.programmi[i];
        if (programma.isEmpty())
            programma = QStringLiteral("NESSUNO");
        m_store.write(*programmi[i], programma);
    }

    const QStringList giorni = m_festivita.festivita();
    for (size_t i = 0; i < Festivita.size(); ++i)
        m_store.write(Festivita[i], giorni.at(static_cast<int>(i)));
    const auto scriviFasce = [this](const auto& settings, const EditorFasce& editor) {
        const QStringList testi = editor.fasce();
        for (size_t i = 0; i < settings.size(); ++i)
            m_store.write(settings[i], testi.at(static_cast<int>(i)));
    };
    scriviFasce(Feriali, m_feriali);
    scriviFasce(Sabato, m_sabato);
    scriviFasce(Festivi, m_festivi);
    return std::nullopt;
}

QList<SettingsStore::Entry> Preferenze::valoriDefault(int larghezzaPrincipale)
{
    QList<SettingsStore::Entry> valori;
    for (const Setting* s : ordineDefault()) {
        const bool larghezza = s->sameAs(Catalogue::PosizionePosCostiX);
        valori.append({s->sectionName(), s->valueName(),
                       larghezza ? QString::number(larghezzaPrincipale) : QLatin1String(s->firstRun)});
    }
    return valori;
}

void Preferenze::ripristinaDefault()
{
    for (const SettingsStore::Entry& valore : valoriDefault(m_geometria.principale.width()))
        m_store.writeText(valore.section, valore.value, valore.text);
}

void Preferenze::ripristinaLimiti()
{
    FormStorage::ripristina(m_store, m_limiti);
}

void Preferenze::salvaLimiti()
{
    FormStorage::salva(m_store, m_limiti);
}

QString Preferenze::domandaRiavvio()
{
    return QStringLiteral("Le nuove impostazioni saranno effettive solo alla prossima esecuzione.\r"
                          "          Chiudere il programma e riavviare manualmente?");
}

QString Preferenze::avvisoAvvioAutomatico()
{
    return QStringLiteral("attenzione l'uso contemporaneo della funzione\r"
                          "di connessione automatica con queste opzioni\r"
                          "può creare problemi con programmi che richiamano\r"
                          "automaticamente la connessione a Internet");
}

QStringList Preferenze::distanze()
{
    return {QStringLiteral("Tut"), QStringLiteral("< 15"), QStringLiteral("15 - 30"), QStringLiteral("> 30")};
}
