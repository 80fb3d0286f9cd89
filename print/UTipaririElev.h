#pragma once

#include <QDialog>

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

    QTreeWidget* Lista = nullptr;
    QPushButton* AnuleazaFormularul = nullptr;
    QPushButton* Retipareste = nullptr;
    QPushButton* Inchide = nullptr;

private:
    qint64 m_id;
    QString m_denumire;
};
