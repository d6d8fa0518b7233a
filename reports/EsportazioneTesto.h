#pragma once

#include "archive/CalcolaConsumi.h"

#include <QLocale>
#include <QSaveFile>
#include <QString>
#include <optional>

// The month export to a text file, one line a day:
// "dd/mm/yyyy;units;cost;seconds;provider", the cost in the locale's currency
// format without decimals, UTF-8, CR LF. The lines go to a temporary file
// that takes the place of the old export only when the pass completes, so a
// pass that stops leaves the previous export as it was.
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

    QSaveFile m_file;
    QLocale m_locale;
    QString m_error;
};

// Exports the month `mese` (a name of nomiMesi()) of the year `anno` from the
// archive to nomeFile(mese, anno) in `directory` with calcolaConsumi in the
// Export mode. Nothing happens, and nothing is returned, when the month and
// the year do not make dates.
std::optional<ConsumiResult> esportaMese(const QString& archivio, const QString& mese, const QString& anno,
                                         const QString& directory, StatoProgramma& stato, SettingsStore& store,
                                         ConsumiHooks hooks = {}, const QLocale& locale = QLocale::system());
