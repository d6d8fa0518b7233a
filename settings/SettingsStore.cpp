#include "settings/SettingsStore.h"

#include "settings/Conversion.h"

#include <algorithm>

const QString SettingsStore::chiave = QStringLiteral("Software\\Brenvolo");
const QString SettingsStore::chiaveEventi = QStringLiteral("AppEvents\\Schemes\\Apps\\Brenvolo");

SettingsStore::SettingsStore(SettingsBackend& backend)
    : m_backend(backend)
{
}

bool SettingsStore::open()
{
    return m_backend.keyExists(chiave) || m_backend.createKey(chiave);
}

QString SettingsStore::sectionKey(const QString& section) const
{
    return chiave + QLatin1Char('\\') + section;
}

QString SettingsStore::read(const Setting& setting) const
{
    return readText(setting.sectionName(), setting.valueName(), setting.defaultText());
}

bool SettingsStore::isOn(const Setting& setting) const
{
    return read(setting) == QLatin1String("ON");
}

int SettingsStore::readInteger(const Setting& setting, QStringList* problemi) const
{
    const int number = readInteger(setting.sectionName(), setting.valueName(), setting.defaultInteger());
    if (setting.inRange(number))
        return number;
    if (problemi) {
        problemi->append(QStringLiteral("Il valore '%1' dell'impostazione %2\\%3 non è valido:\r"
                                        "viene usato il valore %4.")
                             .arg(read(setting), setting.sectionName(), setting.valueName(), setting.defaultText()));
    }
    return setting.defaultInteger();
}

int SettingsStore::readClamped(const Setting& setting) const
{
    const int number = readInteger(setting.sectionName(), setting.valueName(), setting.defaultInteger());
    return std::clamp(number, setting.minimum, setting.maximum);
}

QString SettingsStore::readPrice(const Setting& setting, QStringList* problemi) const
{
    const QString text = read(setting);
    if (tryStrToInt(text).value_or(-1) >= 0)
        return text;
    if (problemi)
        problemi->append(QStringLiteral("Costo scatto non valido: '%1'").arg(text));
    return setting.defaultText();
}

bool SettingsStore::write(const Setting& setting, const QString& text)
{
    return writeText(setting.sectionName(), setting.valueName(), text);
}

bool SettingsStore::writeInteger(const Setting& setting, int number)
{
    return write(setting, QString::number(number));
}

bool SettingsStore::writeSwitch(const Setting& setting, bool on)
{
    return write(setting, on ? QStringLiteral("ON") : QStringLiteral("OFF"));
}

QString SettingsStore::readText(const QString& section, const QString& value, const QString& defaultText) const
{
    return m_backend.value(sectionKey(section), value).value_or(defaultText);
}

int SettingsStore::readInteger(const QString& section, const QString& value, int defaultValue) const
{
    const std::optional<QString> text = m_backend.value(sectionKey(section), value);
    return text ? tryStrToInt(*text).value_or(defaultValue) : defaultValue;
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
    QList<Entry> defaults;
    for (const Setting& setting : Catalogue::all) {
        if (!setting.firstRun)
            continue;
        const bool width = setting.sameAs(Catalogue::PosizionePosCostiX);
        defaults.append({setting.sectionName(), setting.valueName(),
                         width ? QString::number(posCostiX) : QLatin1String(setting.firstRun)});
    }
    return defaults;
}

bool SettingsStore::writeFirstRunDefaults(int posCostiX)
{
    bool ok = true;
    for (const Entry& entry : firstRunDefaults(posCostiX))
        ok = writeText(entry.section, entry.value, entry.text) && ok;
    return ok;
}

QList<SettingsStore::Entry> SettingsStore::missingFirstRunValues(int posCostiX) const
{
    QList<Entry> missing;
    for (const Entry& entry : firstRunDefaults(posCostiX)) {
        if (!m_backend.value(sectionKey(entry.section), entry.value))
            missing.append(entry);
    }
    return missing;
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
