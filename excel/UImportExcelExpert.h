#pragma once

#include "excel/UImportExcel.h"

#include <QDialog>
#include <QList>
#include <QStringList>

#include <functional>
#include <memory>

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class TCasetaColoana;
class TCititorFoi;
class TExcelSelectieColoana;
class TKivExcelImportFrame;

// The wizard that creates or updates students from the rows of one worksheet.
class TImportExcelExpert : public QDialog
{
    Q_OBJECT
public:
    explicit TImportExcelExpert(QWidget* parinte);
    ~TImportExcelExpert() override;

    // The workbook reader the wizard uses (tests and the program give the same Calc reader).
    static std::function<std::unique_ptr<TCititorFoi>()>& FabricaCititor();

    enum TPagina
    {
        pgStart = 0,
        pgFisier = 1,
        pgCnp = 2,
        pgFinal = 3,
        pgFormulare = 4,
        pgPrimulCamp = 5
    };
    int PaginaActiva() const;
    // The report of what the import would do, after the field pages and before page 3.
    int PaginaRaport() const { return pgPrimulCamp + int(PaginiCampuri.size()); }
    const TRaportImport& Raport() const { return m_raport; }

    void Inainte();
    void Inapoi();
    // "Cauta ...": asks for a file and opens it.
    void CautaFisier();
    // Opens the workbook and lists its sheets; the wizard is unchanged when it cannot be read.
    void DeschideFisier(const QString& cale);

    QStackedWidget* Pagini;
    QPushButton* ButonInainte;
    QPushButton* ButonInapoi;
    QPushButton* ButonRenunt;
    QLineEdit* NumeFisier;
    QPushButton* ButonCauta;
    QComboBox* Foi;
    TCasetaColoana* ColoanaCnp;
    QListWidget* ListaFormulare;
    QProgressBar* Progres;
    QLabel* StareImport;
    QPlainTextEdit* TextRaportImport;
    QList<TKivExcelImportFrame*> PaginiCampuri;
    // The column picker of the sheet read last; null before the sheet is read.
    TExcelSelectieColoana* SelectieColoana() const { return m_selectie; }
    const TListaColoaneExcel& Coloane() const { return m_coloane; }

protected:
    void reject() override;

private:
    QWidget* PaginaNoua(const QString& titlu);
    // One routine per fixed page, in their order; the last page's returns the band of the school links.
    void PaginaStart();
    void PaginaFisier();
    void PaginaColoanaCnp();
    QWidget* PaginaGata();
    void PaginaFormulare();
    void ConstruiestePaginileCampurilor();
    void PregatesteLegaturi(QWidget* pagina);
    void AratiPagina(int index);
    void IntraInPagina(int index);
    void CitesteFoaiaAleasa();
    std::optional<QString> AlegeColoana();
    QList<TMapareCamp> Mapari() const;
    QList<QPair<QString, qint32>> LegaturiAlese() const; // throws EEroare when a choice is missing
    void PregatesteRaportul();
    // Fills the CNP page and the field pages with the choices remembered for the sheet's headings.
    void PropuneMaparea();
    void Importa();

    std::unique_ptr<TCititorFoi> m_cititor;
    TListaColoaneExcel m_coloane;
    TRaportImport m_raport;
    TExcelSelectieColoana* m_selectie = nullptr;
    QStringList m_formulareOferite;
    QStringList m_formulareAlese;
    // Per linked table (the school): its records, and the list to choose one when there are several.
    struct TLegatura
    {
        QString Tabel;
        QList<qint32> Inregistrari;
        QComboBox* Alegere = nullptr;
    };
    QList<TLegatura> m_legaturi;
    QFormLayout* m_bandaLegaturi = nullptr;
    bool m_inLucru = false;
    bool m_oprire = false;
};
