#pragma once

#include "archive/CalcolaConsumi.h"
#include "platform/ReplacingFile.h"

#include <QLocale>
#include <QString>

// The month export to a text file, one line a day:
// "dd/mm/yyyy;units;cost;seconds;provider", the cost in the locale's currency
// format without decimals, UTF-8, CR LF. The lines go to a temporary file
// that takes the place of the old export only when the pass completes, so a
// pass that stops leaves the previous export as it was; a link planted at the
// export's name is replaced, never written through.
class EsportazioneTesto : public ConsumiRowSink
{
public:
    explicit EsportazioneTesto(const QString& path, const QLocale& locale = QLocale::system());

    bool row(const ConsumiDay& giorno) override;
    bool finish() override;
    QString error() const override { return m_error; }

    // "gen_99.txt" for "gennaio" and "1999": the month name's first three
    // letters, "_", the third and fourth characters of the year.
    static QString nomeFile(const QString& mese, const QString& anno);
    static QString riga(const ConsumiDay& giorno, const QLocale& locale);

private:
    bool open();
    bool fail();

    ReplacingFile m_file;
    QLocale m_locale;
    QString m_error;
};
