#include "entry/UListaElevi.h"

#include "entry/UEditorGenericComplex.h"
#include "entry/UTiparireClasaForm.h"
#include "entry/UButonFormular.h"
#include "print/UHandlere.h"
#include "platform/UActiune.h"
#include "platform/UForme.h"
#include "platform/UMesaje.h"
#include "profile/UProfil.h"
#include "store/UDataModule.h"
#include "store/UEvaluatorExpresie.h"
#include "store/UInregistrari.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
class TNodElev : public QTreeWidgetItem
{
public:
    explicit TNodElev(const TLinieElev* linie) : QTreeWidgetItem(QStringList{linie->Denumire}), Linie(linie) {}
    const TLinieElev* Linie;
};

QPushButton* Buton(const QString& text, QWidget* parinte)
{
    auto* b = new QPushButton(text, parinte);
    b->setObjectName(text);
    return b;
}
} // namespace

const TLinieElev* LinieSelectata(const QTreeWidget* arbore)
{
    for (int i = 0; i < arbore->topLevelItemCount(); ++i) {
        QTreeWidgetItem* nod = arbore->topLevelItem(i);
        if (nod->isSelected())
            return static_cast<TNodElev*>(nod)->Linie;
    }
    return nullptr;
}

TListaElevi::TListaElevi(QWidget* parinte) : QWidget(parinte)
{
    setObjectName(QStringLiteral("ListaElevi"));
    auto* l = new QVBoxLayout(this);

    auto* sus = new QHBoxLayout;
    PanouButoane = new QWidget(this);
    PanouButoane->setObjectName(QStringLiteral("PanouButoane"));
    PanouButoane->setFixedHeight(48);
    sus->addWidget(PanouButoane);
    sus->addStretch();
    auto* cautare = new QVBoxLayout;
    cautare->addWidget(new QLabel(QStringLiteral("Cauta:"), this));
    Cauta = new QLineEdit(this);
    Cauta->setObjectName(QStringLiteral("Cauta"));
    Cauta->setFixedWidth(300);
    cautare->addWidget(Cauta);
    sus->addLayout(cautare);
    l->addLayout(sus);

    Arbore = new QTreeWidget(this);
    Arbore->setObjectName(QStringLiteral("Arbore"));
    Arbore->setColumnCount(1);
    Arbore->setHeaderLabels({QStringLiteral("Nume si prenume")});
    Arbore->header()->setSectionsMovable(true);
    Arbore->setRootIsDecorated(false);
    Arbore->setUniformRowHeights(true);
    Arbore->setSelectionMode(QAbstractItemView::SingleSelection);
    Arbore->setSelectionBehavior(QAbstractItemView::SelectRows);
    l->addWidget(Arbore, 1);

    auto* jos = new QHBoxLayout;
    QPushButton* adauga = Buton(QStringLiteral("Adauga"), this);
    QPushButton* modifica = Buton(QStringLiteral("Modifica"), this);
    QPushButton* sterge = Buton(QStringLiteral("Sterge"), this);
    jos->addWidget(adauga);
    jos->addWidget(modifica);
    jos->addWidget(sterge);
    jos->addStretch();
    QPushButton* clasa = Buton(QStringLiteral("Tipareste clasa"), this);
    clasa->setObjectName(QStringLiteral("TiparesteClasa"));
    jos->addWidget(clasa);
    l->addLayout(jos);

    int stanga = 4;
    for (int i = 0; i < ListaHandlere().Count(); ++i) {
        auto* b = new TButonFormular(ListaHandlere().HandlerLa(i), Arbore, PanouButoane);
        b->setGeometry(stanga, 4, 128, 40);
        stanga += b->width() + 4;
    }
    PanouButoane->setFixedWidth(stanga + 4);

    connect(Cauta, &QLineEdit::textChanged, this, [this] { Filtreaza(); });
    connect(adauga, &QPushButton::clicked, this, [this] { RuleazaActiune(this, [this] { Adauga(); }); });
    connect(modifica, &QPushButton::clicked, this, [this] { RuleazaActiune(this, [this] { Modifica(); }); });
    connect(clasa, &QPushButton::clicked, this, [this] { RuleazaActiune(this, [this] { TiparesteClasa(); }); });
    connect(sterge, &QPushButton::clicked, this, [this] { RuleazaActiune(this, [this] { Sterge(); }); });
}

