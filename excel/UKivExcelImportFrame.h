#pragma once

#include "excel/UImportExcel.h"

#include <QPushButton>
#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QStackedWidget;
class QToolButton;

// The hidden button of a wizard page that holds the page's check; "Inainte" runs it before it moves.
class TButonValidare : public QPushButton
{
    Q_OBJECT
public:
    explicit TButonValidare(QWidget* parinte, std::function<void()> actiune);
    // Throws EEroare with the message that keeps the user on the page.
    void Valideaza() const { m_actiune(); }

private:
    std::function<void()> m_actiune;
};

// The first check button among a page's widgets, searched depth-first in the order they were made; null when
// the page has none.
TButonValidare* CautaPaginaOk(QWidget* pagina);

// A read-only box that receives a column name; its drop-down button asks for one.
class TCasetaColoana : public QWidget
{
    Q_OBJECT
public:
    explicit TCasetaColoana(QWidget* parinte, const QString& nume);
    QString Text() const;
    void SetText(const QString& text);
    QLineEdit* Caseta() const { return m_caseta; }
    QToolButton* Buton() const { return m_buton; }
    // Shows the column picker; returns the picked column, or nothing when it was cancelled.
    std::function<std::optional<QString>()> AlegeColoana;

private:
    QLineEdit* m_caseta;
    QToolButton* m_buton;
};

// One student field of the import: where its value comes from.
class TKivExcelImportFrame : public QWidget
{
    Q_OBJECT
public:
    explicit TKivExcelImportFrame(QWidget* parinte);

    // `limita`: the characters the field holds (LimitaTipDeDate of its data type).
    void Configureaza(const QString& cheie, const QString& eticheta, int limita = LungimeValoareText);
    QString Cheie() const { return m_cheie; }
    QString Formular() const { return m_formular; }

    bool NuImport() const;
    void SetNuImport(bool nuImport);
    void SetMod(int mod);
    // What the page holds, as the import run reads it.
    TMapareCamp Mapare() const;
    // Shows these choices (the key, form and size of the page stay its own).
    void SeteazaMapare(const TMapareCamp& mapare);

    QCheckBox* OptiuneNuImport;
    QComboBox* Mod;
    TCasetaColoana* Coloana;
    QLineEdit* Constanta;
    QLineEdit* TextFete;
    QLineEdit* TextBaieti;

private:
    void ArataIntrarile();

    QString m_cheie;
    QString m_formular;
    int m_limita = LungimeValoareText;
    QLabel* m_cheieAfisata;
    QLabel* m_eticheta;
    QWidget* m_intrari;
    QStackedWidget* m_paginiIntrari;
};
