#include "reports/EsportazioneTesto.h"

#include "settings/Conversion.h"

EsportazioneTesto::EsportazioneTesto(const QString& path, const QLocale& locale)
    : m_file(path)
    , m_locale(locale)
{
}

bool EsportazioneTesto::fail()
{
    m_error = QStringLiteral("Impossibile scrivere il file %1: %2").arg(m_file.fileName(), m_file.errorString());
    m_file.cancelWriting();
    return false;
}

bool EsportazioneTesto::open()
{
    if (m_file.isOpen())
        return true;
    if (!m_error.isEmpty())
        return false;
    return m_file.open(QIODevice::WriteOnly) || fail();
}

bool EsportazioneTesto::row(const ConsumiDay& giorno)
{
    if (!open())
        return false;
    const QByteArray testo = (riga(giorno, m_locale) + QStringLiteral("\r\n")).toUtf8();
    return m_file.write(testo) == testo.size() || fail();
}

bool EsportazioneTesto::finish()
{
    if (!open())
        return false;
    // The last lines wait in the file's buffer: a full disk shows only when
    // they go out, and committing then would replace the export with a
    // truncated one.
    if (!m_file.flush())
        return fail();
    return m_file.commit() || fail();
}

QString EsportazioneTesto::nomeFile(const QString& mese, const QString& anno)
{
    return mese.left(3) + QLatin1Char('_') + anno.mid(2, 2) + QStringLiteral(".txt");
}

QString EsportazioneTesto::riga(const ConsumiDay& giorno, const QLocale& locale)
{
    return QStringLiteral("%1;%2;%3;%4;%5")
        .arg(formatDate(giorno.data), QString::number(giorno.scatti), costoConsumi(giorno.costo, locale),
             QString::number(giorno.secondi), giorno.provider);
}
