#include "app/TTessalunaMain.h"

#include "app/TMeniuRegistru.h"
#include "entry/UListaElevi.h"
#include "excel/UImportExcelExpert.h"
#include "entry/UListaGenerica.h"
#include "platform/UActiune.h"
#include "platform/UForme.h"
#include "print/UCalibrareForm.h"
#include "print/ULoturiFormulare.h"
#include "print/UPrintWiz.h"
#include "profile/UConfigurareDiploma.h"
#include "settings/UEditorConfigGlobal.h"
#include "store/UDataModule.h"

#include <QEvent>
#include <QLabel>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>
#include <QWindowStateChangeEvent>

TPlasareFereastra PlaseazaFereastraPrincipala(const QRect& ecran, const QRect& zonaLucru, const QSize& proiectata)
{
    if (ecran.height() < 1200)
        return {zonaLucru.adjusted(15, 15, -15, -15), true};
    return {QRect(QPoint(0, 0), proiectata), false};
}

TTessalunaMain::TTessalunaMain(std::optional<TListaLiniiElevi> liniiCitite, QWidget* parinte) : QMainWindow(parinte)
{
    setObjectName(QStringLiteral("TessalunaMain"));
    setWindowTitle(QStringLiteral("Tessaluna"));
    CreeazaMeniul();

    resize(LatimeProiectata, InaltimeProiectata);
    const TPlasareFereastra plasare = PlaseazaFereastraPrincipala(EcranSubCursor(), ZonaLucruSubCursor(),
                                                                  QSize(LatimeProiectata, InaltimeProiectata));
    if (plasare.Maximizata) {
        setGeometry(plasare.Geometrie);
        setWindowState(windowState() | Qt::WindowMaximized);
        // The 15 pixels are kept around the whole window, title bar included: its frame is known only once it
        // is shown, so the restored window is placed when it is first restored.
        m_cadruLaRestaurare = plasare.Geometrie;
    }
    CentreazaForma(this);

    ListaElevi = new TListaElevi(this);
    setCentralWidget(ListaElevi);
    auto* numarElevi = new QLabel(this);
    numarElevi->setObjectName(QStringLiteral("NumarElevi"));
    statusBar()->addPermanentWidget(numarElevi);
    connect(ListaElevi, &TListaElevi::NumarSchimbat, numarElevi, &QLabel::setText);
    if (liniiCitite)
        ListaElevi->SeteazaLiniiSortate(std::move(*liniiCitite));
    else
        RuleazaActiune(this, [this] { ListaElevi->Reincarca(); });
    Registru->DupaRestaurare = [this] { ListaElevi->Reincarca(); };
}

void TTessalunaMain::changeEvent(QEvent* e)
{
    QMainWindow::changeEvent(e);
    if (e->type() != QEvent::WindowStateChange || !m_cadruLaRestaurare.isValid())
        return;
    const auto* schimbare = static_cast<QWindowStateChangeEvent*>(e);
    if (!(schimbare->oldState() & Qt::WindowMaximized) || (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)))
        return;
    const QRect cadru = m_cadruLaRestaurare;
    m_cadruLaRestaurare = QRect();
    // After the window manager's own restore.
    QTimer::singleShot(0, this, [this, cadru] {
        const QMargins margini = windowHandle() ? windowHandle()->frameMargins() : QMargins();
        setGeometry(cadru.marginsRemoved(margini));
    });
}

void TTessalunaMain::CreeazaMeniul()
{
    // Alt+C and Alt+R open the menus, F10 the first one, as desktops do.
    QMenu* configurare = menuBar()->addMenu(QStringLiteral("&Configurare"));
    configurare->setObjectName(QStringLiteral("MeniuConfigurare"));
    auto actiune = [&](const QString& text, const QString& nume) {
        QAction* a = configurare->addAction(text);
        a->setObjectName(nume);
        return a;
    };
    ConfigurareImprimanta = actiune(QStringLiteral("Configurare imprimanta"), QStringLiteral("ConfigurareImprimanta"));
    CalibrareImprimanta = actiune(QStringLiteral("Calibrare imprimanta"), QStringLiteral("CalibrareImprimanta"));
    FormatNote = actiune(QStringLiteral("Format note"), QStringLiteral("FormatNote"));
    configurare->addSeparator();
    ConfigurareSablonDiploma =
        actiune(QStringLiteral("Configurare sablon diploma"), QStringLiteral("ConfigurareSablonDiploma"));
    ConfigurareScoala = actiune(QStringLiteral("Configurare scoala"), QStringLiteral("ConfigurareScoala"));
    configurare->addSeparator();
    ImportDinExcel = actiune(QStringLiteral("Import din Excel"), QStringLiteral("ImportDinExcel"));
    QMenu* formulare = menuBar()->addMenu(QStringLiteral("&Formulare"));
    formulare->setObjectName(QStringLiteral("MeniuFormulare"));
    LoturiFormulare = formulare->addAction(QStringLiteral("Loturi de formulare"));
    LoturiFormulare->setObjectName(QStringLiteral("LoturiFormulare"));
    Registru = new TMeniuRegistru(this, menuBar());
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(f10, &QShortcut::activated, this, [this, configurare] { menuBar()->setActiveAction(configurare->menuAction()); });

    connect(ConfigurareImprimanta, &QAction::triggered, this, [this] {
        RuleazaActiune(this, [this] {
            TPrintWiz wizard(this);
            wizard.Arata();
        });
    });
    connect(CalibrareImprimanta, &QAction::triggered, this, [this] {
        RuleazaActiune(this, [this] {
            TCalibrareForm calibrare(this);
            calibrare.exec();
        });
    });
    connect(FormatNote, &QAction::triggered, this, [this] {
        RuleazaActiune(this, [this] {
            TEditorConfigGlobal editor(this);
            editor.exec();
        });
    });
    connect(ConfigurareSablonDiploma, &QAction::triggered, this, [this] {
        RuleazaActiune(this, [this] {
            TConfigurareDiploma configurare(this);
            configurare.exec();
        });
    });
    connect(ConfigurareScoala, &QAction::triggered, this, [this] {
        RuleazaActiune(this, [this] {
            TListaGenerica lista(this);
            lista.setWindowTitle(QStringLiteral("Configurare scoala"));
            lista.Tabel = QStringLiteral("SCOALA");
            lista.Incarca();
            lista.exec();
        });
    });
    connect(LoturiFormulare, &QAction::triggered, this, [this] {
        RuleazaActiune(this, [this] {
            TLoturiFormulareForm loturi(this);
            loturi.exec();
        });
    });
    connect(ImportDinExcel, &QAction::triggered, this, [this] {
        RuleazaActiune(this, [this] {
            TImportExcelExpert expert(this);
            expert.exec();
        });
        // Whatever the outcome, the rows committed so far show in the list.
        RuleazaActiune(this, [this] {
            ListaElevi->Reincarca();
            ListaElevi->Filtreaza();
        });
    });
}

void TTessalunaMain::CreeazaFerestreAscunse()
{
    // Creating the settings editor once writes the default grade formats on a first start.
    RuleazaActiune(this, [this] { new TEditorConfigGlobal(this); });
}
