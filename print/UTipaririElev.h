#pragma once

#include "store/UTipariri.h"

#include <QDialog>
#include <QList>

class QPushButton;
class QTreeWidget;

// "Tiparirile elevului": every sheet printed for one student, newest first, with the blank it took,
// "Anuleaza formularul" for the selected sheet's blank, and "Retipareste", which prints the student's certificate
// again on a new blank.
class TTipaririElevForm : public QDialog
{
    Q_OBJECT

public:
    TTipaririElevForm(qint64 idElev, const QString& denumire, QWidget* parinte = nullptr);

    // Reads the student's printings again.
    void Reincarca();
    // Prints the certificate again, offering the margins and mirror of the chosen sheet (else the newest).
    void RetiparesteAles();

    QTreeWidget* Lista = nullptr;
    QPushButton* AnuleazaFormularul = nullptr;
    QPushButton* Retipareste = nullptr;
    QPushButton* Inchide = nullptr;

private:
    QList<TTiparire> m_tipariri; // in list order
    qint64 m_id;
    QString m_denumire;
};
