#pragma once

#include "print/UTiparireClasa.h"

#include <QDialog>
#include <QList>

class QPushButton;
class QTreeWidget;

// What would print wrong on one student's certificate.
struct TProblemaElev
{
    TElevDeTiparit Elev;
    QString Descriere;
    bool Sedile = false; // a value written with the cedilla letters ş ţ
};

// The check before printing: for each student, the fields that would print wrong (empty, shrunk below a
// readable height, too long), an invalid personal numeric code, no school tied to the student, a graduation
// year the blank cannot hold, values written with the cedilla letters ş ţ. Reads the database in one
// transaction (Tr must be idle), rolled back at the end. With `pagini` the filled pages are kept there for the
// print job.
QList<TProblemaElev> VerificaElevi(const QList<TElevDeTiparit>& elevi, TPaginiCompletate* pagini = nullptr);

// The list of problems found before printing; a double click opens the student's editor.
class TVerificareForm : public QDialog
{
    Q_OBJECT

public:
    TVerificareForm(const QList<TProblemaElev>& probleme, QWidget* parinte = nullptr);
    QTreeWidget* Lista = nullptr;
    QPushButton* TiparesteOricum = nullptr;
    QPushButton* CorecteazaDiacritice = nullptr; // shown when some value holds cedilla letters
    QPushButton* Renunt = nullptr;
    // The students whose values were changed from the list.
    const QSet<qint64>& Modificati() const { return m_modificati; }
    // Whether values shared by several students (their school's) may have changed: every page is read again.
    bool TotiModificati() const { return m_toti; }

    // "Corecteaza diacriticele": rewrites ş Ş ţ Ţ as ș Ș ț Ț in the values of the students listed with them, in
    // one transaction, and drops their lines from the list.
    void CorecteazaDiacriticele();

private:
    // Opens the student of row `rand` in the editor; a saved change marks the student to be read again.
    void DeschideElevul(int rand);

    QList<TProblemaElev> m_probleme;
    QSet<qint64> m_modificati;
    bool m_toti = false;
};

// "Tiparirea clasei": the students to print, all ticked at first; one print job or one PDF for the ticked.
class TTiparireClasaForm : public QDialog
{
    Q_OBJECT

public:
    TTiparireClasaForm(const QList<TElevDeTiparit>& elevi, QWidget* parinte = nullptr);

    // The ticked students in list order.
    QList<TElevDeTiparit> Bifati() const;
    // The check, then the class job, which draws the pages the check filled; a check that finds problems asks
    // first.
    void Tipareste();
    void Salveaza();

    QTreeWidget* Lista = nullptr;
    QPushButton* ButonTipareste = nullptr;
    QPushButton* ButonPdf = nullptr;
    QPushButton* Renunt = nullptr;
    TRezultatPagini UltimulRezultat;

private:
    QList<TElevDeTiparit> m_elevi;
};
