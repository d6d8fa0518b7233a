#pragma once

#include <QDate>
#include <QLocale>
#include <QStringList>
#include <optional>

class SettingsStore;

// The current month projected to its last day from the days elapsed. Today
// counts as elapsed, since its calls so far are in the sums (and the first of
// the month then never divides by zero); it also counts as a day still
// available when the minutes left under the monthly limit are spread over the
// rest of the month.
struct ProiezioneMese
{
    QDate oggi;
    int giorniTrascorsi = 0; // from the month's first day to today, both included
    int giorniNelMese = 0;
    qint64 secondi = 0; // of the month's calls up to today
    double costo = 0;   // lire, of the month's calls up to today
    qint64 minutiPrevisti = 0;
    double costoPrevisto = 0;             // lire
    std::optional<qint64> limite;         // the monthly limit, when one is set
    std::optional<qint64> minutiAlGiorno; // with a limit: minutes a day from today to the month's end, 0 once used up

    // The month's minutes so far, whole and truncated as the limits count them.
    qint64 minuti() const { return secondi / 60; }

    // Projects the sums of the month of `oggi` up to `oggi`. The projected
    // minutes are truncated; the minutes a day are rounded down, so that
    // keeping to them stays within the limit.
    static ProiezioneMese calcola(const QDate& oggi, qint64 secondi, double costo, std::optional<qint64> limite);

    // The monthly limit the projection keeps to: its minutes when its alarm
    // is on and it is a whole number above 0, as the limits check takes it.
    static std::optional<qint64> limiteMensile(const SettingsStore& store);

    // The page's lines: the month and its days, the projected minutes and
    // cost ("L. 1.824"), and the minutes a day the limit leaves.
    QStringList righe(const QLocale& locale = QLocale::system()) const;

    bool operator==(const ProiezioneMese&) const = default;
};
