#include "print/ULoturiFormulare.h"

#include "platform/UActiune.h"
#include "platform/UEroare.h"
#include "platform/UForme.h"
#include "platform/UMesaje.h"
#include "print/URapoarteFormulare.h"
#include "store/UDataModule.h"
#include "store/UFormulare.h"

#include <QDateEdit>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const QString FormatData = QStringLiteral("dd.MM.yyyy");

QString Data(const QDate& d)
{
    return d.isValid() ? d.toString(FormatData) : QString();
}

// A date typed as dd.mm.yyyy; empty when nothing is typed; raises for anything else.
QDate CitesteData(const QString& text, const QString& camp)
{
    if (text.trimmed().isEmpty())
        return {};
    const QDate d = QDate::fromString(text.trimmed(), QStringLiteral("d.M.yyyy"));
    if (!d.isValid())
        throw EEroare(QStringLiteral("\"%1\" nu este o data (%2 se scrie zz.ll.aaaa).").arg(text.trimmed(), camp));
    return d;
}

qint64 CitesteNumar(const QString& text, const QString& camp)
{
    const qint64 n = CitesteNumarFormular(text);
    if (n < 1)
        throw EEroare(QStringLiteral("\"%1\" nu este un numar (%2).").arg(text.trimmed(), camp));
    return n;
}

QLineEdit* Edit(QWidget* parinte, const QString& nume)
{
    auto* e = new QLineEdit(parinte);
    e->setObjectName(nume);
    return e;
}

QPushButton* Buton(QWidget* parinte, const QString& text, const QString& nume)
{
    auto* b = new QPushButton(text, parinte);
    b->setObjectName(nume);
    return b;
}

// A date box that Tab leaves for the next box, as every other box does; the day, month and year are typed one
// after the other (a full section moves on by itself) or reached with the arrows.
class TEditData : public QDateEdit
{
public:
    using QDateEdit::QDateEdit;

protected:
    bool focusNextPrevChild(bool inainte) override { return QWidget::focusNextPrevChild(inainte); }
};

QDateEdit* EditData(QWidget* parinte, const QString& nume, const QDate& data)
{
    auto* e = new TEditData(data, parinte);
    e->setObjectName(nume);
    e->setDisplayFormat(FormatData);
    e->setCalendarPopup(true);
    return e;
}

QTreeWidget* Lista(QWidget* parinte, const QString& nume, const QStringList& coloane)
{
    auto* l = new QTreeWidget(parinte);
    l->setObjectName(nume);
    l->setRootIsDecorated(false);
    l->setHeaderLabels(coloane);
    return l;
}
} // namespace

TAnulareFormularForm::TAnulareFormularForm(const QString& formular, QWidget* parinte) : QDialog(parinte)
{
    setObjectName(QStringLiteral("AnulareFormular"));
    setWindowTitle(QStringLiteral("Anuleaza formularul"));
    auto* l = new QFormLayout(this);
    l->addRow(new QLabel(QStringLiteral("Formularul %1").arg(formular), this));
    Motiv = Edit(this, QStringLiteral("Motiv"));
    l->addRow(QStringLiteral("Motivul anularii"), Motiv);
    Data = EditData(this, QStringLiteral("Data"), QDate::currentDate());
    l->addRow(QStringLiteral("Data anularii"), Data);
    auto* butoane = new QHBoxLayout;
    Ok = Buton(this, QStringLiteral("Anuleaza"), QStringLiteral("Ok"));
    Renunt = Buton(this, QStringLiteral("Renunt"), QStringLiteral("Renunt"));
    butoane->addStretch();
    butoane->addWidget(Ok);
    butoane->addWidget(Renunt);
    l->addRow(butoane);
    setMinimumWidth(420);
    connect(Ok, &QPushButton::clicked, this, [this] {
        if (Motiv->text().trimmed().isEmpty())
            TMesaje::Avertizeaza(this, QStringLiteral("Scrieti motivul anularii."));
        else
            accept();
    });
    connect(Renunt, &QPushButton::clicked, this, &QDialog::reject);
}

bool CereAnulareaFormularului(QWidget* parinte, const QString& serie, qint64 numar)
{
    TAnulareFormularForm forma(QStringLiteral("seria %1 nr. %2").arg(serie).arg(numar), parinte);
    if (forma.exec() != QDialog::Accepted)
        return false;
    AnuleazaFormular(ModululDeDate(), serie, numar, forma.Motiv->text(), forma.Data->date());
    return true;
}

