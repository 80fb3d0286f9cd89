#pragma once

#include <QDialog>
#include <QString>
#include <QWidget>

#include <memory>
#include <vector>

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

// The dialog that adds or changes one student.
class TAdaugaElev : public QDialog
{
    Q_OBJECT

public:
    explicit TAdaugaElev(QWidget* parinte = nullptr);

    qint32 IdElev = -1;
    TEditorGenericComplex* Editor = nullptr;
    QPushButton* Ok = nullptr;
    QPushButton* Renunt = nullptr;

    void ElevNou();
    void EditeazaElev(qint32 id);
    // Validates and saves everything in one transaction; closes with OK when it succeeded.
    void Salveaza();

protected:
    void showEvent(QShowEvent* e) override;

private:
    bool m_afisat = false;
};
