#include "app/TMeniuRegistru.h"

#include "app/TDialogBazaDeDate.h"
#include "app/UCopieBirou.h"

#include "platform/UActiune.h"
#include "platform/UFoldere.h"
#include "platform/UMesaje.h"
#include "platform/URegistru.h"
#include "platform/UScriereSigura.h"
#include "print/UParticularizari.h"
#include "profile/UPornireDate.h"
#include "store/UBazaServer.h"
#include "store/UCopii.h"
#include "store/UDataModule.h"
#include "store/UEroareBD.h"

#include <QAction>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProgressDialog>
#include <QStatusBar>
#include <QThread>

#include <exception>

namespace {

// A thread that runs one function. (QThread::create goes through std::async, whose once-flags would make
// the program link the dynamic loader itself.)
class TFir : public QThread
{
public:
    explicit TFir(std::function<void()> lucru) : m_lucru(std::move(lucru)) {}

protected:
    void run() override { m_lucru(); }

private:
    std::function<void()> m_lucru;
};

} // namespace

void RuleazaCuProgres(QWidget* parinte, const QString& titlu,
                      const std::function<void(const std::function<void(const QString&)>&)>& lucru)
{
    QProgressDialog progres(parinte);
    progres.setObjectName(QStringLiteral("ProgresRegistru"));
    progres.setWindowTitle(titlu);
    progres.setLabelText(titlu);
    progres.setRange(0, 0);
    progres.setCancelButton(nullptr); // an engine backup or restore is not stopped half-way
    progres.setMinimumDuration(0);
    progres.setWindowModality(Qt::ApplicationModal);
    progres.show();

    std::exception_ptr eroare;
    QEventLoop bucla;
    QPointer<QProgressDialog> fereastra(&progres);
    QThread* fir = new TFir([&] {
        try {
            lucru([fereastra](const QString& linie) {
                QMetaObject::invokeMethod(
                    fereastra,
                    [fereastra, linie] {
                        if (fereastra)
                            fereastra->setLabelText(linie);
                    },
                    Qt::QueuedConnection);
            });
        } catch (...) {
            eroare = std::current_exception();
        }
    });
    QObject::connect(fir, &QThread::finished, &bucla, &QEventLoop::quit);
    fir->start();
    bucla.exec();
    fir->wait();
    delete fir;
    progres.close();
    if (eroare)
        std::rethrow_exception(eroare);
}

namespace {

QString Afisat(const QString& cale)
{
    return QDir::toNativeSeparators(cale);
}

TDM& BazaDeschisa()
{
    TDM& dm = ModululDeDate();
    if (!dm.Db.Connected())
        throw EEroare(
            QStringLiteral("Baza de date nu este deschisa, asa ca nu s-a facut nimic. Alegeti \"Registru\" > "
                           "\"Reconecteaza\" (sau \"Baza de date...\" pentru alt registru) si incercati din nou."));
    return dm;
}

} // namespace

TMeniuRegistru::TMeniuRegistru(QMainWindow* fereastra, QMenuBar* meniuri) : QObject(fereastra), m_fereastra(fereastra)
{
    setObjectName(QStringLiteral("MeniuRegistruActiuni"));
    QMenu* registru = meniuri->addMenu(QStringLiteral("&Registru"));
    registru->setObjectName(QStringLiteral("MeniuRegistru"));
    CopieDeSiguranta = registru->addAction(QStringLiteral("Copie de siguranta..."));
    CopieDeSiguranta->setObjectName(QStringLiteral("CopieDeSiguranta"));
    RestaurareDinCopie = registru->addAction(QStringLiteral("Restaurare din copie..."));
    RestaurareDinCopie->setObjectName(QStringLiteral("RestaurareDinCopie"));
    registru->addSeparator();
    BazaDeDate = registru->addAction(QStringLiteral("Baza de date..."));
    BazaDeDate->setObjectName(QStringLiteral("BazaDeDate"));
    Reconecteaza = registru->addAction(QStringLiteral("Reconecteaza"));
    Reconecteaza->setObjectName(QStringLiteral("Reconecteaza"));

    m_baza = new QLabel(m_fereastra);
    m_baza->setObjectName(QStringLiteral("EtichetaBazaDeDate"));
    m_fereastra->statusBar()->addPermanentWidget(m_baza);
    ArataBazaDeDate();

    connect(CopieDeSiguranta, &QAction::triggered, this,
            [this] { RuleazaActiune(m_fereastra, [this] { FaCopie(); }); });
    connect(RestaurareDinCopie, &QAction::triggered, this,
            [this] { RuleazaActiune(m_fereastra, [this] { Restaureaza(); }); });
    connect(BazaDeDate, &QAction::triggered, this,
            [this] { RuleazaActiune(m_fereastra, [this] { SchimbaBazaDeDate(); }); });
    connect(Reconecteaza, &QAction::triggered, this,
            [this] { RuleazaActiune(m_fereastra, [this] { RefaLegatura(); }); });
}

