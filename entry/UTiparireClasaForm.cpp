#include "entry/UTiparireClasaForm.h"

#include "entry/UListaElevi.h"
#include "entry/UValidare.h"
#include "platform/UActiune.h"
#include "platform/UForme.h"
#include "platform/UMesaje.h"
#include "print/UCompletare.h"
#include "print/UMachetaFormular.h"
#include "print/UMachetaNefolosibila.h"
#include "print/UPaginaRandata.h"
#include "settings/UInfoGlobal2005.h"
#include "settings/UTextRomanesc.h"
#include "store/UDataModule.h"
#include "store/UInregistrari.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {
bool LegatDeScoala(TDM& dm, qint64 id)
{
    return ElevLegatDe(dm, id, QStringLiteral("SCOALA"));
}

QPushButton* Buton(const QString& text, const QString& nume, QWidget* parinte)
{
    auto* b = new QPushButton(text, parinte);
    b->setObjectName(nume);
    return b;
}
} // namespace

QList<TProblemaElev> VerificaElevi(const QList<TElevDeTiparit>& elevi, TPaginiCompletate* pagini)
{
    QList<TProblemaElev> probleme;
    TDM& dm = ModululDeDate();
    TFormularRandat formular(MachetaCertificat());
    const TInfoGlobal2005 setari;
    // One reading transaction for the whole check, as for the print job: the profile and the school are read
    // once, each student's values in one query.
    const TGardaCitire citire(dm.Tr);
    TCompletareFormular completare(dm, 0);
    for (const TElevDeTiparit& elev : elevi) {
        completare.SchimbaElev(elev.Id);
        QStringList ani;
        for (TPaginaRandata& pagina : formular.Pagini) {
            CompleteazaPaginaRandata(completare, setari, pagina);
            for (const TProblemaZona& p : VerificaPagina(pagina))
                probleme << TProblemaElev{elev, DescriereProblema(p)};
            for (const TZonaRandata& z : std::as_const(pagina.Zone)) {
                if (!ZonaAnDupa200(z.Denumire1, z.Denumire2))
                    continue;
                const QString an = ProblemaAnPeFormular(completare.ValoareCamp(z.Denumire1));
                if (!an.isEmpty() && !ani.contains(an))
                    ani << an;
            }
        }
        if (pagini)
            pagini->Pastreaza(elev.Id, formular);
        for (const QString& an : std::as_const(ani))
            probleme << TProblemaElev{elev, an};
        QStringList sedile;
        for (const TPaginaRandata& pagina : std::as_const(formular.Pagini))
            for (const TZonaRandata& z : pagina.Zone)
                if (z.Denumire2.trimmed().isEmpty() && AreSedile(z.Text) && !sedile.contains(z.Text))
                    sedile << z.Text;
        for (const QString& text : std::as_const(sedile))
            probleme << TProblemaElev{elev, QStringLiteral("\"%1\" are s sau t cu sedila in loc de virgula").arg(text),
                                      true};
        const QString cnp = completare.ValoareCamp(QStringLiteral("Tessaluna.FATA.C_CNP"));
        if (!cnp.isEmpty() && !CnpValid(cnp))
            probleme << TProblemaElev{elev, QStringLiteral("%1: codul numeric personal %2 este eronat")
                                                .arg(DenumireCamp(QStringLiteral("Tessaluna.FATA.C_CNP")), cnp)};
        const std::optional<bool> legat = completare.LegatDe(QStringLiteral("SCOALA"));
        if (!(legat ? *legat : LegatDeScoala(dm, elev.Id)))
            probleme << TProblemaElev{elev, QStringLiteral("elevul nu este legat de o scoala")};
    }
    return probleme;
}

