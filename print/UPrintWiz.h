#pragma once

#include <QDialog>

class QButtonGroup;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTreeWidget;

// "Formular pentru pregatirea imprimantei": the printer calibration wizard. It asks how the printer takes
// paper, prints test pages on a plain sheet fed through again, and asks what came out. Its answers go into
// the print settings only when it completes.
class TPrintWiz : public QDialog
{
    Q_OBJECT

public:
    static constexpr int NumarPagini = 14;

    explicit TPrintWiz(QWidget* parinte = nullptr);

    // Shows the wizard modally; completed, it stores its answers and the printer in use in the print settings
    // (margins and mirror choices keep their values). Returns true when it completed.
    bool Arata();

    // One step forward from the current page, as "Inainte" does.
    void Inainte();
    // Back to the page the current one was entered from.
    void Inapoi();
    int PaginaCurenta() const;

    QStackedWidget* Pagini = nullptr;
    QTreeWidget* ListaImprimante = nullptr;
    QButtonGroup* Alimentare = nullptr;    // page 1: ids 1 top, 2 front, 3 cassette
    QButtonGroup* PozitieHartie = nullptr; // page 4: ids 1 normal, 2 turned over
    QButtonGroup* Parte = nullptr;         // page 7: ids 1 same side, 2 opposite side
    QButtonGroup* Rezultat = nullptr;      // page 9: ids 1 to 4 in the order shown
    QLabel* DesenPagina6 = nullptr;
    QLabel* DesenPagina8 = nullptr;
    QLabel* InstructiunePagina8 = nullptr;
    QPushButton* ButonInapoi = nullptr;
    QPushButton* ButonInainte = nullptr;
    QPushButton* ButonRenunt = nullptr;

    // The answers, with the meanings of the print settings.
    bool ParteOpusa = false;
    bool OglindaOrizontala = false;
    bool OglindaVerticala = false;
    int ModAlimentare = 0;

    // The page each page was last entered from.
    int PaginaAnterioara(int pagina) const { return m_inapoi[pagina]; }

private:
    QWidget* Pagina(int index);
    // One routine per page: its texts and controls, added to the page `p`.
    void PaginaImprimanta(QWidget* p);
    void PaginaAlimentare(QWidget* p);
    void PaginaCasetaFrontala(QWidget* p);
    void PaginaCasetaInterna(QWidget* p);
    void PaginaReprezentare(QWidget* p);
    void PaginaCoalaAlba(QWidget* p);
    void PaginaADouaSageata(QWidget* p);
    void PaginaParte(QWidget* p);
    void PaginaLinii(QWidget* p);
    void PaginaRezultat(QWidget* p);
    void PaginaFinal(QWidget* p);

    // Prints a test page with one picture on the printer chosen in the list; false when nothing was printed.
    bool TiparestePaginaTest(const QString& titlu, int latime, int inaltime, void (*desen)(QPainter&, const QRect&));

    int m_inapoi[NumarPagini] = {};
};