TLoturiFormulareForm::TLoturiFormulareForm(QWidget* parinte) : QDialog(parinte)
{
    setObjectName(QStringLiteral("LoturiFormulare"));
    setWindowTitle(QStringLiteral("Loturi de formulare"));
    auto* l = new QVBoxLayout(this);
    Pagini = new QTabWidget(this);
    Pagini->setObjectName(QStringLiteral("Pagini"));
    l->addWidget(Pagini, 1);

    auto* stoc = new QWidget(Pagini);
    auto* ls = new QVBoxLayout(stoc);
    Stoc = Lista(stoc, QStringLiteral("Stoc"),
                 {QStringLiteral("Seria"), QStringLiteral("Total"), QStringLiteral("Libere"),
                  QStringLiteral("Eliberate"), QStringLiteral("Anulate")});
    ListaLoturi = Lista(stoc, QStringLiteral("ListaLoturi"),
                        {QStringLiteral("Seria"), QStringLiteral("De la nr."), QStringLiteral("Pana la nr."),
                         QStringLiteral("Primit la"), QStringLiteral("Documentul")});
    ls->addWidget(Stoc);
    ls->addWidget(ListaLoturi, 1);
    auto* lot = new QFormLayout;
    LotSerie = Edit(stoc, QStringLiteral("LotSerie"));
    LotDeLa = Edit(stoc, QStringLiteral("LotDeLa"));
    LotPanaLa = Edit(stoc, QStringLiteral("LotPanaLa"));
    LotPrimit = EditData(stoc, QStringLiteral("LotPrimit"), QDate::currentDate());
    LotDocument = Edit(stoc, QStringLiteral("LotDocument"));
    AdaugaLotul = Buton(stoc, QStringLiteral("Adauga lotul"), QStringLiteral("AdaugaLotul"));
    lot->addRow(QStringLiteral("Seria"), LotSerie);
    lot->addRow(QStringLiteral("Primul numar"), LotDeLa);
    lot->addRow(QStringLiteral("Ultimul numar"), LotPanaLa);
    lot->addRow(QStringLiteral("Data primirii"), LotPrimit);
    lot->addRow(QStringLiteral("Documentul insotitor"), LotDocument);
    lot->addRow(AdaugaLotul);
    ls->addLayout(lot);
    Pagini->addTab(stoc, QStringLiteral("Stoc si loturi"));

    auto* registru = new QWidget(Pagini);
    auto* lr = new QVBoxLayout(registru);
    Registru = Lista(registru, QStringLiteral("Registru"),
                     {QStringLiteral("Nr. registru"), QStringLiteral("Numele si prenumele"), QStringLiteral("CNP"),
                      QStringLiteral("Seria"), QStringLiteral("Numarul"), QStringLiteral("Data eliberarii"),
                      QStringLiteral("Data primirii")});
    lr->addWidget(Registru, 1);
    auto* editare = new QHBoxLayout;
    NrRegistru = Edit(registru, QStringLiteral("NrRegistru"));
    DataEliberarii = Edit(registru, QStringLiteral("DataEliberarii"));
    DataPrimirii = Edit(registru, QStringLiteral("DataPrimirii"));
    SalveazaRegistrul = Buton(registru, QStringLiteral("Salveaza"), QStringLiteral("SalveazaRegistrul"));
    AnuleazaEliberat = Buton(registru, QStringLiteral("Anuleaza formularul"), QStringLiteral("AnuleazaEliberat"));
    editare->addWidget(new QLabel(QStringLiteral("Nr. registru"), registru));
    editare->addWidget(NrRegistru);
    editare->addWidget(new QLabel(QStringLiteral("Data eliberarii"), registru));
    editare->addWidget(DataEliberarii);
    editare->addWidget(new QLabel(QStringLiteral("Data primirii"), registru));
    editare->addWidget(DataPrimirii);
    editare->addWidget(SalveazaRegistrul);
    editare->addWidget(AnuleazaEliberat);
    lr->addLayout(editare);
    auto* rapoarte = new QHBoxLayout;
    RegistruPdf = Buton(registru, QStringLiteral("Registrul de evidenta PDF..."), QStringLiteral("RegistruPdf"));
    RegistruXlsx = Buton(registru, QStringLiteral("Registrul de evidenta .xlsx..."), QStringLiteral("RegistruXlsx"));
    rapoarte->addStretch();
    rapoarte->addWidget(RegistruPdf);
    rapoarte->addWidget(RegistruXlsx);
    lr->addLayout(rapoarte);
    Pagini->addTab(registru, QStringLiteral("Registrul de evidenta"));

    auto* anulari = new QWidget(Pagini);
    auto* la = new QFormLayout(anulari);
    la->addRow(
        new QLabel(QStringLiteral("Un formular gasit deteriorat in dulap se anuleaza dupa numarul lui."), anulari));
    AnulareSerie = Edit(anulari, QStringLiteral("AnulareSerie"));
    AnulareNumar = Edit(anulari, QStringLiteral("AnulareNumar"));
    AnuleazaNumar = Buton(anulari, QStringLiteral("Anuleaza formularul..."), QStringLiteral("AnuleazaNumar"));
    la->addRow(QStringLiteral("Seria"), AnulareSerie);
    la->addRow(QStringLiteral("Numarul"), AnulareNumar);
    la->addRow(AnuleazaNumar);
    const QDate azi = QDate::currentDate();
    AnulariDe = EditData(anulari, QStringLiteral("AnulariDe"), QDate(azi.year(), azi.month(), 1));
    AnulariPana = EditData(anulari, QStringLiteral("AnulariPana"), azi);
    la->addRow(new QLabel(QStringLiteral("Proces-verbal de anulare pentru formularele anulate"), anulari));
    la->addRow(QStringLiteral("De la"), AnulariDe);
    la->addRow(QStringLiteral("Pana la"), AnulariPana);
    AnulariPdf = Buton(anulari, QStringLiteral("Proces-verbal de anulare PDF..."), QStringLiteral("AnulariPdf"));
    AnulariXlsx = Buton(anulari, QStringLiteral("Proces-verbal de anulare .xlsx..."), QStringLiteral("AnulariXlsx"));
    la->addRow(AnulariPdf);
    la->addRow(AnulariXlsx);
    Pagini->addTab(anulari, QStringLiteral("Anulari"));

    auto* inchide = Buton(this, QStringLiteral("Inchide"), QStringLiteral("Inchide"));
    auto* jos = new QHBoxLayout;
    jos->addStretch();
    jos->addWidget(inchide);
    l->addLayout(jos);
    resize(900, 600);
    CentreazaForma(this);

    connect(inchide, &QPushButton::clicked, this, &QDialog::accept);
    connect(AdaugaLotul, &QPushButton::clicked, this, [this] { RuleazaActiune(this, [this] { Adauga(); }); });
    connect(Registru, &QTreeWidget::currentItemChanged, this, [this] { ArataSelectia(); });
    connect(SalveazaRegistrul, &QPushButton::clicked, this,
            [this] { RuleazaActiune(this, [this] { SalveazaSelectia(); }); });
    connect(AnuleazaEliberat, &QPushButton::clicked, this, [this] {
        RuleazaActiune(this, [this] {
            const QTreeWidgetItem* rand = Registru->currentItem();
            if (!rand) {
                TMesaje::Informeaza(this, QStringLiteral("Alegeti formularul din registru."));
                return;
            }
            if (CereAnulareaFormularului(this, rand->text(3), rand->text(4).toLongLong()))
                Reincarca();
        });
    });
    connect(AnuleazaNumar, &QPushButton::clicked, this, [this] {
        RuleazaActiune(this, [this] {
            const QString serie = NormalizeazaSerie(AnulareSerie->text());
            const qint64 numar = CitesteNumar(AnulareNumar->text(), QStringLiteral("numarul formularului"));
            if (CereAnulareaFormularului(this, serie, numar))
                Reincarca();
        });
    });
    connect(RegistruPdf, &QPushButton::clicked, this, [this] { SalveazaRaport(true, true); });
    connect(RegistruXlsx, &QPushButton::clicked, this, [this] { SalveazaRaport(true, false); });
    connect(AnulariPdf, &QPushButton::clicked, this, [this] { SalveazaRaport(false, true); });
    connect(AnulariXlsx, &QPushButton::clicked, this, [this] { SalveazaRaport(false, false); });
    RuleazaActiune(this, [this] { Reincarca(); });
    // The caret waits in the batch's first box, where most visits begin.
    LotSerie->setFocus();
}

