#pragma once

#include "entry/UDialogInregistrare.h"

#include <QDialog>
#include <QString>

#include <memory>
#include <vector>

class QPushButton;
class QTreeWidget;
class TEditorGenericComplex;

// One row of the generic list: a record of the table and its shown name.
struct TLinieGenerica
{
    qint32 Id = -1;
    QString Denumire;
};

// The rows of a record table other than the students (for this program the school), with add, change and
// delete. The opener sets the caption and the table, calls Incarca and shows it modally.
class TListaGenerica : public QDialog
{
    Q_OBJECT

public:
    explicit TListaGenerica(QWidget* parinte = nullptr);

    QString Tabel;
    QTreeWidget* Lista = nullptr;

    // Reads the table's rows again, each named by the profile's ListaCampuriGeneric from its own values.
    void Incarca();
    void Adauga();
    void Modifica();
    void Sterge();

    const std::vector<std::unique_ptr<TLinieGenerica>>& Linii() const { return m_linii; }

private:
    const TLinieGenerica* Selectata() const;

    std::vector<std::unique_ptr<TLinieGenerica>> m_linii;
};

// Edits one row of a record table in the grouped editor; "Ok" saves it in one transaction.
class TEditeaza : public TDialogInregistrare
{
    Q_OBJECT

public:
    explicit TEditeaza(const QString& tabel, QWidget* parinte = nullptr);

    QString Tabel;
    qint32 IdInregistrare = -1;

    void PregatesteRandNou();
    void IncarcaRand(qint32 id);
    // Validates and saves: a new row gets its identifier here, together with its values. Students not yet
    // tied to any row of the table are tied to it when it is the table's only row.
    void Salveaza() override;
};
