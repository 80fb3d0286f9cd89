#include "excel/UImportExcelExpert.h"

#include "excel/UCititorFoi.h"
#include "excel/UExcelSelectieColoana.h"
#include "excel/UKivExcelImportFrame.h"
#include "platform/UActiune.h"
#include "platform/UEroare.h"
#include "platform/UForme.h"
#include "platform/UMesaje.h"
#include "platform/URegistru.h"
#include "profile/UProfil.h"
#include "store/UInregistrari.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QEventLoop>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <thread>

namespace {
const QString TitluExpert = QStringLiteral("Formular pentru preluarea datelor dintr-o foaie de calcul Excel");
const QString FiltruFisiere = QStringLiteral("Foi de calcul (*.xls *.xlsx *.ods *.csv);;Excel 97-2003 (*.xls);;"
                                             "Excel (*.xlsx);;OpenDocument (*.ods);;Text CSV (*.csv)");

QLabel* Text(QWidget* parinte, const QString& text)
{
    auto* l = new QLabel(text, parinte);
    l->setWordWrap(true);
    return l;
}

// Restores the cursor on every way out.
struct TCursorAsteptare
{
    TCursorAsteptare() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TCursorAsteptare() { QApplication::restoreOverrideCursor(); }
};
} // namespace

std::function<std::unique_ptr<TCititorFoi>()>& TImportExcelExpert::FabricaCititor()
{
    static std::function<std::unique_ptr<TCititorFoi>()> fabrica = [] { return CreeazaCititorFoi(); };
    return fabrica;
}

