#pragma once

#include "store/UProfilDiploma.h"

#include <QList>
#include <QString>

#include <memory>

// The profile of the program's forms: an owning list of lines, in order of adding.
class TListaLiniiProfilDiploma
{
public:
    virtual ~TListaLiniiProfilDiploma() = default;

    // ORDINE becomes the list's count after the addition; GRUP stays empty.
    void AdaugaLinie(const QString& codFormular, const QString& codPagina, const QString& codCamp,
                     const QString& etichetaEditor, const QString& formula, const QString& vizibil,
                     const QString& tipDeDate, const QString& asociatCu, const QString& similarCu, int latimeSugerata,
                     const QString& codLinie);
    const QList<TLinieProfilDiploma>& Linii() const { return m_linii; }
    int Count() const { return int(m_linii.size()); }

private:
    QList<TLinieProfilDiploma> m_linii;
};

// A profile class: what a concrete program registers. Makes filled profile lists and answers the
// class-level questions (database name, display expressions).
class TClasaProfil
{
public:
    virtual ~TClasaProfil() = default;
    virtual QString Nume() const = 0;
    // A new list holding every line of the profile.
    virtual std::unique_ptr<TListaLiniiProfilDiploma> Creeaza() const = 0;
    virtual QString NumeBazaDeDate() const = 0;
    // Display expression of a student; the default raises an error naming the class.
    virtual QString ListaCampuriElev() const;
    // Display expression of a row of any other record table; the default raises an error naming the class.
    virtual QString ListaCampuriGeneric() const;
};

class TListaLiniiTabel
{
public:
    virtual ~TListaLiniiTabel() = default;
    void AdaugaTabel(const QString& numeTabel, const QString& expDenumire);
    const QList<TLinieTabel>& Linii() const { return m_linii; }

private:
    QList<TLinieTabel> m_linii;
};

class TClasaTabele
{
public:
    virtual ~TClasaTabele() = default;
    virtual QString Nume() const = 0;
    virtual std::unique_ptr<TListaLiniiTabel> Creeaza() const = 0;
};

// The two registration slots; each accepts one class for the life of the process.
void InregistreazaProfil(const TClasaProfil* clasa);
void InregistreazaTabele(const TClasaTabele* clasa);
const TClasaProfil* ProfilInregistrat();
const TClasaTabele* TabeleInregistrate();
// Empties both slots; for tests that register classes of their own.
void UitaInregistrarile();

// An editor label "[Grup]Eticheta{parte}" read into its three parts.
struct TEticheta
{
    QString Grup;
    QString Eticheta;
    QString Parte;
};
TEticheta CitesteEticheta(const QString& etichetaEditor);

// Inserts a blank before every capital letter A to Z.
QString SeparaCuvinte(const QString& text);

// Writes the registered table list into TABELE (inserting or updating each table's row).
void ActualizeazaListaTabele();
// Makes PROFIL_DIPLOMA hold exactly the registered profile's lines; ONOREZ_SIMILAR keeps the user's choice.
void ActualizeazaProfil();