TVerificareForm::TVerificareForm(const QList<TProblemaElev>& probleme, QWidget* parinte)
    : QDialog(parinte), m_probleme(probleme)
{
    setObjectName(QStringLiteral("Verificare"));
    setWindowTitle(QStringLiteral("Verificare inaintea tiparirii"));
    auto* l = new QVBoxLayout(this);
    l->addWidget(new QLabel(QStringLiteral("Urmatoarele diplome s-ar tipari gresit. Dublu clic pe un rand deschide "
                                           "datele elevului."),
                            this));
    Lista = new QTreeWidget(this);
    Lista->setObjectName(QStringLiteral("Lista"));
    Lista->setRootIsDecorated(false);
    Lista->setHeaderLabels({QStringLiteral("Elev"), QStringLiteral("Problema")});
    // The problem is what the list is for: a long name is cut (whole in its tip), the problem wraps.
    Lista->setWordWrap(true);
    Lista->setTextElideMode(Qt::ElideRight);
    int latimeNume = 0;
    for (const TProblemaElev& p : probleme) {
        auto* nod = new QTreeWidgetItem(Lista, {p.Elev.Denumire, p.Descriere});
        nod->setToolTip(0, p.Elev.Denumire);
        nod->setToolTip(1, p.Descriere);
        latimeNume = std::max(latimeNume, Lista->fontMetrics().horizontalAdvance(p.Elev.Denumire));
    }
    Lista->header()->setStretchLastSection(true);
    Lista->setColumnWidth(0, std::min(latimeNume + 16, 300));
    l->addWidget(Lista, 1);
    auto* butoane = new QHBoxLayout;
    TiparesteOricum = Buton(QStringLiteral("Tipareste oricum"), QStringLiteral("TiparesteOricum"), this);
    CorecteazaDiacritice =
        Buton(QStringLiteral("Corecteaza diacriticele"), QStringLiteral("CorecteazaDiacriticele"), this);
    CorecteazaDiacritice->setVisible(
        std::any_of(probleme.begin(), probleme.end(), [](const auto& p) { return p.Sedile; }));
    Renunt = Buton(QStringLiteral("Renunt"), QStringLiteral("Renunt"), this);
    TiparesteOricum->setDefault(true);
    butoane->addWidget(CorecteazaDiacritice);
    butoane->addStretch();
    butoane->addWidget(TiparesteOricum);
    butoane->addWidget(Renunt);
    l->addLayout(butoane);
    resize(720, 400);
    CentreazaForma(this);
    connect(TiparesteOricum, &QPushButton::clicked, this, &QDialog::accept);
    connect(CorecteazaDiacritice, &QPushButton::clicked, this,
            [this] { RuleazaActiune(this, [this] { CorecteazaDiacriticele(); }); });
    connect(Renunt, &QPushButton::clicked, this, &QDialog::reject);
    connect(Lista, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* nod) { DeschideElevul(Lista->indexOfTopLevelItem(nod)); });
    ListaCuTastatura(Lista, [this] { DeschideElevul(Lista->indexOfTopLevelItem(Lista->currentItem())); });
}

void TVerificareForm::DeschideElevul(int rand)
{
    if (rand < 0 || rand >= m_probleme.size())
        return;
    const qint64 id = m_probleme[rand].Elev.Id;
    RuleazaActiune(this, [this, id] {
        TAdaugaElev dialog(this);
        dialog.EditeazaElev(qint32(id));
        if (dialog.exec() == QDialog::Accepted)
            m_modificati.insert(id);
    });
}

void TVerificareForm::CorecteazaDiacriticele()
{
    QList<qint64> elevi;
    for (const TProblemaElev& p : std::as_const(m_probleme))
        if (p.Sedile && !elevi.contains(p.Elev.Id))
            elevi << p.Elev.Id;
    TDM& dm = ModululDeDate();
    int schimbate = 0;
    {
        TGardaTranzactie garda(dm.Tr);
        for (const qint64 id : std::as_const(elevi))
            schimbate += RescrieValoriElev(dm, qint32(id), CuVirgulaDedesubt);
        garda.Commit();
    }
    // The school's values are rewritten too, and they print on every student's page.
    m_toti = m_toti || schimbate > 0;
    for (qsizetype i = m_probleme.size() - 1; i >= 0; --i) {
        if (m_probleme[i].Sedile) {
            m_probleme.removeAt(i);
            delete Lista->takeTopLevelItem(int(i));
        }
    }
    CorecteazaDiacritice->hide();
    TMesaje::Informeaza(this, QStringLiteral("Am corectat %1 valori: s si t se scriu acum cu virgula.").arg(schimbate));
}

