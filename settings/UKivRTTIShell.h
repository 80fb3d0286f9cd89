#pragma once

#include <QList>
#include <QMetaProperty>
#include <QString>
#include <QVariant>

class QObject;

// Kinds of a settings property, as the registry sees them.
enum class TTipProprietate
{
    Intreg,        // int, unsigned, short, signed/unsigned char used as numbers
    Enumerare,     // bool and Q_ENUM types
    Multime,       // Q_FLAG types, stored as their bit mask
    Intreg64,      // qint64, quint64, long
    Caracter,      // char
    CaracterLat,   // QChar
    SirLung,       // QString
    Real,          // double, float
    Clasa,         // QObject pointers
    Varianta,      // QVariant
    TablouDinamic, // QStringList, QVariantList and other lists
    Inregistrare,  // every other value type (QColor, QDate, gadgets, byte arrays ...)
};

// Stored in the registry as a 32-bit integer.
bool EsteTipIntreg(TTipProprietate tip);
// Stored in the registry as a string.
bool EsteTipText(TTipProprietate tip);

// Lists the Q_PROPERTYs of an object, from its own class up to (not including) QObject, sorted without
// regard to case and without duplicates, and reads and writes them by position. Does not own the object.
class TKivRTTIShell
{
public:
    explicit TKivRTTIShell(QObject* obiect);

    int Count() const { return int(m_proprietati.size()); }
    QString PropName(int index) const;
    TTipProprietate PropKind(int index) const;
    // Position of a property by name (without regard to case), or -1.
    int IndexOf(const QString& nume) const;

    QVariant GetValue(int index) const;
    // Converts the value to the property's type; throws EEroare when it cannot.
    void SetValue(int index, const QVariant& valoare);

private:
    struct TProprietate
    {
        QString nume;
        TTipProprietate tip;
        QMetaProperty meta;
    };
    const TProprietate& La(int index) const;

    QObject* m_obiect = nullptr;
    QList<TProprietate> m_proprietati;
};
