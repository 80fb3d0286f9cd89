#pragma once

#include <QDialog>
#include <QList>

class QPushButton;
class QVBoxLayout;
class TEditorGenericComplex;

// The dialog of one record: its grouped editor on the left, "Ok" and "Renunt" on the right. Tab follows the
// editors top to bottom, then the buttons, and wraps.
class TDialogInregistrare : public QDialog
{
    Q_OBJECT

public:
    TEditorGenericComplex* Editor = nullptr;
    QPushButton* Ok = nullptr;
    QPushButton* Renunt = nullptr;

    // Validates and saves; run by "Ok" through the action guard.
    virtual void Salveaza() = 0;

protected:
    explicit TDialogInregistrare(QWidget* parinte);

    // The left column: what goes above the editor is inserted at index 0.
    QVBoxLayout* Stanga = nullptr;
    // Called once the editor is built: `inainte` take the Tab before the editors.
    void SeteazaOrdineTab(const QList<QWidget*>& inainte = {});

    void showEvent(QShowEvent* e) override;
    bool focusNextPrevChild(bool inainte) override;

private:
    QList<QWidget*> m_ordineTab;
    bool m_afisat = false;
};
