#pragma once

#include "entry/UEditorGeneric.h"

#include <QFrame>
#include <QMap>

class QLabel;
class QScrollArea;
class QTabWidget;
class QVBoxLayout;

// A captioned frame gathering the editors of one group ("[Candidat]...").
class TFrmGrup : public QFrame
{
    Q_OBJECT

public:
    explicit TFrmGrup(QWidget* parinte = nullptr);
    QString NumeGrup;
    QLabel* EtichetaGrup = nullptr;
    QWidget* PanelSuport = nullptr;
    // Height = the controls of PanelSuport + the caption + 16 pixels.
    void Dimensioneaza();
};

// A row of editors side by side, each as wide as its share of the row's weights.
class TLinieGrupare : public QWidget
{
    Q_OBJECT

public:
    explicit TLinieGrupare(QWidget* parinte = nullptr);
    void Adauga(TEditorGeneric* editor);
    void RecalculeazaLatimi();
    const TListaEditorGeneric& Editori() const { return m_editori; }

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    TListaEditorGeneric m_editori;
};

// Edits one record of one table: one field editor per profile line of the table (but the mirrored lines
// that honour their mirror), in a tab per form, a frame per group and rows of editors per line code.
class TEditorGenericComplex : public QWidget
{
    Q_OBJECT

public:
    explicit TEditorGenericComplex(QWidget* parinte = nullptr);

    QTabWidget* PC = nullptr;
    TListaEditorGeneric Editori;

    // Builds and loads the editors; starts and rolls back its own transaction.
    void Construieste(qint32 idElev, qint32 idInregistrare, const QString& tabel);
    bool PotSalvaToate();
    // Saves every editor in the caller's transaction, which must be active.
    void SalveazaToate(qint32 idElev, qint32 idInregistrare, const QString& tabel);
    void DupaAfisareToate();
    // The editors' inputs as they stand from top to bottom (and left to right within a line): the tab order.
    QList<QWidget*> IntrariInOrdine();

private:
    struct TConstructie
    {
        QMap<QString, TLinieGrupare*> linii; // keys in small letters: looked up without regard to case
        QList<TFrmGrup*> grupuri;
    };
    QWidget* Container(const QString& formular, const QString& grup, const QString& linie, TConstructie& c);
    QWidget* Tab(const QString& formular);
    static void AdaugaLaFinal(QWidget* container, QWidget* control);
};
