#include "archive/ImpostazioniLimiti.h"

#include "settings/Conversion.h"
#include "settings/SettingsStore.h"
#include "settings/StatoProgramma.h"

namespace {

using P = ImpostazioniLimiti::Periodo;
using namespace Catalogue;

constexpr std::array<ImpostazioniLimiti::Limite, 4> limiti{{
    {P::Collegamento, "Collegamento", LimitiRxSpinEdit3, 1440, LimitiCheckBox5, nullptr, std::nullopt, nullptr, nullptr,
     0, nullptr},
    {P::Giornaliero, "Giornaliero", LimitiRxSpinEdit4, 1440, LimitiCheckBox6, &LimitiCheckBox13, ConsumiMode::Daily,
     &LimitiConsumiGiorno, &StatoProgramma::consumiGiorno, 10, nullptr},
    {P::Mensile, "Mensile", LimitiRxCalcEdit1, ImpostazioniLimiti::massimoCampo, LimitiCheckBox7, &LimitiCheckBox14,
     ConsumiMode::Monthly, &LimitiConsumiMese, &StatoProgramma::consumiMese, 60, &LimitiAvvisoMensile},
    {P::Annuo, "Annuo", LimitiRxCalcEdit2, ImpostazioniLimiti::massimoCampo, LimitiCheckBox11, &LimitiCheckBox15,
     ConsumiMode::Yearly, &LimitiConsumiAnno, &StatoProgramma::consumiAnno, 600, &LimitiAvvisoAnnuo},
}};

} // namespace

const std::array<ImpostazioniLimiti::Limite, 4>& ImpostazioniLimiti::tabella()
{
    return limiti;
}

const ImpostazioniLimiti::Limite& ImpostazioniLimiti::limite(Periodo periodo)
{
    return limiti.at(static_cast<size_t>(periodo));
}

const ImpostazioniLimiti::Limite* ImpostazioniLimiti::limiteDelPasso(ConsumiMode modo)
{
    for (const Limite& l : limiti) {
        if (l.modo == modo)
            return &l;
    }
    return nullptr;
}

ImpostazioniLimiti::ImpostazioniLimiti(const SettingsStore& store)
    : m_store(store)
{
}

void ImpostazioniLimiti::segnala(const Setting& valore, const QString& testo)
{
    const QString messaggio = QStringLiteral("Il valore '%1' dell'impostazione %2\\%3 non è valido:\r"
                                             "il limite non viene considerato.")
                                  .arg(testo, valore.sectionName(), valore.valueName());
    if (!m_problemi.contains(messaggio))
        m_problemi.append(messaggio);
}

std::optional<qint64> ImpostazioniLimiti::intero(const Setting& valore)
{
    const QString testo = m_store.read(valore);
    const std::optional<qint64> numero = tryStrToInt64(testo);
    if (!numero)
        segnala(valore, testo);
    return numero;
}

bool ImpostazioniLimiti::allarme(const Limite& limite) const
{
    return m_store.read(limite.allarme) == QLatin1String("True");
}

bool ImpostazioniLimiti::addebito(const Limite& limite) const
{
    return limite.addebito && m_store.read(*limite.addebito) != QLatin1String("False");
}

std::optional<qint64> ImpostazioniLimiti::minuti(const Limite& limite)
{
    return intero(limite.valore);
}

std::optional<qint64> ImpostazioniLimiti::attivo(const Limite& limite)
{
    return allarme(limite) ? minuti(limite) : std::nullopt;
}

std::optional<qint64> ImpostazioniLimiti::consumo(const Limite& limite)
{
    return limite.consumo ? intero(*limite.consumo) : std::nullopt;
}

std::optional<qint64> ImpostazioniLimiti::prezzoOreAggiuntive()
{
    return intero(LimitiCurrencyEdit1);
}

std::optional<qint64> ImpostazioniLimiti::anticipo()
{
    return intero(LimitiRxSpinEdit7);
}

std::optional<QDate> ImpostazioniLimiti::inizioAnno()
{
    const QString testo = m_store.read(LimitiDateEdit2);
    try {
        return strToDate(testo);
    } catch (const EConvertError&) {
        segnala(LimitiDateEdit2, testo);
        return std::nullopt;
    }
}
