#pragma once

#include "settings/SettingsBackend.h"
#include "settings/SettingsCatalogue.h"

#include <QList>
#include <QString>

// The program's settings: sections and text values below
// HKEY_CURRENT_USER\Software\Brenvolo, read with a default for every read and
// written one value at a time. Nothing is cached: every read asks the backend.
class SettingsStore
{
public:
    struct Entry
    {
        QString section;
        QString value;
        QString text;
        bool operator==(const Entry&) const = default;
    };

    static const QString chiave;
    static const QString chiaveEventi;

    explicit SettingsStore(SettingsBackend& backend);

    // Creates the program's key when it does not exist yet; false when it could not be created.
    bool open();

    // A setting of the catalogue (SettingsCatalogue.h), with its read default.
    QString read(const Setting& setting) const;
    // "ON"; a missing value reads as the setting's default.
    bool isOn(const Setting& setting) const;
    // A whole number as tryStrToInt reads it; a missing value or one that
    // does not convert gives the read default, silently. A value outside the
    // setting's range gives the read default too; then, when `problemi` is
    // given, a message naming the setting and its text is added to it.
    int readInteger(const Setting& setting, QStringList* problemi = nullptr) const;
    // As readInteger, but a value outside the range is brought to its nearer end.
    int readClamped(const Setting& setting) const;
    // A price: the stored text when it is a whole, non-negative number of lire,
    // else the read default, and "Costo scatto non valido: '...'" in `problemi`.
    QString readPrice(const Setting& setting, QStringList* problemi = nullptr) const;
    bool write(const Setting& setting, const QString& text);
    bool writeInteger(const Setting& setting, int number);
    bool writeSwitch(const Setting& setting, bool on);

    QString readText(const QString& section, const QString& value, const QString& defaultText) const;
    // A whole number as tryStrToInt reads it; anything else gives the default.
    int readInteger(const QString& section, const QString& value, int defaultValue) const;
    bool writeText(const QString& section, const QString& value, const QString& text);
    bool writeInteger(const QString& section, const QString& value, int number);

    // The key exists (or not) but holds no section: the program runs for the first time.
    bool isFirstRun() const;
    // The factory values in the order the first run writes them (the
    // catalogue's first-run texts); posCostiX is the main window's width at that moment.
    static QList<Entry> firstRunDefaults(int posCostiX);
    bool writeFirstRunDefaults(int posCostiX);
    // The first-run values the store does not hold (a damaged or half-written
    // store), in first-run order.
    QList<Entry> missingFirstRunValues(int posCostiX) const;

    // Every section/value=text of the store, in stored order.
    QList<Entry> allValues() const;

    // The program's sound events, registered where the desktop's sound
    // settings can list them.
    static QStringList soundEvents();
    void registerSoundEvents();
    // The sound file chosen for an event, "N/D" when none.
    QString soundFile(const QString& event) const;

    SettingsBackend& backend() const { return m_backend; }

private:
    QString sectionKey(const QString& section) const;

    SettingsBackend& m_backend;
};