TMeniuRegistru::~TMeniuRegistru()
{
    if (m_zilnica) {
        m_zilnica->wait();
        delete m_zilnica;
    }
}

void TMeniuRegistru::FaCopie()
{
    TDM& dm = BazaDeschisa();
    const QString baza = dm.Db.DatabaseName();
    if (EsteNumeServer(baza))
        throw EEroare(QStringLiteral("Registrul se afla pe un server Firebird: copiile lui de siguranta le face "
                                     "administratorul serverului, cu gbak."));
    CreeazaDosarPrivat(DosarCopii(baza));
    const QString implicit = NumeCopieManuala(baza, QDateTime::currentDateTime());
    QString fisier = TMesaje::CereFisierDeScris(m_fereastra, QStringLiteral("Copie de siguranta"), implicit,
                                                QStringLiteral("Copii de siguranta (*.zip *.fbk)"));
    if (fisier.isEmpty())
        return;
    // A name ending in .fbk asks for the register alone, in the engine's own format.
    const bool doarRegistrul = fisier.endsWith(QStringLiteral(".fbk"), Qt::CaseInsensitive);
    if (!doarRegistrul && !fisier.endsWith(QStringLiteral(".zip"), Qt::CaseInsensitive))
        fisier += QStringLiteral(".zip");
    // The rotation would remove it one day.
    if (EsteNumeCopieAutomata(baza, fisier)) {
        TMesaje::Avertizeaza(m_fereastra, QStringLiteral("Numele %1 este rezervat copiilor automate, pe care programul "
                                                         "le sterge pe cele vechi. Alegeti alt nume.")
                                              .arg(Afisat(fisier)));
        return;
    }
    RuleazaCuProgres(m_fereastra, QStringLiteral("Copie de siguranta"), [&](const auto& progres) {
        if (doarRegistrul)
            FaCopieDeSiguranta(baza, fisier, progres);
        else
            FaCopieBirou(baza, fisier, FisierRegistruUtilizator(), FisierParticularizari(), progres);
    });
    TMesaje::Informeaza(m_fereastra,
                        (doarRegistrul ? QStringLiteral("Copia de siguranta a registrului a fost facuta:\n%1")
                                       : QStringLiteral("Copia de siguranta a fost facuta (registrul, setarile "
                                                        "imprimantei si corecturile campurilor):\n%1"))
                            .arg(Afisat(fisier)));
}

