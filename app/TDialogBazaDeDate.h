#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

// "Registru" > "Baza de date...": the register's server name (empty for the file beside the program), its user
// on the server and the password, checked by connecting before anything is stored. Start-up opens it too, with
// the reason it asks (a missing or refused password); the menu's change of server applies at the next start.
class TDialogBazaDeDate : public QDialog
{
public:
    explicit TDialogBazaDeDate(QWidget* parinte, const QString& motivPornire = {});

    QLineEdit* Nume = nullptr;
    QLineEdit* Utilizator = nullptr;
    QLineEdit* Parola = nullptr;
    QLabel* Motiv = nullptr;

private:
    void Accepta();
    bool m_laPornire = false;
};

class TDM;

// Wires the server register's questions into the program: start-up asks through this dialog for a missing or
// refused password, and the error display offers "Reconecteaza" for a connection that broke.
void InstaleazaAccesServer(TDM& dm);
