#pragma once

#include "entry/UDialogInregistrare.h"

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
class QTreeWidget;
class TEditorGenericComplex;

// One student of the list.
struct TLinieElev
{
    qint32 Id = -1;
    QString Denumire;
};

// The students in the order the database delivered them; owns them.
using TListaLiniiElevi = std::vector<std::unique_ptr<TLinieElev>>;

// The line of the first selected node of a student list, or null.
const TLinieElev* LinieSelectata(const QTreeWidget* arbore);

// The main working surface: the students, a search box, the print buttons and add / change / delete.
class TListaElevi : public QWidget
{
    Q_OBJECT

public:
    explicit TListaElevi(QWidget* parinte = nullptr);

    // Reads every student and its shown name again, then filters.
    void Reincarca();
    // Shows the loaded students whose name contains the search text (all when it is blank).
    void Filtreaza();

    // The students the list shows now (after the search), in list order.
    QList<const TLinieElev*> LiniiAfisate() const;
    // Opens the class print for the students shown.
    void TiparesteClasa();

    void Adauga();
    void Modifica();
    void Sterge();

    const TListaLiniiElevi& Linii() const { return m_linii; }
    QTreeWidget* Arbore = nullptr;
    QLineEdit* Cauta = nullptr;
    QWidget* PanouButoane = nullptr;

private:
    TListaLiniiElevi m_linii;
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