void TMeniuRegistru::Restaureaza()
{
    TDM& dm = BazaDeschisa();
    const QString baza = dm.Db.DatabaseName();
    if (EsteNumeServer(baza))
        throw EEroare(QStringLiteral("Registrul se afla pe un server Firebird: restaurarea lui o face "
                                     "administratorul serverului, din copia de siguranta, cu gbak."));
    const QString fisier =
        TMesaje::CereFisierDeCitit(m_fereastra, QStringLiteral("Restaurare din copie"), DosarCopii(baza),
                                   QStringLiteral("Copii de siguranta (*.zip *.fbk)"));
    if (fisier.isEmpty())
        return;
    const std::unique_ptr<TCopieCitita> copie = CitesteCopie(fisier, QFileInfo(baza).absolutePath());
    const TVerificareCopie v = PregatesteRestaurarea(
        dm, copie->Fbk,
        [this](const auto& restaurare) {
            RuleazaCuProgres(m_fereastra, QStringLiteral("Restaurare din copie"), restaurare);
        },
        fisier);
    const bool da = TMesaje::Intreaba(
        m_fereastra, QStringLiteral("Copia %1 contine %2 elevi; registrul curent contine %3 elevi.\n\nInlocuiti "
                                    "registrul curent cu cel din copie? Registrul curent se pastreaza alaturi, "
                                    "intr-un fisier separat.")
                         .arg(Afisat(fisier))
                         .arg(v.EleviInCopie)
                         .arg(v.EleviCurenti));
    if (!da) {
        AbandoneazaRestaurata(v);
        return;
    }
    const QString pastrata = InlocuiesteCuRestaurata(dm, v, QDateTime::currentDateTime());
    // The restored register may be of an older version: the start-up steps bring it up to date. They find
    // the database in the "DB" folder of the folder given, so they are given the one holding this database.
    QDir dosarProgram = QFileInfo(baza).absoluteDir();
    dosarProgram.cdUp();
    PornesteModululDeDate(dm, dosarProgram.path(), DosarSablon());
    ArataBazaDeDate();
    if (DupaRestaurare)
        DupaRestaurare();
    QString setari;
    if (copie->AreSetari() &&
        TMesaje::Intreaba(m_fereastra, QStringLiteral("Copia contine si setarile biroului pe care a fost facuta: "
                                                      "marginile si calibrarea imprimantei, formatul notelor si "
                                                      "corecturile campurilor.\n\nLe puneti in locul setarilor "
                                                      "de pe acest calculator? Setarile de acum se pastreaza "
                                                      "alaturi, in fisiere separate."))) {
        // The corrections in memory are written and dropped first, so that the next use reads the file put back.
        ReseteazaParticularizari();
        const QStringList pastrate = PuneLaLocSetarile(*copie, FisierRegistruUtilizator(), FisierParticularizari(),
                                                       QDateTime::currentDateTime());
        setari = QStringLiteral("\nSetarile si corecturile au fost puse la loc din copie.");
        if (!pastrate.isEmpty())
            setari += QStringLiteral(" Cele inlocuite se pastreaza in: %1.")
                          .arg(QDir::toNativeSeparators(pastrate.join(QStringLiteral(", "))));
    }
    TMesaje::Informeaza(m_fereastra, QStringLiteral("Registrul a fost restaurat din copia %1.\nRegistrul inlocuit "
                                                    "se pastreaza in fisierul %2.%3")
                                         .arg(Afisat(fisier), Afisat(pastrata), setari));
}

void TMeniuRegistru::RefaLegatura()
{
    TDM& dm = ModululDeDate();
    if (dm.Db.Connected()) {
        dm.Reconecteaza();
    } else if (!NumeBazaServer().isEmpty()) {
        // The server did not answer when the program started: the start-up it missed runs now.
        PornesteModululDeDate(dm, DosarProgram(), DosarSablon());
        if (DupaRestaurare)
            DupaRestaurare();
    } else {
        throw EEroare(
            QStringLiteral("Baza de date nu este deschisa, asa ca nu s-a facut nimic. Alegeti \"Registru\" > "
                           "\"Reconecteaza\" (sau \"Baza de date...\" pentru alt registru) si incercati din nou."));
    }
    ArataBazaDeDate();
    TMesaje::Informeaza(m_fereastra, QStringLiteral("Legatura cu baza de date a fost refacuta."));
}

void TMeniuRegistru::ArataBazaDeDate()
{
    const QString baza = AreModulDeDate() ? ModululDeDate().Db.DatabaseName() : QString();
    m_baza->setText(baza.isEmpty() ? QString() : QStringLiteral("Baza de date: ") + Afisat(baza));
}

void TMeniuRegistru::SchimbaBazaDeDate()
{
    TDialogBazaDeDate dialog(m_fereastra);
    dialog.exec();
}

bool TMeniuRegistru::CopieZilnicaInCurs() const
{
    return m_zilnica && !m_zilnica->isFinished();
}

