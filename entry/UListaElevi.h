#pragma once

#include "entry/UDialogInregistrare.h"
#include "store/ULiniiElevi.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <QList>
#include <QString>
#include <QWidget>

#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;
class TEditorGenericComplex;

// The students a list shows, one column "Nume si prenume"; each index carries its line. Refers to the lines,
// which the list owns.
class TModelElevi : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit TModelElevi(QObject* parinte = nullptr);
    void Seteaza(std::vector<const TLinieElev*> linii);
    int rowCount(const QModelIndex& parinte = {}) const override;
    int columnCount(const QModelIndex& parinte = {}) const override;
    QModelIndex index(int rand, int coloana, const QModelIndex& parinte = {}) const override;
    QVariant data(const QModelIndex& index, int rol) const override;
    QVariant headerData(int sectiune, Qt::Orientation orientare, int rol) const override;

private:
    std::vector<const TLinieElev*> m_linii;
};

// The line of the first selected row of a student list, or null.
const TLinieElev* LinieSelectata(const QTreeView* arbore);

// The main working surface: the students, a search box, the print buttons and add / change / delete.
class TListaElevi : public QWidget
{
    Q_OBJECT

public:
    explicit TListaElevi(QWidget* parinte = nullptr);

    // Reads every student and its shown name again, then filters.
    void Reincarca();
    // Takes these students as the loaded ones: sorted by name in Romanian order (the "ro_RO" collation),
    // then filtered.
    void SeteazaLinii(TListaLiniiElevi linii);
    // The same for lines sorted already (SorteazaDupaNume), as the start-up reads them beside the start screen.
    void SeteazaLiniiSortate(TListaLiniiElevi linii);
    // Shows the loaded students whose name contains the search text, without regard to case or diacritics
    // (all when it is blank).
    void Filtreaza();
    // "Elevi afisati: 12 din 30", as the status bar shows it.
    QString TextNumar() const;

    // The students the list shows now (after the search), in list order.
    QList<const TLinieElev*> LiniiAfisate() const;
    // Opens the class print for the students shown.
    void TiparesteClasa();

    void Adauga();
    void Modifica();
    void Sterge();

    const TListaLiniiElevi& Linii() const { return m_linii; }

signals:
    // After every filtering: the shown and the loaded count in words (TextNumar).
    void NumarSchimbat(const QString& text);

public:
    // Selects row `rand` of those shown, as a click does.
    void SelecteazaRand(int rand);
    QTreeView* Arbore = nullptr;
    QLineEdit* Cauta = nullptr;
    QWidget* PanouButoane = nullptr;

private:
    TListaLiniiElevi m_linii;
    TModelElevi* m_model = nullptr;
    // Every name as search compares it (FormaDeCautare, UTF-8), each followed by a 0 byte, in line order, and
    // where each begins: one pass of memmem finds every match.
    QByteArray m_textCautare;
    std::vector<qsizetype> m_inceputuri;
    std::vector<const TLinieElev*> m_afisate;
};

// The record of another table (the school) a student is tied to, as the dialog offers it.
struct TLegaturaElev
{
    QString Tabel;
    QList<qint32> Inregistrari;   // the table's records, in the database's order
    qint32 Legata = -1;           // the record the student is tied to now, or -1
    QComboBox* Alegere = nullptr; // only when the table holds more than one record
};

// The dialog that adds or changes one student.
class TAdaugaElev : public TDialogInregistrare
{
    Q_OBJECT

public:
    explicit TAdaugaElev(QWidget* parinte = nullptr);

    qint32 IdElev = -1;
    QList<TLegaturaElev> Legaturi;

    void ElevNou();
    void EditeazaElev(qint32 id);
    // Validates and saves everything in one transaction; closes with OK when it succeeded.
    void Salveaza() override;

private:
    // Reads the tables a student is tied to and their records; a drop-down for each table of several.
    void PregatesteLegaturi();

    QWidget* m_bandaLegaturi = nullptr;
};
