#include "archive/ControlloLimitiInDiretta.h"

#include "settings/SettingsStore.h"

namespace {

const QString sezione = QStringLiteral("limiti");

// Reads an integer setting written as decimal text; nullopt, with a message, when it does not convert.
std::optional<qint64> leggiIntero(const SettingsStore& store, const QString& valore, QStringList* problemi)
{
    const QString testo = store.readText(sezione, valore, QStringLiteral("0"));
    bool ok = false;
    const qint64 numero = testo.trimmed().toLongLong(&ok);
    if (ok)
        return numero;
    if (problemi)
        problemi->append(QStringLiteral("Impostazione limiti\\%1 non valida: '%2'").arg(valore, testo));
    return std::nullopt;
}

bool allarmeAttivo(const SettingsStore& store, const QString& valore)
{
    return store.readText(sezione, valore, QStringLiteral("false")) == QLatin1String("True");
}

} // namespace

ControlloLimitiInDiretta::Limiti ControlloLimitiInDiretta::leggi(const SettingsStore& store, QStringList* problemi)
{
    Limiti limiti;
    if (allarmeAttivo(store, QStringLiteral("CheckBox5_Checked")))
        limiti.collegamento = leggiIntero(store, QStringLiteral("RxSpinEdit3_value"), problemi).value_or(0) * 600;
    if (allarmeAttivo(store, QStringLiteral("CheckBox6_Checked")))
        limiti.giornaliero = leggiIntero(store, QStringLiteral("RxSpinEdit4_value"), problemi).value_or(0) * 600;
    limiti.anticipo = leggiIntero(store, QStringLiteral("RxSpinEdit7_value"), problemi).value_or(0) * 10;
    return limiti;
}

ControlloLimitiInDiretta::ControlloLimitiInDiretta(const Limiti& limiti)
    : m_limiti(limiti)
{
}

void ControlloLimitiInDiretta::arma()
{
    m_collegamentoScattato = false;
    m_giornalieroScattato = false;
}

QList<ControlloLimitiInDiretta::Avviso> ControlloLimitiInDiretta::verifica(qint64 trascorsi, int consumiGiorno)
{
    QList<Avviso> avvisi;
    if (!m_collegamentoScattato && m_limiti.collegamento > 0 &&
        trascorsi >= m_limiti.collegamento - m_limiti.anticipo) {
        m_collegamentoScattato = true;
        avvisi.append(Avviso::Collegamento);
    }
    const qint64 usatoOggi = qint64(consumiGiorno) * 600 + trascorsi;
    if (!m_giornalieroScattato && m_limiti.giornaliero > 0 && usatoOggi >= m_limiti.giornaliero - m_limiti.anticipo &&
        usatoOggi <= m_limiti.giornaliero + m_limiti.anticipo) {
        m_giornalieroScattato = true;
        avvisi.append(Avviso::Giornaliero);
    }
    return avvisi;
}

QString ControlloLimitiInDiretta::testoAvviso(Avviso avviso)
{
    return avviso == Avviso::Collegamento ? QStringLiteral("LIMITE COLLEGAMENTO SUPERATO  A INDICATORE ROSSO !")
                                          : QStringLiteral("LIMITE GIORNALIERO SUPERATO A INDICATORE FERMO");
}

QString ControlloLimitiInDiretta::eventoSonoro(Avviso avviso)
{
    return avviso == Avviso::Collegamento ? QStringLiteral("Durata Collegamento")
                                          : QStringLiteral("Durata Giornaliera");
}