TImportExcelExpert::TImportExcelExpert(QWidget* parinte) : QDialog(parinte)
{
    setObjectName(QStringLiteral("ImportExcelExpert"));
    setWindowTitle(QStringLiteral("Import de date din Excel"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* l = new QVBoxLayout(this);
    l->setSizeConstraint(QLayout::SetFixedSize);
    auto* antet = new QLabel(TitluExpert, this);
    antet->setObjectName(QStringLiteral("Antet"));
    antet->setAutoFillBackground(true);
    antet->setBackgroundRole(QPalette::Base);
    antet->setMargin(10);
    QFont fa = antet->font();
    fa.setBold(true);
    fa.setPointSizeF(fa.pointSizeF() * 1.2);
    antet->setFont(fa);
    l->addWidget(antet);

    Pagini = new QStackedWidget(this);
    Pagini->setObjectName(QStringLiteral("Pagini"));
    Pagini->setMinimumSize(560, 340);
    l->addWidget(Pagini, 1);

    PaginaStart();
    PaginaFisier();
    PaginaColoanaCnp();
    QWidget* banda = PaginaGata();
    PaginaFormulare();

    for (int i = 0; i < Pagini->count(); ++i)
        static_cast<QVBoxLayout*>(Pagini->widget(i)->layout())->addStretch();

    ConstruiestePaginileCampurilor();
    PregatesteLegaturi(banda);

    auto* butoane = new QHBoxLayout;
    butoane->addStretch();
    ButonInapoi = new QPushButton(QStringLiteral("Inapoi"), this);
    ButonInapoi->setObjectName(QStringLiteral("Inapoi"));
    ButonInapoi->setEnabled(false);
    ButonInainte = new QPushButton(QStringLiteral("Inainte"), this);
    ButonInainte->setObjectName(QStringLiteral("Inainte"));
    // Enter anywhere goes on; on a focused button it presses that button.
    ButonInainte->setDefault(true);
    ButonRenunt = new QPushButton(QStringLiteral("Renunt"), this);
    ButonRenunt->setObjectName(QStringLiteral("Renunt"));
    butoane->addWidget(ButonInapoi);
    butoane->addWidget(ButonInainte);
    butoane->addWidget(ButonRenunt);
    l->addLayout(butoane);
    connect(ButonInainte, &QPushButton::clicked, this, [this] { RuleazaActiune(this, [this] { Inainte(); }); });
    connect(ButonInapoi, &QPushButton::clicked, this, [this] { Inapoi(); });
    connect(ButonRenunt, &QPushButton::clicked, this, &TImportExcelExpert::reject);

    AratiPagina(pgStart);
    adjustSize();
    CentreazaForma(this);
}

void TImportExcelExpert::PaginaStart()
{
    QWidget* p0 = PaginaNoua(TitluExpert);
    p0->layout()->addWidget(
        Text(p0, QStringLiteral("Acesta este un formular (sau expert) pentru preluarea datelor dintr-o foaie de calcul "
                                "Excel. Preluarea datelor este un proces care necesita un minim de cunostinte de "
                                "specialitate si se poate face cu inlocuirea datelor existente sau in completare.")));
    p0->layout()->addWidget(Text(
        p0,
        QStringLiteral("Pentru inceput va rugam apasati butonul \"Inainte\" pentru a trece la pagina pentru selectia "
                       "fisierului XLS din care se face importul si pentru selectia foii de calcul din respectivul "
                       "fisier.")));
}

void TImportExcelExpert::PaginaFisier()
{
    QWidget* p1 = PaginaNoua(QStringLiteral("Va rugam specificati numele fisierului din care se va face preluarea:"));
    auto* eticheta = new QLabel(QStringLiteral("Numele fisierului:"), p1);
    p1->layout()->addWidget(eticheta);
    auto* randFisier = new QHBoxLayout;
    NumeFisier = new QLineEdit(p1);
    NumeFisier->setObjectName(QStringLiteral("NumeFisier"));
    NumeFisier->setReadOnly(true);
    eticheta->setBuddy(NumeFisier);
    ButonCauta = new QPushButton(QStringLiteral("Cauta ..."), p1);
    ButonCauta->setObjectName(QStringLiteral("Cauta"));
    randFisier->addWidget(NumeFisier, 1);
    randFisier->addWidget(ButonCauta);
    static_cast<QVBoxLayout*>(p1->layout())->addLayout(randFisier);
    auto* etichetaFoi = new QLabel(QStringLiteral("Numele foii de calcul de pe care se va face preluarea:"), p1);
    p1->layout()->addWidget(etichetaFoi);
    Foi = new QComboBox(p1);
    Foi->setObjectName(QStringLiteral("Foi"));
    Foi->setEnabled(false);
    etichetaFoi->setBuddy(Foi);
    p1->layout()->addWidget(Foi);
    connect(ButonCauta, &QPushButton::clicked, this, [this] { RuleazaActiune(this, [this] { CautaFisier(); }); });
}

void TImportExcelExpert::PaginaColoanaCnp()
{
    QWidget* p2 = PaginaNoua(QStringLiteral("Va rugam specificati coloana de pe care se va prelua CNP-ul"));
    p2->layout()->addWidget(new QLabel(QStringLiteral("Coloana pentru selectia CNP:"), p2));
    ColoanaCnp = new TCasetaColoana(p2, QStringLiteral("ColoanaCnp"));
    ColoanaCnp->AlegeColoana = [this] { return AlegeColoana(); };
    p2->layout()->addWidget(ColoanaCnp);
    new TButonValidare(p2, [this] {
        if (ColoanaCnp->Text().isEmpty())
            throw EEroare(QStringLiteral("Va rugam selectati coloana de pe care se vor prelua date pentru CNP"));
    });
}

QWidget* TImportExcelExpert::PaginaGata()
{
    QWidget* p3 = PaginaNoua(QStringLiteral("Toate datele necesare au fost identificate"));
    p3->layout()->addWidget(
        Text(p3, QStringLiteral("Apasati \"Inainte\" pentru a prelua elevii din foaia de calcul.")));
    auto* banda = new QWidget(p3);
    m_bandaLegaturi = new QFormLayout(banda);
    m_bandaLegaturi->setContentsMargins(0, 0, 0, 0);
    p3->layout()->addWidget(banda);
    Progres = new QProgressBar(p3);
    Progres->setObjectName(QStringLiteral("Progres"));
    Progres->hide();
    p3->layout()->addWidget(Progres);
    StareImport = new QLabel(p3);
    StareImport->setObjectName(QStringLiteral("StareImport"));
    p3->layout()->addWidget(StareImport);
    return banda;
}

void TImportExcelExpert::PaginaFormulare()
{
    QWidget* p4 = PaginaNoua(QStringLiteral("Bifati formularele (diplomele) pentru care preluati date"));
    p4->layout()->addWidget(Text(
        p4, QStringLiteral("Acest program este capabil sa tipareasca mai multe formate de diplome. Va rugam bifati in "
                           "lista de mai jos numai diplomele pentru care doriti sa preluati efectiv date!")));
    ListaFormulare = new QListWidget(p4);
    ListaFormulare->setObjectName(QStringLiteral("ListaFormulare"));
    p4->layout()->addWidget(ListaFormulare);
}

TImportExcelExpert::~TImportExcelExpert() = default;

QWidget* TImportExcelExpert::PaginaNoua(const QString& titlu)
{
    auto* p = new QWidget(Pagini);
    auto* l = new QVBoxLayout(p);
    auto* t = Text(p, titlu);
    QFont f = t->font();
    f.setBold(true);
    t->setFont(f);
    l->addWidget(t);
    l->addSpacing(6);
    Pagini->addWidget(p);
    return p;
}

void TImportExcelExpert::ConstruiestePaginileCampurilor()
{
    const QList<TCampImport> campuri = CampuriDeImport(ModululDeDate());
    for (const TCampImport& c : campuri) {
        auto* pagina = new TKivExcelImportFrame(Pagini);
        pagina->setObjectName(QStringLiteral("Camp_") + c.Cheie.section(u'.', 2));
        pagina->Configureaza(c.Cheie, c.Eticheta, LimitaTipDeDate(c.TipDeDate));
        pagina->Coloana->AlegeColoana = [this] { return AlegeColoana(); };
        Pagini->addWidget(pagina);
        PaginiCampuri << pagina;
    }
    QWidget* raport = PaginaNoua(QStringLiteral("Ce se va prelua din foaia de calcul"));
    raport->layout()->addWidget(
        Text(raport, QStringLiteral("Verificati raportul de mai jos. \"Inapoi\" permite schimbarea alegerilor; "
                                    "\"Inainte\" preia numai randurile valide; randurile sarite nu se preiau.")));
    TextRaportImport = new QPlainTextEdit(raport);
    TextRaportImport->setObjectName(QStringLiteral("Raport"));
    TextRaportImport->setReadOnly(true);
    TextRaportImport->setLineWrapMode(QPlainTextEdit::NoWrap);
    raport->layout()->addWidget(TextRaportImport);
    m_formulareOferite = FormulareOferite(campuri);
    for (const QString& f : std::as_const(m_formulareOferite)) {
        auto* item = new QListWidgetItem(SeparaCuvinte(f), ListaFormulare);
        item->setData(Qt::UserRole, f);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    // Space ticks the form under the caret: one is current from the start.
    ListaFormulare->setCurrentRow(0);
}

void TImportExcelExpert::PregatesteLegaturi(QWidget* pagina)
{
    TDM& dm = ModululDeDate();
    const QString expresie = ProfilInregistrat()->ListaCampuriGeneric();
    const TGardaCitire citire(dm.Tr);
    for (const QString& tabel : TabeleLegate(dm)) {
        TLegatura legatura;
        legatura.Tabel = tabel;
        const QList<TInregistrare> inregistrari = Inregistrari(dm, tabel, expresie);
        for (const TInregistrare& i : inregistrari)
            legatura.Inregistrari << i.Id;
        if (inregistrari.size() > 1) {
            legatura.Alegere = new QComboBox(pagina);
            legatura.Alegere->setObjectName(QStringLiteral("Legatura_") + tabel);
            legatura.Alegere->setPlaceholderText(QStringLiteral("(alegeti)"));
            for (const TInregistrare& i : inregistrari)
                legatura.Alegere->addItem(i.Denumire, i.Id);
            legatura.Alegere->setCurrentIndex(-1);
            m_bandaLegaturi->addRow(TitluTabel(tabel) + QStringLiteral(" elevilor noi:"), legatura.Alegere);
        }
        m_legaturi << legatura;
    }
}

int TImportExcelExpert::PaginaActiva() const
{
    return Pagini->currentIndex();
}

void TImportExcelExpert::AratiPagina(int index)
{
    Pagini->setCurrentIndex(index);
    // The caret goes to the page's first entry; a page with none leaves it on "Inainte".
    if (!FocusPePrimaIntrare(Pagini->currentWidget()))
        ButonInainte->setFocus(Qt::TabFocusReason);
}

void TImportExcelExpert::IntraInPagina(int index)
{
    // The pages of forms that were not chosen are passed at once, marked as not imported.
    while (index >= pgPrimulCamp && index < PaginaRaport()) {
        TKivExcelImportFrame* camp = PaginiCampuri.at(index - pgPrimulCamp);
        if (m_formulareAlese.contains(camp->Formular()))
            break;
        camp->SetNuImport(true);
        ++index;
    }
    if (index == PaginaRaport())
        PregatesteRaportul();
    AratiPagina(index);
}

void TImportExcelExpert::Inainte()
{
    if (m_inLucru)
        return;
    if (TButonValidare* validare = CautaPaginaOk(Pagini->currentWidget()))
        validare->Valideaza();
    const int pagina = PaginaActiva();
    switch (pagina) {
    case pgStart:
        AratiPagina(pgFormulare);
        break;
    case pgFormulare: {
        QStringList alese;
        for (int i = 0; i < ListaFormulare->count(); ++i)
            if (ListaFormulare->item(i)->checkState() == Qt::Checked)
                alese << ListaFormulare->item(i)->data(Qt::UserRole).toString();
        if (alese.isEmpty()) {
            TMesaje::Avertizeaza(this, QStringLiteral("Va rugam bifati cel putin un formular"));
            return;
        }
        alese.sort();
        m_formulareAlese = alese;
        AratiPagina(pgFisier);
        break;
    }
    case pgFisier:
        if (Foi->currentIndex() < 0) {
            TMesaje::Avertizeaza(this, QStringLiteral("Va rugam deschideti un fisier XLS si alegeti foaia de calcul de "
                                                      "pe care se va face importul"));
            return;
        }
        CitesteFoaiaAleasa();
        // A sheet without any student row would leave the user before an empty column picker.
        if (std::none_of(m_coloane.cbegin(), m_coloane.cend(),
                         [](const TColoanaExcel& c) { return !c.Texte.isEmpty(); })) {
            TMesaje::Avertizeaza(this, QStringLiteral("Foaia \"%1\" nu contine niciun rand cu un CNP (13 cifre), asa "
                                                      "ca nu are elevi de preluat. Alegeti foaia cu lista elevilor sau "
                                                      "alt fisier.")
                                           .arg(Foi->currentText()));
            return;
        }
        AratiPagina(pgCnp);
        break;
    case pgCnp:
        IntraInPagina(pgPrimulCamp);
        break;
    case pgFinal:
        Importa();
        break;
    default:
        if (pagina == PaginaRaport())
            AratiPagina(pgFinal);
        else
            IntraInPagina(pagina + 1);
        break;
    }
    ButonInapoi->setEnabled(PaginaActiva() > pgCnp);
}

void TImportExcelExpert::Inapoi()
{
    if (m_inLucru)
        return;
    const int pagina = PaginaActiva();
    switch (pagina) {
    case pgStart:
        return;
    case pgFisier:
        AratiPagina(pgFormulare);
        break;
    case pgCnp:
        AratiPagina(pgFisier);
        break;
    case pgFinal:
        AratiPagina(PaginaRaport());
        break;
    case pgFormulare:
        AratiPagina(pgStart);
        break;
    default:
        AratiPagina(pagina == pgPrimulCamp && PaginiCampuri.isEmpty() ? int(pgCnp) : pagina - 1);
        break;
    }
}

void TImportExcelExpert::CautaFisier()
{
    const QString cale = TMesaje::CereFisierDeCitit(this, QStringLiteral("Alegeti foaia de calcul"),
                                                    QFileInfo(NumeFisier->text()).absolutePath(), FiltruFisiere);
    if (!cale.isEmpty())
        DeschideFisier(cale);
}

void TImportExcelExpert::DeschideFisier(const QString& cale)
{
    std::unique_ptr<TCititorFoi> cititor = FabricaCititor()();
    // The spreadsheet program takes seconds: it reads on a worker thread while a window says so.
    std::exception_ptr eroare;
    QEventLoop asteptare;
    QProgressDialog fereastra(QStringLiteral("Citesc fisierul %1 ...").arg(QFileInfo(cale).fileName()), QString(), 0, 0,
                              this);
    fereastra.setObjectName(QStringLiteral("CitireFisier"));
    fereastra.setWindowTitle(windowTitle());
    fereastra.setWindowModality(Qt::ApplicationModal);
    fereastra.setMinimumDuration(300);
    {
        TCursorAsteptare cursor;
        std::thread fir([&] {
            try {
                cititor->Deschide(cale);
            } catch (...) {
                eroare = std::current_exception();
            }
            // Queued: the loop ends once it runs, even when the reading ended before it started.
            QMetaObject::invokeMethod(&asteptare, &QEventLoop::quit, Qt::QueuedConnection);
        });
        asteptare.exec(QEventLoop::ExcludeUserInputEvents);
        fir.join();
    }
    fereastra.reset();
    if (eroare)
        std::rethrow_exception(eroare);
    m_cititor = std::move(cititor);
    NumeFisier->setText(QDir::toNativeSeparators(cale));
    Foi->clear();
    Foi->addItems(m_cititor->Foi());
    Foi->setCurrentIndex(-1);
    Foi->setEnabled(true);
}

void TImportExcelExpert::CitesteFoaiaAleasa()
{
    TCursorAsteptare cursor;
    const int foaie = Foi->currentIndex();
    m_coloane = CitesteFoaia([&](const QString& adresa) { return m_cititor->Text(foaie, adresa); },
                             m_cititor->Foaie(foaie).UltimulRandCuDate);
    delete m_selectie;
    m_selectie = new TExcelSelectieColoana(this, m_coloane);
    PropuneMaparea();
}

void TImportExcelExpert::PropuneMaparea()
{
    std::optional<TMapareRetinuta> retinuta;
    try {
        retinuta = MapareRetinuta(AnteteFoaie(m_coloane));
    } catch (const EEroare& e) {
        AvertizeazaRegistru(e.Mesaj());
    }
    if (!retinuta)
        return;
    ColoanaCnp->SetText(retinuta->ColoanaCnp);
    for (TKivExcelImportFrame* pagina : std::as_const(PaginiCampuri))
        for (const TMapareCamp& m : std::as_const(retinuta->Mapari))
            if (m.Cheie == pagina->Cheie())
                pagina->SeteazaMapare(m);
}

std::optional<QString> TImportExcelExpert::AlegeColoana()
{
    if (!m_selectie || m_selectie->exec() != QDialog::Accepted)
        return std::nullopt;
    return m_selectie->ColoanaAleasa();
}

QList<QPair<QString, qint32>> TImportExcelExpert::LegaturiAlese() const
{
    QList<QPair<QString, qint32>> legaturi;
    for (const TLegatura& l : std::as_const(m_legaturi)) {
        if (l.Alegere) {
            if (l.Alegere->currentIndex() < 0) {
                l.Alegere->setFocus();
                throw EEroare(QStringLiteral("Va rog alegeti %1 elevilor!").arg(l.Tabel.toLower()));
            }
            legaturi << qMakePair(l.Tabel, qint32(l.Alegere->currentData().toInt()));
        } else if (l.Inregistrari.size() == 1) {
            legaturi << qMakePair(l.Tabel, l.Inregistrari.first());
        }
    }
    return legaturi;
}

QList<TMapareCamp> TImportExcelExpert::Mapari() const
{
    QList<TMapareCamp> mapari;
    for (const TKivExcelImportFrame* p : std::as_const(PaginiCampuri))
        mapari << p->Mapare();
    return mapari;
}

void TImportExcelExpert::PregatesteRaportul()
{
    TCursorAsteptare cursor;
    TImportElevi import(ModululDeDate(), m_coloane, Mapari(), ColoanaCnp->Text());
    import.Pregateste();
    m_raport = import.Raport();
    TextRaportImport->setPlainText(TextRaport(m_raport));
}

void TImportExcelExpert::Importa()
{
    QList<QPair<QString, qint32>> legaturi;
    try {
        legaturi = LegaturiAlese();
    } catch (const EEroare& e) {
        TMesaje::Avertizeaza(this, e.Mesaj());
        return;
    }
    TImportElevi import(ModululDeDate(), m_coloane, Mapari(), ColoanaCnp->Text(), legaturi);
    import.Pregateste();

    // Only the rows the report found valid; the skipped ones were shown there.
    const QList<int> randuri = m_raport.RanduriDeImportat();
    const int n = int(randuri.size());
    m_inLucru = true;
    m_oprire = false;
    ButonInainte->setEnabled(false);
    ButonInapoi->setEnabled(false);
    Progres->setRange(0, std::max(n, 1));
    Progres->setValue(0);
    Progres->show();
    int scrise = 0;
    int noi = 0;
    QString mesajEroare, detaliiEroare;
    for (int i = 0; i < n && !m_oprire; ++i) {
        try {
            bool nou = false;
            import.ImportaRand(randuri.at(i), &nou);
            noi += nou ? 1 : 0;
        } catch (const std::exception& e) {
            mesajEroare = TextEroare(e);
            detaliiEroare = DetaliiEroare(e);
            // The engine's own text goes under "Detalii"; the sentence says what happened to the import.
            if (!dynamic_cast<const EEroare*>(&e) || mesajEroare == detaliiEroare) {
                detaliiEroare = mesajEroare;
                mesajEroare = QStringLiteral("Preluarea s-a oprit la elevul %1 din %2: baza de date nu l-a primit. "
                                             "Elevii de dinainte au fost preluati.")
                                  .arg(i + 1)
                                  .arg(n);
            }
            break;
        }
        scrise = i + 1;
        Progres->setValue(scrise);
        StareImport->setText(QStringLiteral("Am preluat %1 din %2 elevi").arg(scrise).arg(n));
        QCoreApplication::processEvents();
    }
    m_inLucru = false;
    ButonInainte->setEnabled(true);
    ButonInapoi->setEnabled(true);
    if (!mesajEroare.isEmpty()) {
        TMesaje::ArataEroare(this, mesajEroare, detaliiEroare);
        return;
    }
    if (scrise < n) {
        TMesaje::Informeaza(this,
                            QStringLiteral("Preluarea a fost oprita: am preluat %1 din %2 elevi.").arg(scrise).arg(n));
        return;
    }
    try {
        RetineMaparea(AnteteFoaie(m_coloane), TMapareRetinuta{ColoanaCnp->Text(), Mapari()});
    } catch (const EEroare& e) {
        AvertizeazaRegistru(e.Mesaj());
    }
    TMesaje::Informeaza(this, QStringLiteral("Am finalizat preluarea din Excel cu succes.\nElevi noi: %1, elevi "
                                             "actualizati: %2, randuri sarite: %3.")
                                  .arg(noi)
                                  .arg(n - noi)
                                  .arg(m_raport.Sarite.size()));
    accept();
}

void TImportExcelExpert::reject()
{
    // During the run "Renunt" (or Escape) stops after the row being written.
    if (m_inLucru) {
        m_oprire = true;
        return;
    }
    QDialog::reject();
}