void TLoturiFormulareForm::Reincarca()
{
    TDM& dm = ModululDeDate();
    Stoc->clear();
    for (const TStocSerie& s : StocFormulare(dm))
        new QTreeWidgetItem(Stoc, {s.Serie, QString::number(s.Total), QString::number(s.Libere),
                                   QString::number(s.Eliberate), QString::number(s.Anulate)});
    ListaLoturi->clear();
    for (const TLotFormulare& l : Loturi(dm))
        new QTreeWidgetItem(ListaLoturi,
                            {l.Serie, QString::number(l.DeLa), QString::number(l.PanaLa), Data(l.Primit), l.Document});
    Registru->clear();
    for (const TFormularFolosit& f : FormulareEliberate(dm))
        new QTreeWidgetItem(Registru, {QString::number(f.NrRegistru), f.Elev, f.Cnp, f.Serie, QString::number(f.Numar),
                                       Data(f.DataEliberarii), Data(f.DataPrimirii)});
    for (QTreeWidget* l : {Stoc, ListaLoturi, Registru})
        l->header()->resizeSections(QHeaderView::ResizeToContents);
    ArataSelectia();
}

void TLoturiFormulareForm::Adauga()
{
    TLotFormulare lot;
    lot.Serie = LotSerie->text();
    lot.DeLa = CitesteNumar(LotDeLa->text(), QStringLiteral("primul numar al lotului"));
    lot.PanaLa = CitesteNumar(LotPanaLa->text(), QStringLiteral("ultimul numar al lotului"));
    lot.Primit = LotPrimit->date();
    lot.Document = LotDocument->text();
    AdaugaLot(ModululDeDate(), lot);
    for (QLineEdit* e : {LotSerie, LotDeLa, LotPanaLa, LotDocument})
        e->clear();
    Reincarca();
    LotSerie->setFocus();
}