void TListaElevi::Reincarca()
{
    m_linii.clear();
    Arbore->clear();
    TDM& dm = ModululDeDate();
    {
        TGardaTranzactie garda(dm.Tr);
        // The names are expanded in memory from values read in a few queries, by the rules of ParseExp.
        TEvaluatorExpresie denumire(dm, ProfilInregistrat()->ListaCampuriElev());
        denumire.Pregateste();
        TQuery& q = dm.Q5;
        q.SetSQL(QStringLiteral("select    ID_ELEVI  from    ELEVI"));
        q.Open();
        while (!q.Eof()) {
            auto linie = std::make_unique<TLinieElev>();
            linie->Id = qint32(q.FieldByName(QStringLiteral("ID_ELEVI")).AsInteger());
            linie->Denumire = denumire.Evalueaza(linie->Id);
            m_linii.push_back(std::move(linie));
            q.Next();
        }
        q.Close();
    }
    Filtreaza();
}

void TListaElevi::Filtreaza()
{
    Arbore->clear();
    const QString text = Cauta->text();
    const bool toate = text.trimmed().isEmpty();
    QList<QTreeWidgetItem*> noduri;
    noduri.reserve(qsizetype(m_linii.size()));
    for (const auto& linie : m_linii) {
        if (toate || linie->Denumire.contains(text, Qt::CaseSensitive))
            noduri << new TNodElev(linie.get());
    }
    Arbore->addTopLevelItems(noduri);
}

QList<const TLinieElev*> TListaElevi::LiniiAfisate() const
{
    QList<const TLinieElev*> linii;
    for (int i = 0; i < Arbore->topLevelItemCount(); ++i)
        linii << static_cast<TNodElev*>(Arbore->topLevelItem(i))->Linie;
    return linii;
}

void TListaElevi::TiparesteClasa()
{
    QList<TElevDeTiparit> elevi;
    for (const TLinieElev* l : LiniiAfisate())
        elevi << TElevDeTiparit{l->Id, l->Denumire};
    if (elevi.isEmpty()) {
        TMesaje::Informeaza(this, QStringLiteral("Va rog selectati un elev!"));
        return;
    }
    TTiparireClasaForm dialog(elevi, this);
    dialog.exec();
}

void TListaElevi::Adauga()
{
    TAdaugaElev dialog(this);
    dialog.ElevNou();
    if (dialog.exec() == QDialog::Accepted)
        Reincarca();
}

void TListaElevi::Modifica()
{
    const TLinieElev* linie = LinieSelectata(Arbore);
    if (!linie) {
        TMesaje::Informeaza(this, QStringLiteral("Va rog selectati un elev!"));
        return;
    }
    TAdaugaElev dialog(this);
    dialog.EditeazaElev(linie->Id);
    if (dialog.exec() == QDialog::Accepted)
        Reincarca();
}

void TListaElevi::Sterge()
{
    const TLinieElev* linie = LinieSelectata(Arbore);
    if (!linie) {
        TMesaje::Informeaza(this, QStringLiteral("Va rog selectati un elev!"));
        return;
    }
    if (!TMesaje::Intreaba(this, QStringLiteral("Doriti sa stergeti elevul: ")))
        return;
    TDM& dm = ModululDeDate();
    {
        TGardaTranzactie garda(dm.Tr);
        StergeInregistrare(dm, QStringLiteral("ELEVI"), linie->Id);
        garda.Commit();
    }
    Reincarca();
}

