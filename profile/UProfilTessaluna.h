#pragma once

#include "profile/UProfil.h"

// The certificate with its counterfoil: thirty fields on the front page, two record tables.
class TListaLiniiProfilTessaluna : public TListaLiniiProfilDiploma
{
public:
    TListaLiniiProfilTessaluna();
};

class TListaLiniiTabelTessaluna : public TListaLiniiTabel
{
public:
    TListaLiniiTabelTessaluna();
};

class TClasaProfilTessaluna : public TClasaProfil
{
public:
    QString Nume() const override { return QStringLiteral("TListaLiniiProfilTessaluna"); }
    std::unique_ptr<TListaLiniiProfilDiploma> Creeaza() const override;
    QString NumeBazaDeDate() const override { return QStringLiteral("Tessaluna2006"); }
    QString ListaCampuriElev() const override;
    QString ListaCampuriGeneric() const override;
};

class TClasaTabeleTessaluna : public TClasaTabele
{
public:
    QString Nume() const override { return QStringLiteral("TListaLiniiTabelTessaluna"); }
    std::unique_ptr<TListaLiniiTabel> Creeaza() const override;
};

// Registers the certificate's profile and table list; called once, first thing in the process.
void InregistreazaClaseTessaluna();
