#pragma once

#include <QFrame>
#include <QList>
#include <QString>

class QLabel;
class QVBoxLayout;

// A field editor: a caption above one input control, reading and writing one value of the value store for
// one record. It never starts or ends a transaction: Incarca runs in the builder's, Salveaza in the caller's.
class TEditorGeneric : public QFrame
{
    Q_OBJECT

public:
    explicit TEditorGeneric(QWidget* parinte = nullptr);

    QString CodFormular;
    QString CodPagina;
    QString CodCamp;
    QString Tabel;
    qint32 IdElev = -1;
    qint32 IdInregistrare = -1;
    qint32 IdCurent = -1;
    qint32 LatimeSugerata = 0;

    QLabel* RzLabel1 = nullptr;

    // Binds the editor to a field of a record; concrete editors then load its value.
    virtual void Incarca(const QString& codFormular, const QString& codPagina, const QString& codCamp,
                         const QString& tabel, qint32 idElev, qint32 idInregistrare);
    // Whether the input may be saved; an editor that refuses shows its own message first.
    virtual bool PotSalva();
    // Writes the input for the record given here (it may have got its id after loading).
    virtual void Salveaza(qint32 idElev, qint32 idInregistrare, const QString& tabel);
    // Called once after the window holding the editor was first shown.
    virtual void DupaAfisare();

    virtual QString NumeClasa() const { return QStringLiteral("TEditorGeneric"); }

protected:
    // Places the input control below the caption.
    void SeteazaIntrare(QWidget* intrare);
    // The stored text of the bound field, or a null QString when there is no row or it is NULL.
    QString CitesteValoare() const;
    // Inserts or updates the value row with the text trimmed and cut to `limita` characters.
    void ScrieValoare(const QString& text, int limita, qint32 idElev, qint32 idInregistrare,
                      const QString& tabel) const;

private:
    QVBoxLayout* m_asezare = nullptr;
};

// The editors of a set, in creation order; does not own them.
using TListaEditorGeneric = QList<TEditorGeneric*>;
