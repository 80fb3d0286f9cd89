#pragma once

#include <QObject>
#include <QString>

// Base of the settings objects kept in a registry key (relative to HKEY_CURRENT_USER). A subclass declares
// its settings as Q_PROPERTYs; integer, Boolean, enumeration and set properties are stored as 32-bit
// integers named after the property, text and character properties as strings, all other kinds not at
// all. The object loads them when it is created and writes them all back when it is destroyed, so code
// saves settings by creating an object, changing it and destroying it.
//
// A base class cannot see its subclass's properties while the subclass is being built or torn down:
// the final class calls Incarca() at the end of its constructor and ScrieLaDistrugere() at the start of
// its destructor.
//
// Problems of the registry file never stop the program: loading keeps the construction values of what
// it cannot read, and the message goes to the registry's warning receiver (AvertizeazaRegistru).
class TKivRegistryClass : public QObject
{
    Q_OBJECT

public:
    ~TKivRegistryClass() override;

    QString CaleCheie() const { return m_cheie; }

    // Writes every stored property now and throws ERegistru when it cannot. `salvareUtilizator` marks the
    // user's own save of settings, which replaces a damaged registry file after keeping it as a backup.
    // After a failure the object no longer writes when destroyed: the user has seen the error once.
    void Salveaza(bool salvareUtilizator = false);

protected:
    explicit TKivRegistryClass(const QString& cheie, QObject* parinte = nullptr);

    // Loads every stored property that the key holds; creates the key when it is missing.
    void Incarca();
    // The destruction's write: like Salveaza(), but never throws.
    void ScrieLaDistrugere();

private:
    QString m_cheie;
    bool m_scrieLaDistrugere = true;
};
