#pragma once

#include "print/UCalibrare.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// "Calibrare imprimanta": prints a page of marks, takes the distances the user measured on it and stores the
// printer's correction. "Renunt" stores nothing.
class TCalibrareForm : public QDialog
{
    Q_OBJECT

public:
    explicit TCalibrareForm(QWidget* parinte = nullptr);

    // Prints the page of marks on the printer in use.
    void TiparestePagina();
    // The correction from the measurements typed; throws EEroare for a text that is not a number or
    // measurements out of range.
    TCorectieImprimanta Calculeaza() const;
    // Shows the correction that would be applied.
    void ArataCorectia();
    // Stores the correction for the printer in use and closes.
    void Confirma();

    QLineEdit* StangaCruce = nullptr;
    QLineEdit* SusCruce = nullptr;
    QLineEdit* IntreCruciSus = nullptr;
    QLineEdit* IntreCruciStanga = nullptr;
    QLabel* Corectia = nullptr;
    QPushButton* ButonTipareste = nullptr;
    QPushButton* ButonCalculeaza = nullptr;
    QPushButton* Ok = nullptr;
    QPushButton* Renunt = nullptr;
};
