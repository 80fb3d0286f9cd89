#pragma once

#include "entry/UEditorGeneric.h"

class QComboBox;
class QLineEdit;
class TKivNumEdit;

// "TEXT": an editable drop-down whose suggestions are every text stored for the field; keeps 256 characters.
class TEditorCampText : public TEditorGeneric
{
    Q_OBJECT

public:
    explicit TEditorCampText(QWidget* parinte = nullptr);
    void Incarca(const QString& codFormular, const QString& codPagina, const QString& codCamp, const QString& tabel,
                 qint32 idElev, qint32 idInregistrare) override;
    // Always true; a graduation year that the certificate's blank cannot hold is saved after a warning.
    bool PotSalva() override;
    void Salveaza(qint32 idElev, qint32 idInregistrare, const QString& tabel) override;
    void DupaAfisare() override;
    QString NumeClasa() const override { return QStringLiteral("TEditorCampText"); }
    QComboBox* Lista() const { return m_lista; }

private:
    QComboBox* m_lista = nullptr;
};

// Editors over one single-line text box, storing 64 characters.
class TEditorCuCasetaText : public TEditorGeneric
{
    Q_OBJECT

public:
    explicit TEditorCuCasetaText(QWidget* parinte = nullptr);
    void Incarca(const QString& codFormular, const QString& codPagina, const QString& codCamp, const QString& tabel,
                 qint32 idElev, qint32 idInregistrare) override;
    bool PotSalva() override { return true; }
    void Salveaza(qint32 idElev, qint32 idInregistrare, const QString& tabel) override;
    QLineEdit* Caseta() const { return m_caseta; }

private:
    QLineEdit* m_caseta = nullptr;
};

class TEditorCampSirues : public TEditorCuCasetaText
{
    Q_OBJECT
public:
    using TEditorCuCasetaText::TEditorCuCasetaText;
    QString NumeClasa() const override { return QStringLiteral("TEditorCampSirues"); }
};

class TEditorCampCF : public TEditorCuCasetaText
{
    Q_OBJECT
public:
    using TEditorCuCasetaText::TEditorCuCasetaText;
    QString NumeClasa() const override { return QStringLiteral("TEditorCampCF"); }
};

class TEditorCampCalificativ : public TEditorCuCasetaText
{
    Q_OBJECT
public:
    using TEditorCuCasetaText::TEditorCuCasetaText;
    QString NumeClasa() const override { return QStringLiteral("TEditorCampCalificativ"); }
};

class TEditorGenericNotaSauCalificativ : public TEditorCuCasetaText
{
    Q_OBJECT
public:
    using TEditorCuCasetaText::TEditorCuCasetaText;
    QString NumeClasa() const override { return QStringLiteral("TEditorGenericNotaSauCalificativ"); }
};

// "CNP": any text; an invalid code is saved only after the user confirms it.
class TEditorCampCNP : public TEditorCuCasetaText
{
    Q_OBJECT
public:
    using TEditorCuCasetaText::TEditorCuCasetaText;
    bool PotSalva() override;
    QString NumeClasa() const override { return QStringLiteral("TEditorCampCNP"); }
};

// "NOTA": a number edit with two decimals; empty, or a grade from 5,00 to 10,00.
class TEditorCampNota : public TEditorGeneric
{
    Q_OBJECT

public:
    explicit TEditorCampNota(QWidget* parinte = nullptr);
    void Incarca(const QString& codFormular, const QString& codPagina, const QString& codCamp, const QString& tabel,
                 qint32 idElev, qint32 idInregistrare) override;
    bool PotSalva() override;
    void Salveaza(qint32 idElev, qint32 idInregistrare, const QString& tabel) override;
    QString NumeClasa() const override { return QStringLiteral("TEditorCampNota"); }
    TKivNumEdit* Nota() const { return m_nota; }

private:
    TKivNumEdit* m_nota = nullptr;
};

// The editor for a data type name of the profile; null for a name without an editor.
TEditorGeneric* CreeazaEditor(const QString& tipDeDate, QWidget* parinte);
