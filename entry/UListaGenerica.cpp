#include "entry/UListaGenerica.h"

#include "entry/UEditorGenericComplex.h"
#include "platform/UActiune.h"
#include "platform/UForme.h"
#include "platform/UMesaje.h"
#include "profile/UProfil.h"
#include "store/UDataModule.h"
#include "store/UInregistrari.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
QPushButton* Buton(const QString& text, QWidget* parinte)
{
    auto* b = new QPushButton(text, parinte);
    b->setObjectName(text);
    return b;
}

const int RolLinie = Qt::UserRole + 1;
} // namespace

TListaGenerica::TListaGenerica(QWidget* parinte) : QDialog(parinte)
{
    setObjectName(QStringLiteral("ListaGenerica"));
    setWindowTitle(QStringLiteral("Lista generica"));
    resize(520, 400);
    auto* l = new QVBoxLayout(this);
    Lista = new QTreeWidget(this);
    Lista->setObjectName(QStringLiteral("Lista"));
    Lista->setColumnCount(1);
    Lista->setHeaderLabels({QStringLiteral("Denumire")});
    Lista->setRootIsDecorated(false);
    Lista->setSelectionMode(QAbstractItemView::SingleSelection);
    Lista->setSelectionBehavior(QAbstractItemView::SelectRows);
    l->addWidget(Lista, 1);
    auto* jos = new QHBoxLayout;
    QPushButton* adauga = Buton(QStringLiteral("Adauga"), this);
    QPushButton* modifica = Buton(QStringLiteral("Modifica"), this);
    QPushButton* sterge = Buton(QStringLiteral("Sterge"), this);
    modifica->setDefault(true);
    jos->addWidget(adauga);
    jos->addWidget(modifica);
    jos->addWidget(sterge);
    jos->addStretch();
    l->addLayout(jos);
    connect(adauga, &QPushButton::clicked, this, [this] { RuleazaActiune(this, [this] { Adauga(); }); });
    connect(modifica, &QPushButton::clicked, this, [this] { RuleazaActiune(this, [this] { Modifica(); }); });
    connect(sterge, &QPushButton::clicked, this, [this] { RuleazaActiune(this, [this] { Sterge(); }); });
    connect(Lista, &QTreeWidget::itemDoubleClicked, this, [this] { RuleazaActiune(this, [this] { Modifica(); }); });
    ListaCuTastatura(Lista, [this] { RuleazaActiune(this, [this] { Modifica(); }); });
    CentreazaForma(this);
}

void TListaGenerica::Incarca()
{
    Lista->clear();
    m_linii.clear();
    TDM& dm = ModululDeDate();
    const QString expresie = ProfilInregistrat()->ListaCampuriGeneric();
    QList<TInregistrare> inregistrari;
    {
        const TGardaCitire citire(dm.Tr);
        inregistrari = Inregistrari(dm, Tabel, expresie);
    }
    for (const TInregistrare& i : std::as_const(inregistrari)) {
        m_linii.push_back(std::make_unique<TLinieGenerica>(TLinieGenerica{i.Id, i.Denumire}));
        auto* nod = new QTreeWidgetItem(QStringList{i.Denumire});
        nod->setData(0, RolLinie, QVariant::fromValue(quintptr(m_linii.back().get())));
        Lista->addTopLevelItem(nod);
    }
}

const TLinieGenerica* TListaGenerica::Selectata() const
{
    const QList<QTreeWidgetItem*> selectate = Lista->selectedItems();
    if (selectate.isEmpty())
        return nullptr;
    return reinterpret_cast<const TLinieGenerica*>(selectate.first()->data(0, RolLinie).value<quintptr>());
}

void TListaGenerica::Adauga()
{
    TEditeaza editor(Tabel, this);
    editor.PregatesteRandNou();
    if (editor.exec() == QDialog::Accepted)
        Incarca();
}

void TListaGenerica::Modifica()
{
    const TLinieGenerica* linie = Selectata();
    if (!linie) {
        TMesaje::Informeaza(this, QStringLiteral("Va rog selectati o linie!"));
        return;
    }
    TEditeaza editor(Tabel, this);
    editor.IncarcaRand(linie->Id);
    if (editor.exec() == QDialog::Accepted)
        Incarca();
}

void TListaGenerica::Sterge()
{
    const TLinieGenerica* linie = Selectata();
    if (!linie) {
        TMesaje::Informeaza(this, QStringLiteral("Va rog selectati o linie!"));
        return;
    }
    if (!TMesaje::Intreaba(this, QStringLiteral("Doriti sa stergeti linia: ")))
        return;
    TDM& dm = ModululDeDate();
    {
        TGardaTranzactie garda(dm.Tr);
        StergeInregistrare(dm, Tabel, linie->Id);
        garda.Commit();
    }
    Incarca();
}

TEditeaza::TEditeaza(const QString& tabel, QWidget* parinte) : TDialogInregistrare(parinte), Tabel(tabel)
{
    setObjectName(QStringLiteral("Editeaza"));
    setWindowTitle(QStringLiteral("Editeaza"));
    resize(620, 560);
    CentreazaForma(this);
}

void TEditeaza::PregatesteRandNou()
{
    Editor->Construieste(-1, -1, Tabel);
    SeteazaOrdineTab();
}

void TEditeaza::IncarcaRand(qint32 id)
{
    IdInregistrare = id;
    Editor->Construieste(-1, id, Tabel);
    SeteazaOrdineTab();
}

void TEditeaza::Salveaza()
{
    if (!Editor->PotSalvaToate())
        return;
    TDM& dm = ModululDeDate();
    TGardaTranzactie garda(dm.Tr);
    const qint32 id = IdInregistrare == -1 ? CreeazaInregistrare(dm, Tabel) : IdInregistrare;
    Editor->SalveazaToate(-1, id, Tabel);
    if (Tabel != u"ELEVI" && NumarInregistrari(dm, Tabel) == 1)
        LeagaEleviNelegati(dm, Tabel, id);
    garda.Commit();
    IdInregistrare = id;
    accept();
}
