#include "settings/UKivRTTIShell.h"

#include "platform/UEroare.h"

#include <QMetaObject>
#include <QObject>
#include <QSequentialIterable>

#include <algorithm>

namespace {

TTipProprietate TipPentru(const QMetaProperty& p)
{
    if (p.isFlagType())
        return TTipProprietate::Multime;
    if (p.isEnumType())
        return TTipProprietate::Enumerare;
    const QMetaType tip = p.metaType();
    switch (tip.id()) {
    case QMetaType::Bool:
        return TTipProprietate::Enumerare;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return TTipProprietate::Intreg;
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return TTipProprietate::Intreg64;
    case QMetaType::Char:
        return TTipProprietate::Caracter;
    case QMetaType::QChar:
    case QMetaType::Char16:
    case QMetaType::Char32:
        return TTipProprietate::CaracterLat;
    case QMetaType::QString:
        return TTipProprietate::SirLung;
    case QMetaType::Double:
    case QMetaType::Float:
        return TTipProprietate::Real;
    case QMetaType::QVariant:
        return TTipProprietate::Varianta;
    case QMetaType::QObjectStar:
        return TTipProprietate::Clasa;
    default:
        break;
    }
    if (tip.flags().testFlag(QMetaType::PointerToQObject))
        return TTipProprietate::Clasa;
    if (tip.flags().testFlag(QMetaType::IsEnumeration))
        return TTipProprietate::Enumerare;
    if (QMetaType::canConvert(tip, QMetaType::fromType<QSequentialIterable>()))
        return TTipProprietate::TablouDinamic;
    return TTipProprietate::Inregistrare;
}

} // namespace

bool EsteTipIntreg(TTipProprietate tip)
{
    return tip == TTipProprietate::Intreg || tip == TTipProprietate::Enumerare || tip == TTipProprietate::Multime ||
           tip == TTipProprietate::Intreg64;
}

bool EsteTipText(TTipProprietate tip)
{
    return tip == TTipProprietate::Caracter || tip == TTipProprietate::CaracterLat || tip == TTipProprietate::SirLung;
}

TKivRTTIShell::TKivRTTIShell(QObject* obiect) : m_obiect(obiect)
{
    // A class's own properties come first, so a property redeclared by a subclass is the subclass's.
    for (const QMetaObject* clasa = obiect->metaObject(); clasa && clasa != &QObject::staticMetaObject;
         clasa = clasa->superClass()) {
        for (int i = clasa->propertyOffset(); i < clasa->propertyCount(); ++i) {
            const QMetaProperty p = clasa->property(i);
            const QString nume = QString::fromLatin1(p.name());
            if (IndexOf(nume) < 0)
                m_proprietati.append({nume, TipPentru(p), p});
        }
    }
    std::stable_sort(m_proprietati.begin(), m_proprietati.end(), [](const TProprietate& a, const TProprietate& b) {
        return a.nume.compare(b.nume, Qt::CaseInsensitive) < 0;
    });
}

const TKivRTTIShell::TProprietate& TKivRTTIShell::La(int index) const
{
    if (index < 0 || index >= m_proprietati.size())
        throw EEroare(QStringLiteral("Indicele proprietatii (%1) este in afara listei").arg(index));
    return m_proprietati[index];
}

QString TKivRTTIShell::PropName(int index) const
{
    return La(index).nume;
}

TTipProprietate TKivRTTIShell::PropKind(int index) const
{
    return La(index).tip;
}

int TKivRTTIShell::IndexOf(const QString& nume) const
{
    for (int i = 0; i < m_proprietati.size(); ++i) {
        if (m_proprietati[i].nume.compare(nume, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QVariant TKivRTTIShell::GetValue(int index) const
{
    return La(index).meta.read(m_obiect);
}

void TKivRTTIShell::SetValue(int index, const QVariant& valoare)
{
    const TProprietate& p = La(index);
    const QMetaType tip = p.meta.metaType();
    QVariant v = valoare;
    const bool numeric = valoare.canConvert<qlonglong>() && valoare.typeId() != QMetaType::QString;
    if ((p.tip == TTipProprietate::Caracter || p.tip == TTipProprietate::CaracterLat) &&
        valoare.typeId() == QMetaType::QString) {
        // A character property takes the first character of a text, nothing from an empty one.
        const QString text = valoare.toString();
        const QChar ch = text.isEmpty() ? QChar() : text[0];
        v = p.tip == TTipProprietate::Caracter ? QVariant::fromValue(char(ch.unicode())) : QVariant::fromValue(ch);
    } else if (tip.id() == QMetaType::Bool && numeric) {
        v = QVariant(valoare.toLongLong() != 0);
    } else if (numeric &&
               (tip.id() == QMetaType::UInt || tip.id() == QMetaType::UShort || tip.id() == QMetaType::UChar)) {
        // A 32-bit registry value holds the bit pattern of an unsigned number.
        v = QVariant(quint32(valoare.toInt()));
    }
    // write() converts what is left: numbers to enumerations and sets, texts to numbers and so on.
    if (!p.meta.write(m_obiect, v)) {
        throw EEroare(
            QStringLiteral("Valoarea \"%1\" nu poate fi atribuita proprietatii %2").arg(valoare.toString(), p.nume));
    }
}
