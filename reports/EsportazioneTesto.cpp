#include "reports/EsportazioneTesto.h"

#include "settings/Conversion.h"

namespace {

// A name is one field, and stays a text when a spreadsheet imports the file
// with ";" as separator: its ";" become ",", and a leading character that
// would start a formula is preceded by an apostrophe. The "---" of a day
// without calls is the export's own and stays as it is.
QString campo(QString nome)
{
    if (nome == ConsumiDay().provider)
        return nome;
    nome.replace(QLatin1Char(';'), QLatin1Char(','));
    static const QString formula = QStringLiteral("=+-@");
    if (!nome.isEmpty() && formula.contains(nome.front()))
        nome.prepend(QLatin1Char('\''));
    return nome;
}

} // namespace

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
    return m_file.open() || fail();
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
             QString::number(giorno.secondi), campo(giorno.provider));
}
