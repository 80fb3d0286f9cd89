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
    dm.Tr.StartTransaction();
    try {
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
        dm.Tr.Rollback();
    } catch (...) {
        dm.Q5.Close();
        dm.Tr.Rollback();
        throw;
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
    dm.Tr.StartTransaction();
    try {
        dm.Q1.SetSQL(QStringLiteral("delete from ELEVI where ID_ELEVI = :ID_ELEVI"));
        dm.Q1.ParamByName(QStringLiteral("ID_ELEVI")).SetAsInteger(linie->Id);
        dm.Q1.ExecSQL();
        dm.Tr.Commit();
    } catch (...) {
        dm.Tr.Rollback();
        throw;
    }
    Reincarca();
}

TAdaugaElev::TAdaugaElev(QWidget* parinte) : QDialog(parinte)
{
    setObjectName(QStringLiteral("AdaugaElev"));
    setWindowTitle(QStringLiteral("Adauga elev"));
    resize(620, 600);
    auto* l = new QHBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    Editor = new TEditorGenericComplex(this);
    l->addWidget(Editor, 1);
    auto* dreapta = new QVBoxLayout;
    dreapta->setContentsMargins(6, 8, 8, 8);
    Ok = Buton(QStringLiteral("Ok"), this);
    Renunt = Buton(QStringLiteral("Renunt"), this);
    dreapta->addWidget(Ok);
    dreapta->addWidget(Renunt);
    dreapta->addStretch();
    l->addLayout(dreapta);
    // Enter in an edit must not confirm the dialog by itself.
    Ok->setAutoDefault(false);
    Renunt->setAutoDefault(false);
    connect(Ok, &QPushButton::clicked, this, [this] { RuleazaActiune(this, [this] { Salveaza(); }); });
    connect(Renunt, &QPushButton::clicked, this, &QDialog::reject);
    CentreazaForma(this);
}

void TAdaugaElev::ElevNou()
{
    Editor->Construieste(-1, -1, QStringLiteral("ELEVI"));
}

void TAdaugaElev::EditeazaElev(qint32 id)
{
    IdElev = id;
    Editor->Construieste(id, -1, QStringLiteral("ELEVI"));
}

void TAdaugaElev::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!m_afisat) {
        m_afisat = true;
        Editor->DupaAfisareToate();
    }
}

void TAdaugaElev::Salveaza()
{
    if (!Editor->PotSalvaToate())
        return;
    TDM& dm = ModululDeDate();
    dm.Tr.StartTransaction();
    try {
        if (IdElev == -1) {
            dm.Q1.SetSQL(QStringLiteral("SELECT GEN_ID(G_ID_ELEVI,1) AS \"ID\" FROM RDB$DATABASE"));
            dm.Q1.Open();
            const auto id = qint32(dm.Q1.FieldByName(QStringLiteral("ID")).AsInteger());
            dm.Q1.Close();
            dm.Q1.SetSQL(QStringLiteral("insert into    ELEVI    (ID_ELEVI) values    (:id)"));
            dm.Q1.ParamByName(QStringLiteral("id")).SetAsInteger(id);
            dm.Q1.ExecSQL();
            Editor->SalveazaToate(id, -1, QStringLiteral("ELEVI"));
        } else {
            Editor->SalveazaToate(IdElev, -1, QStringLiteral("ELEVI"));
        }
        dm.Tr.Commit();
    } catch (...) {
        dm.Tr.Rollback();
        throw;
    }
    accept();
}
