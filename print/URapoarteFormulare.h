#pragma once

#include <QDate>
#include <QList>
#include <QPageLayout>
#include <QString>
#include <QStringList>

class TDM;

// The two reports of the blanks' account as rows of text, and their two files. Needs no widget.

struct TColoanaRaport
{
    QString Titlu;
    double LatimeMm = 20;
    bool Numeric = false; // right-aligned on the page, a number in the workbook
};

struct TRaportFormulare
{
    QString Titlu;
    QString Subtitlu;
    QPageLayout::Orientation Orientare = QPageLayout::Landscape;
    QList<TColoanaRaport> Coloane;
    QList<QStringList> Randuri; // one text per column
    QStringList Semnaturi;      // under the last row: who signs the report
};

// A count with its noun as Romanian says it: "1 rand", "3 randuri", "20 de randuri", "101 randuri".
QString Cate(qint64 n, const QString& unul, const QString& multe);

// "Registrul de evidenta": the issued certificates in register order, read in one transaction (Tr idle).
TRaportFormulare RaportRegistru(TDM& dm);
// "Proces-verbal de anulare": the blanks annulled from `de` to `pana`, read in one transaction (Tr idle).
TRaportFormulare RaportAnulari(TDM& dm, const QDate& de, const QDate& pana);

// Writes the report as a PDF (A4, paged, title and column headings repeated, "Pagina n din N"; a row whose texts
// are too wide for their columns takes as many lines as it needs, never split across pages) through the
// careful writer: the file appears whole or not at all. Returns the page count; raises EEroare with the cause.
int ScrieRaportPdf(const TRaportFormulare& raport, const QString& fisier);
// Writes the report as an .xlsx workbook of one sheet (title, headings, one row per report row; number columns as
// numbers), the same careful way. Raises EEroare with the cause.
void ScrieRaportXlsx(const TRaportFormulare& raport, const QString& fisier);
