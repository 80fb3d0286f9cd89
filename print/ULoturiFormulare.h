#pragma once

#include <QDate>
#include <QDialog>

class QDateEdit;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;

// Asks why a blank is annulled and on which day; Motiv is required.
class TAnulareFormularForm : public QDialog
{
    Q_OBJECT

public:
    TAnulareFormularForm(const QString& formular, QWidget* parinte = nullptr);
    QLineEdit* Motiv = nullptr;
    QDateEdit* Data = nullptr;
    QPushButton* Ok = nullptr;
    QPushButton* Renunt = nullptr;
};

// Annuls blank (serie, numar) after asking for the reason; true when it was annulled.
bool CereAnulareaFormularului(QWidget* parinte, const QString& serie, qint64 numar);

// "Loturi de formulare": the stock per series and the batches, a new batch; the register of issued certificates
// with its numbers and dates; blanks annulled by their number; the two reports saved as PDF and as workbook.
class TLoturiFormulareForm : public QDialog
{
    Q_OBJECT

public:
    explicit TLoturiFormulareForm(QWidget* parinte = nullptr);

    void Reincarca();

    QTabWidget* Pagini = nullptr;
    QTreeWidget* Stoc = nullptr;
    QTreeWidget* ListaLoturi = nullptr;
    QLineEdit* LotSerie = nullptr;
    QLineEdit* LotDeLa = nullptr;
    QLineEdit* LotPanaLa = nullptr;
    QDateEdit* LotPrimit = nullptr;
    QLineEdit* LotDocument = nullptr;
    QPushButton* AdaugaLotul = nullptr;

    QTreeWidget* Registru = nullptr;
    QLineEdit* NrRegistru = nullptr;
    QLineEdit* DataEliberarii = nullptr;
    QLineEdit* DataPrimirii = nullptr;
    QPushButton* SalveazaRegistrul = nullptr;
    QPushButton* AnuleazaEliberat = nullptr;
    QPushButton* RegistruPdf = nullptr;
    QPushButton* RegistruXlsx = nullptr;

    QLineEdit* AnulareSerie = nullptr;
    QLineEdit* AnulareNumar = nullptr;
    QPushButton* AnuleazaNumar = nullptr;
    QDateEdit* AnulariDe = nullptr;
    QDateEdit* AnulariPana = nullptr;
    QPushButton* AnulariPdf = nullptr;
    QPushButton* AnulariXlsx = nullptr;

private:
    void Adauga();
    void ArataSelectia();
    void SalveazaSelectia();
    void SalveazaRaport(bool registru, bool pdf);
};
