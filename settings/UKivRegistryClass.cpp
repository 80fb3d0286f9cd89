#include "settings/UKivRegistryClass.h"

#include "platform/URegistru.h"
#include "settings/UKivRTTIShell.h"

#include <algorithm>
#include <limits>

namespace {

qint32 ValoareIntreaga(const QVariant& v, TTipProprietate tip)
{
    switch (v.typeId()) {
    case QMetaType::Bool:
        return v.toBool() ? 1 : 0;
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::UChar:
        return qint32(v.toUInt());
    default:
        break;
    }
    if (tip == TTipProprietate::Intreg64) {
        // Saturated, not cut: 5,000,000,000 stored as 705,032,704 would be a plain wrong value.
        if (v.typeId() == QMetaType::ULongLong || v.typeId() == QMetaType::ULong)
            return qint32(std::min<qulonglong>(v.toULongLong(), std::numeric_limits<qint32>::max()));
        return qint32(std::clamp<qlonglong>(v.toLongLong(), std::numeric_limits<qint32>::min(),
                                            std::numeric_limits<qint32>::max()));
    }
    return v.toInt();
}

QString ValoareText(const QVariant& v, TTipProprietate tip)
{
    if (tip == TTipProprietate::Caracter) {
        const char c = v.value<char>();
        return c ? QString(QChar::fromLatin1(c)) : QString();
    }
    if (tip == TTipProprietate::CaracterLat) {
        const QChar c = v.value<QChar>();
        return c.isNull() ? QString() : QString(c);
    }
    return v.toString();
}

} // namespace

TKivRegistryClass::TKivRegistryClass(const QString& cheie, QObject* parinte) : QObject(parinte), m_cheie(cheie) {}

TKivRegistryClass::~TKivRegistryClass() = default;

void TKivRegistryClass::Incarca()
{
    TKivRTTIShell shell(this);
    QStringList probleme;
    try {
        TRegistru registru;
        if (!registru.DeschideCheie(m_cheie, true))
            return;
        const QList<TValoareRegistru> valori = registru.Valori();
        for (int i = 0; i < shell.Count(); ++i) {
            const TTipProprietate tip = shell.PropKind(i);
            if (!EsteTipIntreg(tip) && !EsteTipText(tip))
                continue;
            const QString nume = shell.PropName(i);
            const auto valoare = std::find_if(valori.begin(), valori.end(), [&](const TValoareRegistru& v) {
                return v.nume.compare(nume, Qt::CaseInsensitive) == 0;
            });
            if (valoare == valori.end())
                continue;
            try {
                if (EsteTipIntreg(tip)) {
                    registru.CereTip(*valoare, TTipValoareRegistru::Intreg);
                    shell.SetValue(i, valoare->intreg);
                } else {
                    registru.CereTip(*valoare, TTipValoareRegistru::Text);
                    shell.SetValue(i, valoare->text);
                }
            } catch (const EEroare& e) {
                probleme << e.Mesaj();
            }
        }
        // The file holds values this program cannot use: keep it from being overwritten by the
        // automatic writes until the user saves settings.
        if (!probleme.isEmpty())
            registru.MarcheazaDeteriorat(probleme.join(' '));
    } catch (const EEroare& e) {
        AvertizeazaRegistru(e.Mesaj());
    }
}

void TKivRegistryClass::Salveaza(bool salvareUtilizator)
{
    TKivRTTIShell shell(this);
    QList<TValoareRegistru> valori;
    for (int i = 0; i < shell.Count(); ++i) {
        const TTipProprietate tip = shell.PropKind(i);
        if (EsteTipIntreg(tip))
            valori << TValoareRegistru::Intreg(shell.PropName(i), ValoareIntreaga(shell.GetValue(i), tip));
        else if (EsteTipText(tip))
            valori << TValoareRegistru::Text(shell.PropName(i), ValoareText(shell.GetValue(i), tip));
    }
    try {
        TRegistru registru;
        registru.SetSalvareUtilizator(salvareUtilizator);
        registru.DeschideCheie(m_cheie, true);
        registru.ScrieValori(valori);
    } catch (...) {
        m_scrieLaDistrugere = false;
        throw;
    }
}

void TKivRegistryClass::ScrieLaDistrugere()
{
    if (!m_scrieLaDistrugere)
        return;
    try {
        Salveaza();
    } catch (const std::exception& e) {
        AvertizeazaRegistru(TextEroare(e));
    }
}