void TMeniuRegistru::PornesteCopiaZilnica()
{
    if (!AreModulDeDate() || !ModululDeDate().Db.Connected() || m_zilnica)
        return;
    TDM& dm = ModululDeDate();
    const QString baza = dm.Db.DatabaseName();
    if (EsteNumeServer(baza) || dm.CopiataDinSablon || ExistaCopieDin(baza, QDate::currentDate()))
        return;
    QStatusBar* stare = m_fereastra->statusBar();
    stare->showMessage(QStringLiteral("Copie de siguranta automata..."));
    auto eroare = std::make_shared<QString>();
    auto fisier = std::make_shared<QString>();
    auto deteriorat = std::make_shared<QString>();
    const QStringList parametri = dm.Db.Params();
    // The worker posts to this object, which outlives it: its destructor waits for the thread.
    m_zilnica = new TFir([this, baza, parametri, eroare, fisier, deteriorat] {
        // Once a day the whole file is read, whatever the record of the last check says; a damaged file is not
        // backed up over a good copy.
        try {
            VerificaCitireaSeparat(baza, parametri);
        } catch (const EEroareBD& e) {
            if (e.Categorie() == EEroareBD::FisierDeteriorat) {
                *deteriorat = e.Mesaj();
                return;
            }
            // Any other failure here is the backup's to report, which meets it too.
        } catch (const std::exception&) {
        }
        try {
            *fisier = FaCopieAutomata(baza, QDateTime::currentDateTime(), {}, [this](const QString& linie) {
                QMetaObject::invokeMethod(
                    this,
                    [this, linie] {
                        m_fereastra->statusBar()->showMessage(QStringLiteral("Copie de siguranta automata: ") + linie);
                    },
                    Qt::QueuedConnection);
            });
        } catch (const std::exception& e) {
            *eroare = TextEroare(e);
        }
    });
    connect(m_zilnica, &QThread::finished, this, [this, baza, eroare, fisier, deteriorat] {
        if (!deteriorat->isEmpty()) {
            // As at start-up: the connection closes, so that nothing more is written to the file, and the one
            // message says what to do.
            m_fereastra->statusBar()->clearMessage();
            if (AreModulDeDate() && ModululDeDate().Db.DatabaseName() == baza) {
                TDM& dm = ModululDeDate();
                dm.CitireVerificata = false;
                try {
                    dm.Tr.Rollback();
                    dm.Db.Close();
                } catch (const std::exception&) {
                    // A damaged file may fail these too; the message below says all the user needs.
                }
            }
            UitaVerificarea(baza);
            AfiseazaEroareaCurenta(m_fereastra, EEroareBD(*deteriorat, EEroareBD::FisierDeteriorat));
            return;
        }
        if (eroare->isEmpty()) {
            m_fereastra->statusBar()->showMessage(
                QStringLiteral("Copia de siguranta automata a fost facuta: %1").arg(Afisat(*fisier)), 10000);
        } else {
            m_fereastra->statusBar()->clearMessage();
            TMesaje::Avertizeaza(m_fereastra, QStringLiteral("Copia de siguranta automata de azi nu a putut fi "
                                                             "facuta.\n\n%1")
                                                  .arg(*eroare));
        }
    });
    m_zilnica->start();
}

bool OferaReconectarea(QWidget* parinte, const std::exception& e)
{
    const auto* eroare = dynamic_cast<const EEroareBD*>(&e);
    // Only a connection that was open and broke: one that never opened is the start-up's message.
    if (!eroare || eroare->Categorie() != EEroareBD::Conexiune || !AreModulDeDate() || !ModululDeDate().Db.Connected())
        return false;
    QString text = eroare->Mesaj();
    while (TMesaje::IntreabaReconectarea(parinte, text)) {
        try {
            ModululDeDate().Reconecteaza();
            TMesaje::Informeaza(parinte, QStringLiteral("Legatura cu baza de date a fost refacuta. Ce ati scris a "
                                                        "ramas in fereastra: salvati din nou."));
            return true;
        } catch (const std::exception& alta) {
            text = QStringLiteral("Nu m-am putut reconecta la baza de date.\n\n") + TextEroare(alta);
        }
    }
    return true;
}
