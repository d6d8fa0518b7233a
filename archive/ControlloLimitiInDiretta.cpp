#include "archive/ControlloLimitiInDiretta.h"

#include "archive/ImpostazioniLimiti.h"
#include "settings/SettingsCatalogue.h"

ControlloLimitiInDiretta::Limiti ControlloLimitiInDiretta::leggi(const SettingsStore& store, QStringList* problemi)
{
    ImpostazioniLimiti impostazioni(store);
    Limiti limiti;
    if (impostazioni.allarme(Catalogue::LimitiCheckBox5))
        limiti.collegamento = impostazioni.intero(Catalogue::LimitiRxSpinEdit3).value_or(0) * 600;
    if (impostazioni.allarme(Catalogue::LimitiCheckBox6))
        limiti.giornaliero = impostazioni.intero(Catalogue::LimitiRxSpinEdit4).value_or(0) * 600;
    limiti.anticipo = impostazioni.intero(Catalogue::LimitiRxSpinEdit7).value_or(0) * 10;
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
