#include "setup/FormStorage.h"

#include "archive/ImpostazioniLimiti.h"
#include "settings/Conversion.h"
#include "settings/SettingsStore.h"
#include "setup/TypedInput.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <optional>

namespace {

using V = FormStorage::Valori;
using T = FormStorage::Tipo;
constexpr qint64 grande = FormStorage::massimoGrande;

std::optional<qint64> numero(const QString& testo, qint64 minimo, qint64 massimo)
{
    bool ok = false;
    const double valore = QLocale::c().toDouble(testo.trimmed(), &ok);
    if (!ok || !std::isfinite(valore))
        return std::nullopt;
    const double limitato = std::clamp(valore, static_cast<double>(minimo), static_cast<double>(massimo));
    return std::clamp(qRound64(limitato), minimo, massimo);
}

std::optional<qint64> indice(const QString& testo, qint64 minimo, qint64 massimo)
{
    const std::optional<qint64> valore = tryStrToInt64(testo);
    if (!valore)
        return std::nullopt;
    return std::clamp(*valore, minimo, massimo);
}

std::optional<bool> spunta(const QString& testo)
{
    if (testo.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (testo.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

std::optional<QString> data(const QString& testo)
{
    try {
        return formatDate(strToDate(testo));
    } catch (const EConvertError&) {
        return std::nullopt;
    }
}

} // namespace

void FormStorage::Valori::spuntaAddebito(int quale, bool spuntata)
{
    bool* caselle[] = {&CheckBox13, &CheckBox14, &CheckBox15};
    if (quale < 0 || quale > 2)
        return;
    *caselle[quale] = spuntata;
    if (!spuntata)
        return;
    for (int altra = 0; altra < 3; ++altra) {
        if (altra != quale)
            *caselle[altra] = false;
    }
}

const std::array<FormStorage::Proprieta, FormStorage::numeroProprieta>& FormStorage::proprieta()
{
    using namespace Catalogue;
    // The limits' own values come from their table, each with its range.
    const ImpostazioniLimiti::Limite& collegamento =
        ImpostazioniLimiti::limite(ImpostazioniLimiti::Periodo::Collegamento);
    const ImpostazioniLimiti::Limite& giornaliero =
        ImpostazioniLimiti::limite(ImpostazioniLimiti::Periodo::Giornaliero);
    const ImpostazioniLimiti::Limite& mensile = ImpostazioniLimiti::limite(ImpostazioniLimiti::Periodo::Mensile);
    const ImpostazioniLimiti::Limite& annuo = ImpostazioniLimiti::limite(ImpostazioniLimiti::Periodo::Annuo);
    static const std::array<Proprieta, numeroProprieta> tutte{{
        {LimitiCurrencyEdit1, &V::CurrencyEdit1, T::Numero, 0, grande},
        {collegamento.valore, &V::RxSpinEdit3, T::Numero, 0, collegamento.massimo},
        {giornaliero.valore, &V::RxSpinEdit4, T::Numero, 0, giornaliero.massimo},
        {mensile.valore, &V::RxCalcEdit1, T::Numero, 0, mensile.massimo},
        {LimitiRxSpinEdit7, &V::RxSpinEdit7, T::Numero, 1, 60},
        {collegamento.allarme, &V::CheckBox5, T::Spunta},
        {giornaliero.allarme, &V::CheckBox6, T::Spunta},
        {mensile.allarme, &V::CheckBox7, T::Spunta},
        {annuo.allarme, &V::CheckBox11, T::Spunta},
        {*giornaliero.addebito, &V::CheckBox13, T::Spunta, 0, 0, 0},
        {*mensile.addebito, &V::CheckBox14, T::Spunta, 0, 0, 1},
        {*annuo.addebito, &V::CheckBox15, T::Spunta, 0, 0, 2},
        {LimitiDateEdit2, &V::DateEdit2, T::Data},
        {annuo.valore, &V::RxCalcEdit2, T::Numero, 0, annuo.massimo},
        {LimitiClasse[0], &V::ComboBox2, T::Testo},
        {LimitiVoce[0], &V::ComboBox3, T::Testo},
        {LimitiVoce[1], &V::ComboBox5, T::Testo},
        {LimitiClasse[1], &V::ComboBox7, T::Testo},
        {LimitiVoce[2], &V::ComboBox8, T::Testo},
        {LimitiClasse[2], &V::ComboBox10, T::Testo},
        {LimitiVoce[3], &V::ComboBox11, T::Testo},
        {LimitiClasse[3], &V::ComboBox13, T::Testo},
        {LimitiVoce[4], &V::ComboBox14, T::Testo},
        {LimitiClasse[4], &V::ComboBox16, T::Testo},
        {LimitiRadioGroup4, &V::RadioGroup4, T::Indice, -1, 1},
    }};
    return tutte;
}

void FormStorage::ripristina(const SettingsStore& store, Valori& valori)
{
    for (const Proprieta& p : proprieta()) {
        const std::optional<QString> stored = store.backend().value(
            SettingsStore::chiave + QLatin1Char('\\') + p.valore.sectionName(), p.valore.valueName());
        if (!stored)
            continue;
        const QString& testo = *stored;
        switch (p.tipo) {
        case Tipo::Numero:
        case Tipo::Indice:
            if (const auto n =
                    p.tipo == Tipo::Numero ? numero(testo, p.minimo, p.massimo) : indice(testo, p.minimo, p.massimo))
                valori.*std::get<qint64 Valori::*>(p.campo) = *n;
            break;
        case Tipo::Spunta:
            if (const std::optional<bool> b = spunta(testo)) {
                if (p.addebito >= 0)
                    valori.spuntaAddebito(p.addebito, *b);
                else
                    valori.*std::get<bool Valori::*>(p.campo) = *b;
            }
            break;
        case Tipo::Data:
            if (const std::optional<QString> d = data(testo))
                valori.*std::get<QString Valori::*>(p.campo) = *d;
            break;
        case Tipo::Testo:
            valori.*std::get<QString Valori::*>(p.campo) = testo;
            break;
        }
    }
}

QString FormStorage::testo(const Proprieta& p, const Valori& valori)
{
    switch (p.tipo) {
    case Tipo::Numero:
    case Tipo::Indice:
        return QString::number(valori.*std::get<qint64 Valori::*>(p.campo));
    case Tipo::Spunta:
        return valori.*std::get<bool Valori::*>(p.campo) ? QStringLiteral("True") : QStringLiteral("False");
    case Tipo::Data:
        if (const std::optional<QDate> d = TypedInput::date(valori.*std::get<QString Valori::*>(p.campo)))
            return formatDate(*d);
        break;
    case Tipo::Testo:
        break;
    }
    return valori.*std::get<QString Valori::*>(p.campo);
}

void FormStorage::salva(SettingsStore& store, const Valori& valori)
{
    for (const Proprieta& p : proprieta()) {
        // A date that does not exist is never stored: the one stored before stays.
        if (p.tipo == Tipo::Data && !TypedInput::date(valori.*std::get<QString Valori::*>(p.campo)))
            continue;
        store.write(p.valore, testo(p, valori));
    }
}
