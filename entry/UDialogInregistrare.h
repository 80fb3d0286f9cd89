#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

class QPushButton;
class QVBoxLayout;
class TEditorGenericComplex;

// The dialog of one record: its grouped editor on the left, "Ok" and "Renunt" on the right. Tab follows the
// editors top to bottom, then the buttons, and wraps. Enter moves to the next entry as Tab does (on a button it
// presses it), Ctrl+Enter saves. Esc, "Renunt" and the window's close button ask before dropping typed work.
class TDialogInregistrare : public QDialog
{
    Q_OBJECT

public:
    TEditorGenericComplex* Editor = nullptr;
    QPushButton* Ok = nullptr;
    QPushButton* Renunt = nullptr;

    // Validates and saves; run by "Ok" through the action guard.
    virtual void Salveaza() = 0;
    // Whether an entry differs from what it showed when the window opened.
    bool Modificat() const;
    // Closes without saving; with typed work, only after "Renuntati la datele scrise?" is answered "Da".
    void reject() override;

protected:
    explicit TDialogInregistrare(QWidget* parinte);

    // The left column: what goes above the editor is inserted at index 0.
    QVBoxLayout* Stanga = nullptr;
    // Before a save: an empty entry that leaves the certificate's field empty (the name, a printed field) asks
    // "Campul ... este gol. Salvez oricum?" by the editor's label. False on "Nu", with the caret in that entry.
    bool ConfirmaCampurileGoale();
    // Called once the editor is built: `inainte` take the Tab before the editors.
    void SeteazaOrdineTab(const QList<QWidget*>& inainte = {});

    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool focusNextPrevChild(bool inainte) override;

private:
    QStringList TexteIntrari() const;

    QList<QWidget*> m_ordineTab;
    QStringList m_texteLaDeschidere;
    bool m_afisat = false;
};
