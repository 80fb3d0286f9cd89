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
#include "store/UInregistrari.h"
#include "settings/UTextRomanesc.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>

namespace {

QPushButton* Buton(const QString& text, QWidget* parinte)
{
    auto* b = new QPushButton(text, parinte);
    b->setObjectName(text);
    // Outside a dialog only an auto-default button takes Enter: a focused button is pressed by Enter or Space.
    b->setAutoDefault(true);
    return b;
}
} // namespace

TModelElevi::TModelElevi(QObject* parinte) : QAbstractTableModel(parinte) {}

void TModelElevi::Seteaza(std::vector<const TLinieElev*> linii)
{
    beginResetModel();
    m_linii = std::move(linii);
    endResetModel();
}

int TModelElevi::rowCount(const QModelIndex& parinte) const
{
    return parinte.isValid() ? 0 : int(m_linii.size());
}

int TModelElevi::columnCount(const QModelIndex& parinte) const
{
    return parinte.isValid() ? 0 : 1;
}

QModelIndex TModelElevi::index(int rand, int coloana, const QModelIndex& parinte) const
{
    if (parinte.isValid() || rand < 0 || rand >= int(m_linii.size()) || coloana != 0)
        return {};
    return createIndex(rand, coloana, const_cast<TLinieElev*>(m_linii[size_t(rand)]));
}

QVariant TModelElevi::data(const QModelIndex& index, int rol) const
{
    if (!index.isValid() || (rol != Qt::DisplayRole && rol != Qt::ToolTipRole))
        return {};
    return static_cast<const TLinieElev*>(index.internalPointer())->Denumire;
}

QVariant TModelElevi::headerData(int sectiune, Qt::Orientation orientare, int rol) const
{
    if (orientare == Qt::Horizontal && sectiune == 0 && rol == Qt::DisplayRole)
        return QStringLiteral("Nume si prenume");
    return {};
}

const TLinieElev* LinieSelectata(const QTreeView* arbore)
{
    if (!arbore->selectionModel())
        return nullptr;
    QModelIndexList selectate = arbore->selectionModel()->selectedRows();
    if (selectate.isEmpty())
        return nullptr;
    std::sort(selectate.begin(), selectate.end());
    return static_cast<const TLinieElev*>(selectate.first().internalPointer());
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

    Arbore = new QTreeView(this);
    Arbore->setObjectName(QStringLiteral("Arbore"));
    m_model = new TModelElevi(this);
    Arbore->setModel(m_model);
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
    // A row opens as "Modifica" does, by a double click or by Enter.
    connect(Arbore, &QTreeView::doubleClicked, this, [this] { RuleazaActiune(this, [this] { Modifica(); }); });
    ListaCuTastatura(Arbore, [this] { RuleazaActiune(this, [this] { Modifica(); }); });
}

void TListaElevi::Reincarca()
{
    m_model->Seteaza({});
    m_linii.clear();
    m_afisate.clear();
    const TClasaProfil* profil = ProfilInregistrat();
    SeteazaLiniiSortate(CitesteLiniiSortate(ModululDeDate(), profil ? profil->ListaCampuriElev() : QString()));
}

void TListaElevi::SeteazaLinii(TListaLiniiElevi linii)
{
    SorteazaDupaNume(linii);
    SeteazaLiniiSortate(std::move(linii));
}

void TListaElevi::SeteazaLiniiSortate(TListaLiniiElevi linii)
{
    m_model->Seteaza({});
    m_afisate.clear();
    m_linii.clear();
    m_linii.reserve(linii.size());
    m_textCautare.clear();
    m_inceputuri.clear();
    m_inceputuri.reserve(linii.size() + 1);
    for (auto& linie : linii) {
        m_inceputuri.push_back(m_textCautare.size());
        AdaugaFormaDeCautare(m_textCautare, linie->Denumire);
        m_textCautare += '\0';
        m_linii.push_back(std::move(linie));
    }
    m_inceputuri.push_back(m_textCautare.size());
    Filtreaza();
}

void TListaElevi::Filtreaza()
{
    const QString text = Cauta->text();
    std::vector<const TLinieElev*> afisate;
    if (text.trimmed().isEmpty()) {
        afisate.reserve(m_linii.size());
        for (const auto& linie : m_linii)
            afisate.push_back(linie.get());
    } else {
        const QByteArray cautare = FormaDeCautare(text).toUtf8();
        const char* inceput = m_textCautare.constData();
        const char* sfarsit = inceput + m_textCautare.size();
        const char* p = inceput;
        while (p < sfarsit) {
            const void* gasit = memmem(p, size_t(sfarsit - p), cautare.constData(), size_t(cautare.size()));
            if (!gasit)
                break;
            // The line whose text holds the match; the search goes on at the next line.
            const auto dupa = std::upper_bound(m_inceputuri.begin(), m_inceputuri.end(),
                                               qsizetype(static_cast<const char*>(gasit) - inceput));
            const size_t linie = size_t(dupa - m_inceputuri.begin()) - 1;
            afisate.push_back(m_linii[linie].get());
            p = inceput + *dupa;
        }
    }
    m_afisate = std::move(afisate);
    // The selection is lost, as the list is filled anew.
    m_model->Seteaza(m_afisate);
    emit NumarSchimbat(TextNumar());
}

QString TListaElevi::TextNumar() const
{
    return QStringLiteral("Elevi afisati: %1 din %2").arg(m_afisate.size()).arg(m_linii.size());
}

QList<const TLinieElev*> TListaElevi::LiniiAfisate() const
{
    return QList<const TLinieElev*>(m_afisate.begin(), m_afisate.end());
}

void TListaElevi::SelecteazaRand(int rand)
{
    const QModelIndex index = m_model->index(rand, 0);
    Arbore->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
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
    if (!TMesaje::Intreaba(this, QStringLiteral("Doriti sa stergeti elevul: ") + linie->Denumire))
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
        const TGardaCitire citire(dm.Tr);
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
    if (!ConfirmaCampurileGoale())
        return;
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
