#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// What the user confirmed when asked to insert the sheet.
struct TRezultatInserare
{
    bool Ok = false;
    bool Oglinda = false;
    double Stanga = 0; // millimetres
    double Sus = 0;
    // The first blank in the tray, when the job was asked for one (CereFormularul); else empty and 0.
    QString Serie;
    qint64 Numar = 0;
};

// "Introduceti diploma in imprimanta": shows how to insert the sheet for a side, asks for the margins and
// the mirror choice. One instance for the whole program (InsertPaperForm).
class TInsertPaperForm : public QDialog
{
    Q_OBJECT

public:
    explicit TInsertPaperForm(QWidget* parinte = nullptr);

    // Pictures 1 to 4 (the ways of inserting the sheet) at 0..3, the two feed pictures at 4 and 5.
    QLabel* Imagini[6] = {};
    QLineEdit* MargineStanga = nullptr;
    QLineEdit* MargineSus = nullptr;
    QCheckBox* Oglinda = nullptr;
    QPushButton* Ok = nullptr;
    QPushButton* Renunt = nullptr;
    // "Primul formular din tava": shown only when the next ArataInserare asks for the blank.
    QWidget* PanouFormular = nullptr;
    QLineEdit* SerieFormular = nullptr;
    QLineEdit* NumarFormular = nullptr;

    // Makes the next ArataInserare (only that one) also ask for the series and number of the first blank in the
    // tray, proposing these. OK keeps the dialog open with the message `verifica` returns for what was typed,
    // until it returns empty.
    void CereFormularul(const QString& serie, qint64 numar,
                        std::function<QString(const QString& serie, qint64 numar)> verifica);

    // Shows the dialog modally for side `parte` (0 front, 1 back) with the given margins, the pictures of the
    // side the printer prints on (`parteOpusa`) and of its feed mode, and the mirror box at the side's earlier
    // choice ("D", "N", or "*" for none: then the feed mode decides). Returns the box's state whatever the
    // result; a cancelled dialog returns the margins it was given. Reads and writes no settings.
    TRezultatInserare ArataInserare(int parte, double stanga, double sus, bool parteOpusa, int modAlimentare,
                                    const QString& oglindaAleasa);

private:
    void ArataImagineaInserarii();
    void Confirma();

    int m_imagineFaraOglinda = 0; // 1..4, 0: none
    int m_imagineCuOglinda = 0;
    double m_stanga = 0;
    double m_sus = 0;
    std::function<QString(const QString&, qint64)> m_verificaFormular;
};

// The program's one insert-paper dialog, made on first use.
TInsertPaperForm& InsertPaperForm();

class TSetariImprimare;
// True when the printer wizard was completed; otherwise says "Configureaza imprimanta". Writes nothing.
bool ImprimantaConfigurata(QWidget* parinte);
// Asks for the sheet of side `parte` with the side's margins, pictures and mirror choice from `setari` (the
// job's record); the mirror choice made is stored back into it whatever the result, the margins typed when
// confirmed.
TRezultatInserare CereFoaia(TSetariImprimare& setari, int parte);
