#include "settings/SettingsStore.h"

const QString SettingsStore::chiave = QStringLiteral("Software\\Brenvolo");
const QString SettingsStore::chiaveEventi = QStringLiteral("AppEvents\\Schemes\\Apps\\Brenvolo");

SettingsStore::SettingsStore(SettingsBackend& backend)
    : m_backend(backend)
{
}

void SettingsStore::open()
{
    if (!m_backend.keyExists(chiave))
        m_backend.createKey(chiave);
}

QString SettingsStore::sectionKey(const QString& section) const
{
    return chiave + QLatin1Char('\\') + section;
}

QString SettingsStore::readText(const QString& section, const QString& value, const QString& defaultText) const
{
    return m_backend.value(sectionKey(section), value).value_or(defaultText);
}

int SettingsStore::readInteger(const QString& section, const QString& value, int defaultValue) const
{
    const std::optional<QString> text = m_backend.value(sectionKey(section), value);
    if (!text)
        return defaultValue;
    bool ok = false;
    int number = 0;
    if (text->size() > 2 && (text->startsWith(QLatin1String("0x")) || text->startsWith(QLatin1String("0X"))))
        number = text->mid(2).toInt(&ok, 16);
    else
        number = text->toInt(&ok, 10);
    return ok ? number : defaultValue;
}

bool SettingsStore::writeText(const QString& section, const QString& value, const QString& text)
{
    return m_backend.setValue(sectionKey(section), value, text);
}

bool SettingsStore::writeInteger(const QString& section, const QString& value, int number)
{
    return writeText(section, value, QString::number(number));
}

bool SettingsStore::isFirstRun() const
{
    return m_backend.subKeys(chiave).isEmpty();
}

QList<SettingsStore::Entry> SettingsStore::firstRunDefaults(int posCostiX)
{
    auto e = [](const char* section, const char* value, const QString& text) {
        return Entry{QLatin1String(section), QLatin1String(value), text};
    };
    auto s = [](const char* text) { return QString::fromLatin1(text); };

    QList<Entry> d{
        e("importo", "costo", s("152")),
        e("ritardo", "secondi", s("12")),
        e("ritardo", "flagAuto", s("OFF")),
        e("tariffa", "flag5", s("1")),
        e("tariffa", "flag6", s("1")),
        e("internet", "ridTut", s("50")),
        e("internet", "ridTutDopo", s("1")),
        e("internet", "ridTel", s("50")),
        e("internet", "ridTelDopo", s("120")),
        e("suono", "beep", s("ON")),
        e("suono", "inizio", s("5")),
        e("frazione", "scatto", s("0")),
        e("InizioConteggio", "DataInizio", s("01/11/1997")),
        e("visualizza", "barra", s("OFF")),
        e("visualizza", "icona", s("OFF")),
        e("visualizza", "tipo", s("0")),
        e("VediCosti", "attivo", s("ON")),
        e("NonModificare", "deviceInterno", s("0")),
        e("visualizza", "backup", s("ON")),
        e("Posizione", "posX", s("0")),
        e("Posizione", "posY", s("0")),
        e("Posizione", "posCostiX", QString::number(posCostiX)),
        e("Posizione", "posCostiY", s("0")),
        e("PosizioneFine", "posX", s("0")),
        e("PosizioneFine", "posY", s("0")),
        e("connessione", "automatico", s("OFF")),
        e("connessione", "provider", s("NESSUNO")),
        e("connessione", "utente", s("NESSUNO")),
        e("connessione", "password", s("VACANTE")),
        e("esegui", "browser", s("NESSUNO")),
        e("esegui", "mail", s("NESSUNO")),
        e("esegui", "altro", s("NESSUNO")),
    };
    const char* festivita[] = {"01/01", "06/01", "25/04", "01/05", "15/08", "01/11", "08/12", "25/12", "26/12"};
    for (int i = 0; i < 9; ++i)
        d.append({QStringLiteral("festivita"), QStringLiteral("FEST%1").arg(i + 1), s(festivita[i])});
    const char* feriali[] = {"08.00.00-18.30.00-2200-0750-0400-0267", "18.30.01-23.59.59-4000-1500-0800-0500",
                             "00.00.00-07.59.59-4000-1500-0800-0500"};
    const char* sabato[] = {"08.00.00-13.00.00-2200-0750-0400-0267", "13.00.01-23.59.59-4000-1500-0800-0500",
                            "00.00.00-07.59.59-4000-1500-0800-0500"};
    const char* festivi[] = {"08.00.00-23.59.59-4000-1500-0800-0500", "00.00.00-07.59.59-4000-1500-0800-0500"};
    for (int i = 0; i < 3; ++i)
        d.append({QStringLiteral("feriali"), QStringLiteral("fascia%1").arg(i + 1), s(feriali[i])});
    for (int i = 0; i < 3; ++i)
        d.append({QStringLiteral("sabato"), QStringLiteral("fascia%1").arg(i + 1), s(sabato[i])});
    for (int i = 0; i < 2; ++i)
        d.append({QStringLiteral("festivi"), QStringLiteral("fascia%1").arg(i + 1), s(festivi[i])});
    return d;
}

bool SettingsStore::writeFirstRunDefaults(int posCostiX)
{
    bool ok = true;
    for (const Entry& entry : firstRunDefaults(posCostiX))
        ok = writeText(entry.section, entry.value, entry.text) && ok;
    return ok;
}

QList<SettingsStore::Entry> SettingsStore::allValues() const
{
    QList<Entry> all;
    for (const QString& section : m_backend.subKeys(chiave)) {
        for (const auto& [name, text] : m_backend.values(sectionKey(section)))
            all.append({section, name, text});
    }
    return all;
}

QStringList SettingsStore::soundEvents()
{
    return {QStringLiteral("Fine Scatto"), QStringLiteral("Durata Collegamento"), QStringLiteral("Durata Giornaliera"),
            QStringLiteral("Durata Mensile"), QStringLiteral("Durata Annua")};
}

void SettingsStore::registerSoundEvents()
{
    for (const QString& event : soundEvents())
        m_backend.createKey(chiaveEventi + QLatin1Char('\\') + event);
}

QString SettingsStore::soundFile(const QString& event) const
{
    const QString key = chiaveEventi + QLatin1Char('\\') + event + QStringLiteral("\\.current");
    const std::optional<QString> file = m_backend.value(key, QString());
    return file && !file->isEmpty() ? *file : QStringLiteral("N/D");
}