TAdaugaElev::TAdaugaElev(QWidget* parinte) : TDialogInregistrare(parinte)
{
    setObjectName(QStringLiteral("AdaugaElev"));
    setWindowTitle(QStringLiteral("Adauga elev"));
    resize(620, 600);
    m_bandaLegaturi = new QWidget(this);
    m_bandaLegaturi->setObjectName(QStringLiteral("BandaLegaturi"));
    auto* banda = new QFormLayout(m_bandaLegaturi);
    banda->setContentsMargins(8, 6, 4, 6);
    m_bandaLegaturi->hide();
    Stanga->insertWidget(0, m_bandaLegaturi);
    CentreazaForma(this);
}

void TAdaugaElev::ElevNou()
{
    Editor->Construieste(-1, -1, QStringLiteral("ELEVI"));
    PregatesteLegaturi();
}

void TAdaugaElev::EditeazaElev(qint32 id)
{
    IdElev = id;
    Editor->Construieste(id, -1, QStringLiteral("ELEVI"));
    PregatesteLegaturi();
}

void TAdaugaElev::PregatesteLegaturi()
{
    TDM& dm = ModululDeDate();
    const QString expresie = ProfilInregistrat()->ListaCampuriGeneric();
    auto* banda = static_cast<QFormLayout*>(m_bandaLegaturi->layout());
    QList<QWidget*> alegeri;
    {
        TGardaTranzactie garda(dm.Tr);
        for (const QString& tabel : TabeleLegate(dm)) {
            TLegaturaElev legatura;
            legatura.Tabel = tabel;
            legatura.Legata = IdElev == -1 ? -1 : InregistrareLegata(dm, IdElev, tabel);
            const QList<TInregistrare> inregistrari = Inregistrari(dm, tabel, expresie);
            for (const TInregistrare& i : inregistrari)
                legatura.Inregistrari << i.Id;
            if (inregistrari.size() > 1) {
                legatura.Alegere = new QComboBox(m_bandaLegaturi);
                legatura.Alegere->setObjectName(QStringLiteral("Legatura_") + tabel);
                legatura.Alegere->setPlaceholderText(QStringLiteral("(alegeti)"));
                for (const TInregistrare& i : inregistrari)
                    legatura.Alegere->addItem(i.Denumire, i.Id);
                legatura.Alegere->setCurrentIndex(legatura.Alegere->findData(legatura.Legata));
                banda->addRow(TitluTabel(tabel) + u':', legatura.Alegere);
                alegeri << legatura.Alegere;
                m_bandaLegaturi->show();
            }
            Legaturi << legatura;
        }
    }
    SeteazaOrdineTab(alegeri);
}

void TAdaugaElev::Salveaza()
{
    if (!Editor->PotSalvaToate())
        return;
    for (const TLegaturaElev& l : std::as_const(Legaturi)) {
        if (l.Alegere && l.Alegere->currentIndex() < 0) {
            TMesaje::Avertizeaza(this, QStringLiteral("Va rog alegeti %1 elevului!").arg(l.Tabel.toLower()));
            l.Alegere->setFocus();
            return;
        }
    }
    TDM& dm = ModululDeDate();
    TGardaTranzactie garda(dm.Tr);
    const qint32 id = IdElev == -1 ? CreeazaInregistrare(dm, QStringLiteral("ELEVI")) : IdElev;
    Editor->SalveazaToate(id, -1, QStringLiteral("ELEVI"));
    for (const TLegaturaElev& l : std::as_const(Legaturi)) {
        // One record: every student belongs to it. None yet: the student is tied when the first is saved.
        const qint32 inregistrare = l.Alegere ? qint32(l.Alegere->currentData().toInt())
                                              : (l.Inregistrari.size() == 1 ? l.Inregistrari.first() : -1);
        if (inregistrare >= 0)
            LeagaElev(dm, id, l.Tabel, inregistrare);
    }
    garda.Commit();
    accept();
}