TTiparireClasaForm::TTiparireClasaForm(const QList<TElevDeTiparit>& elevi, QWidget* parinte)
    : QDialog(parinte), m_elevi(elevi)
{
    setObjectName(QStringLiteral("TiparireClasa"));
    setWindowTitle(QStringLiteral("Tiparirea clasei"));
    auto* l = new QVBoxLayout(this);
    l->addWidget(new QLabel(QStringLiteral("Se tiparesc, intr-o singura lucrare, diplomele elevilor bifati:"), this));
    Lista = new QTreeWidget(this);
    Lista->setObjectName(QStringLiteral("Lista"));
    Lista->setRootIsDecorated(false);
    Lista->setHeaderLabels({QStringLiteral("Nume si prenume")});
    for (const TElevDeTiparit& e : elevi) {
        auto* nod = new QTreeWidgetItem(Lista, {e.Denumire});
        nod->setCheckState(0, Qt::Checked);
    }
    // Tab leaves the list; Space ticks a row.
    Lista->setTabKeyNavigation(false);
    l->addWidget(Lista, 1);
    auto* butoane = new QHBoxLayout;
    ButonTipareste = Buton(QStringLiteral("Tipareste"), QStringLiteral("Tipareste"), this);
    ButonPdf = Buton(QStringLiteral("Salveaza PDF"), QStringLiteral("SalveazaPdf"), this);
    Renunt = Buton(QStringLiteral("Renunt"), QStringLiteral("Renunt"), this);
    ButonTipareste->setDefault(true);
    butoane->addStretch();
    butoane->addWidget(ButonTipareste);
    butoane->addWidget(ButonPdf);
    butoane->addWidget(Renunt);
    l->addLayout(butoane);
    resize(560, 520);
    CentreazaForma(this);
    connect(ButonTipareste, &QPushButton::clicked, this, [this] { RuleazaActiune(this, [this] { Tipareste(); }); });
    connect(ButonPdf, &QPushButton::clicked, this, [this] { RuleazaActiune(this, [this] { Salveaza(); }); });
    connect(Renunt, &QPushButton::clicked, this, &QDialog::reject);
}

QList<TElevDeTiparit> TTiparireClasaForm::Bifati() const
{
    QList<TElevDeTiparit> bifati;
    for (int i = 0; i < Lista->topLevelItemCount(); ++i) {
        if (Lista->topLevelItem(i)->checkState(0) == Qt::Checked)
            bifati << m_elevi[i];
    }
    return bifati;
}

void TTiparireClasaForm::Tipareste()
{
    if (!AsiguraMacheta(this))
        return;
    const QList<TElevDeTiparit> elevi = Bifati();
    if (elevi.isEmpty()) {
        TMesaje::Informeaza(this, QStringLiteral("Va rog selectati un elev!"));
        return;
    }
    TPaginiCompletate pagini;
    const QList<TProblemaElev> probleme = VerificaElevi(elevi, &pagini);
    if (!probleme.isEmpty()) {
        TVerificareForm verificare(probleme, this);
        if (verificare.exec() != QDialog::Accepted)
            return;
        // A student changed from the list is read again.
        for (const qint64 id : verificare.Modificati())
            pagini.Uita(id);
        if (verificare.TotiModificati())
            pagini = TPaginiCompletate();
    }
    UltimulRezultat = TiparesteClasa(this, elevi, {}, &pagini);
    if (UltimulRezultat.Tiparite == elevi.size())
        accept();
}

void TTiparireClasaForm::Salveaza()
{
    if (!AsiguraMacheta(this))
        return;
    const bool cuFundal =
        TMesaje::Intreaba(this, QStringLiteral("Includeti in PDF si desenul formularului (o copie de arhiva)?\n"
                                               "Fara desen, PDF-ul se poate tipari pe un formular necompletat."));
    SalveazaPdf(this, Bifati(), cuFundal);
}
