#include "archive/ControlloLimitiInDiretta.h"

#include "archive/ImpostazioniLimiti.h"

ControlloLimitiInDiretta::Limiti ControlloLimitiInDiretta::leggi(const SettingsStore& store, QStringList* problemi)
{
    using P = ImpostazioniLimiti::Periodo;
    ImpostazioniLimiti impostazioni(store);
    const auto decimi = [&](P periodo) {
        return impostazioni.attivo(ImpostazioniLimiti::limite(periodo)).value_or(0) *
               ImpostazioniLimiti::decimiAlMinuto;
    };
    Limiti limiti;
    limiti.collegamento = decimi(P::Collegamento);
    limiti.giornaliero = decimi(P::Giornaliero);
    limiti.anticipo = impostazioni.anticipo().value_or(0) * 10;
    if (problemi)
        problemi->append(impostazioni.problemi());
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
    const qint64 usatoOggi = qint64(consumiGiorno) * ImpostazioniLimiti::decimiAlMinuto + trascorsi;
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
