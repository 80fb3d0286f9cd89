#include "app/TDialogBazaDeDate.h"

#include "app/TMeniuRegistru.h"
#include "platform/UActiune.h"
#include "platform/UEroare.h"
#include "platform/UForme.h"
#include "platform/UMesaje.h"
#include "store/UBazaServer.h"
#include "store/UDataModule.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TDialogBazaDeDate::TDialogBazaDeDate(QWidget* parinte, const QString& motivPornire)
    : QDialog(parinte), m_laPornire(!motivPornire.isEmpty())
{
    setObjectName(QStringLiteral("DialogBazaDeDate"));
    setWindowTitle(QStringLiteral("Baza de date"));
    auto* asezare = new QVBoxLayout(this);
    const QString curenta = AreModulDeDate() ? ModululDeDate().Db.DatabaseName() : QString();
    auto* explicatie = new QLabel(
        QStringLiteral("Baza de date folosita acum: %1\n\nPentru un registru pe un server Firebird scrieti "
                       "server:cale (de exemplu secretariat:/var/lib/firebird/data/Tessaluna2006.FDB), "
                       "utilizatorul registrului si parola lui.\n"
                       "Lasati numele gol pentru baza de date de langa program.%2")
            .arg(curenta.isEmpty() ? QStringLiteral("(niciuna)") : QDir::toNativeSeparators(curenta),
                 m_laPornire ? QString()
                             : QStringLiteral("\nSchimbarea se aplica la urmatoarea pornire a programului.")),
        this);
    explicatie->setWordWrap(true);
    asezare->addWidget(explicatie);
    Motiv = new QLabel(motivPornire, this);
    Motiv->setObjectName(QStringLiteral("Motiv"));
    Motiv->setWordWrap(true);
    Motiv->setVisible(m_laPornire);
    asezare->addWidget(Motiv);

    auto* campuri = new QFormLayout;
    Nume = new QLineEdit(NumeBazaServer(), this);
    Nume->setObjectName(QStringLiteral("NumeServer"));
    campuri->addRow(QStringLiteral("Baza de date:"), Nume);
    Utilizator = new QLineEdit(UtilizatorBazaServer(), this);
    Utilizator->setObjectName(QStringLiteral("Utilizator"));
    campuri->addRow(QStringLiteral("Utilizator:"), Utilizator);
    Parola = new QLineEdit(this);
    Parola->setObjectName(QStringLiteral("Parola"));
    Parola->setEchoMode(QLineEdit::Password);
    Parola->setPlaceholderText(QStringLiteral("(cea pastrata pe acest calculator)"));
    campuri->addRow(QStringLiteral("Parola:"), Parola);
    asezare->addLayout(campuri);

    auto* butoane = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    butoane->setObjectName(QStringLiteral("Butoane"));
    butoane->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    butoane->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OK"));
    butoane->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Renunt"));
    butoane->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Renunta"));
    asezare->addWidget(butoane);
    connect(butoane, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(butoane, &QDialogButtonBox::accepted, this, [this] { Accepta(); });
    adjustSize();
    // At start-up there is no main window yet to place it over.
    CentreazaForma(this);
    // Asked at start-up for a password, the cursor waits where it is missing.
    (m_laPornire && !Utilizator->text().isEmpty() ? Parola : Nume)->setFocus();
}

void TDialogBazaDeDate::Accepta()
{
    // A refusal keeps the dialog open with what was typed; nothing is written.
    QString avertisment;
    try {
        avertisment = SalveazaAccesServer(Nume->text(), Utilizator->text(), Parola->text());
    } catch (const std::exception& e) {
        TMesaje::Avertizeaza(this, TextEroare(e), DetaliiEroare(e));
        Nume->setFocus();
        return;
    }
    if (!avertisment.isEmpty())
        TMesaje::Informeaza(this, QStringLiteral("Parola nu a putut fi pastrata in depozitul de parole al "
                                                 "calculatorului (%1). Se pastreaza doar pana la inchiderea "
                                                 "programului si va fi ceruta din nou la urmatoarea pornire.")
                                      .arg(avertisment));
    accept();
}

void InstaleazaAccesServer(TDM& dm)
{
    dm.CereAccesServer = [](const QString& motiv) {
        TDialogBazaDeDate dialog(nullptr, motiv);
        return dialog.exec() == QDialog::Accepted;
    };
    SeteazaAfisareSpeciala(OferaReconectarea);
}