void TLoturiFormulareForm::ArataSelectia()
{
    const QTreeWidgetItem* rand = Registru->currentItem();
    for (QWidget* w :
         std::initializer_list<QWidget*>{NrRegistru, DataEliberarii, DataPrimirii, SalveazaRegistrul, AnuleazaEliberat})
        w->setEnabled(rand);
    NrRegistru->setText(rand ? rand->text(0) : QString());
    DataEliberarii->setText(rand ? rand->text(5) : QString());
    DataPrimirii->setText(rand ? rand->text(6) : QString());
}

void TLoturiFormulareForm::SalveazaSelectia()
{
    const QTreeWidgetItem* rand = Registru->currentItem();
    if (!rand)
        return;
    const QString serie = rand->text(3);
    const qint64 numar = rand->text(4).toLongLong();
    const qint64 nr = CitesteNumar(NrRegistru->text(), QStringLiteral("numarul din registru"));
    const QDate eliberat = CitesteData(DataEliberarii->text(), QStringLiteral("data eliberarii"));
    const QDate primit = CitesteData(DataPrimirii->text(), QStringLiteral("data primirii"));
    SchimbaRegistrul(ModululDeDate(), serie, numar, nr, eliberat, primit);
    Reincarca();
    for (int i = 0; i < Registru->topLevelItemCount(); ++i) {
        QTreeWidgetItem* r = Registru->topLevelItem(i);
        if (r->text(3) == serie && r->text(4) == QString::number(numar))
            Registru->setCurrentItem(r);
    }
}

void TLoturiFormulareForm::SalveazaRaport(bool registru, bool pdf)
{
    RuleazaActiune(this, [&] {
        TDM& dm = ModululDeDate();
        const TRaportFormulare raport =
            registru ? RaportRegistru(dm) : RaportAnulari(dm, AnulariDe->date(), AnulariPana->date());
        const QString extensie = pdf ? QStringLiteral(".pdf") : QStringLiteral(".xlsx");
        const QString implicit =
            (registru ? QStringLiteral("Registrul de evidenta") : QStringLiteral("Proces-verbal de anulare")) +
            extensie;
        QString fisier = TMesaje::CereFisierDeScris(
            this,
            registru ? QStringLiteral("Salvati registrul de evidenta") : QStringLiteral("Salvati procesul-verbal"),
            QDir::home().filePath(implicit),
            pdf ? QStringLiteral("Documente PDF (*.pdf)") : QStringLiteral("Registre de calcul Excel (*.xlsx)"));
        if (fisier.isEmpty())
            return;
        if (!fisier.endsWith(extensie, Qt::CaseInsensitive))
            fisier += extensie;
        QString cat = Cate(raport.Randuri.size(), QStringLiteral("rand"), QStringLiteral("randuri"));
        if (pdf)
            cat += QStringLiteral(", ") +
                   Cate(ScrieRaportPdf(raport, fisier), QStringLiteral("pagina"), QStringLiteral("pagini"));
        else
            ScrieRaportXlsx(raport, fisier);
        TMesaje::Informeaza(this, QStringLiteral("S-a salvat \"%1\" (%2).").arg(QDir::toNativeSeparators(fisier), cat));
    });
}
