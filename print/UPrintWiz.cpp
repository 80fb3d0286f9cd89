#include "print/UPrintWiz.h"

#include "platform/UActiune.h"
#include "platform/UForme.h"
#include "print/UDesene.h"
#include "print/UGeometriePrint.h"
#include "print/UImprimanta.h"
#include "print/USetariImprimare.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const QString TitluManevrare = QStringLiteral("Stabilirea modului de manevrare a hartiei.");

QLabel* Text(QWidget* parinte, const QString& text, bool titlu = false)
{
    auto* e = new QLabel(text, parinte);
    e->setWordWrap(true);
    if (titlu) {
        QFont f = e->font();
        f.setBold(true);
        f.setPointSizeF(f.pointSizeF() * 1.2);
        e->setFont(f);
    }
    parinte->layout()->addWidget(e);
    return e;
}

QLabel* Imagine(QWidget* parinte, const QPixmap& pm)
{
    auto* e = new QLabel(parinte);
    e->setPixmap(pm);
    return e;
}

QRadioButton* Alegere(QWidget* parinte, QButtonGroup* grup, int id, const QString& text)
{
    auto* b = new QRadioButton(text, parinte);
    b->setObjectName(QStringLiteral("%1_%2").arg(grup->objectName()).arg(id));
    grup->addButton(b, id);
    return b;
}
} // namespace

TPrintWiz::TPrintWiz(QWidget* parinte) : QDialog(parinte)
{
    setObjectName(QStringLiteral("PrintWiz"));
    setWindowTitle(QStringLiteral("Formular pentru pregatirea imprimantei"));
    auto* l = new QVBoxLayout(this);
    auto* titlu = new QLabel(QStringLiteral("Formular pentru configurarea imprimantei"), this);
    titlu->setObjectName(QStringLiteral("Titlu"));
    QFont ft = titlu->font();
    ft.setBold(true);
    ft.setPointSizeF(ft.pointSizeF() * 1.4);
    titlu->setFont(ft);
    titlu->setStyleSheet(QStringLiteral("background: #1d2b4f; color: white; padding: 8px;"));
    l->addWidget(titlu);
    Pagini = new QStackedWidget(this);
    Pagini->setObjectName(QStringLiteral("Pagini"));
    l->addWidget(Pagini, 1);
    for (int i = 0; i < NumarPagini; ++i) {
        auto* p = new QWidget(Pagini);
        p->setObjectName(QStringLiteral("Pagina%1").arg(i));
        new QVBoxLayout(p);
        Pagini->addWidget(p);
    }
    Alimentare = new QButtonGroup(this);
    Alimentare->setObjectName(QStringLiteral("Alimentare"));
    PozitieHartie = new QButtonGroup(this);
    PozitieHartie->setObjectName(QStringLiteral("PozitieHartie"));
    Parte = new QButtonGroup(this);
    Parte->setObjectName(QStringLiteral("Parte"));
    Rezultat = new QButtonGroup(this);
    Rezultat->setObjectName(QStringLiteral("Rezultat"));

    PaginaImprimanta(Pagina(0));
    PaginaAlimentare(Pagina(1));
    PaginaCasetaFrontala(Pagina(2));
    PaginaCasetaInterna(Pagina(3));
    PaginaReprezentare(Pagina(4));
    PaginaCoalaAlba(Pagina(5));
    PaginaADouaSageata(Pagina(6));
    PaginaParte(Pagina(7));
    PaginaLinii(Pagina(8));
    PaginaRezultat(Pagina(9));
    PaginaFinal(Pagina(13));

    for (int i = 0; i < NumarPagini; ++i)
        qobject_cast<QVBoxLayout*>(Pagina(i)->layout())->addStretch();

    auto* butoane = new QHBoxLayout;
    auto buton = [&](const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(text);
        butoane->addWidget(b);
        return b;
    };
    butoane->addStretch();
    ButonInapoi = buton(QStringLiteral("Inapoi"));
    ButonInainte = buton(QStringLiteral("Inainte"));
    ButonRenunt = buton(QStringLiteral("Renunt"));
    // Enter anywhere goes on; on a focused button it presses that button.
    ButonInainte->setDefault(true);
    l->addLayout(butoane);
    connect(ButonInapoi, &QPushButton::clicked, this, [this] { Inapoi(); });
    connect(ButonInainte, &QPushButton::clicked, this, [this] { RuleazaActiune(this, [this] { Inainte(); }); });
    connect(ButonRenunt, &QPushButton::clicked, this, &QDialog::reject);

    resize(720, 560);
    CentreazaForma(this);
}

void TPrintWiz::PaginaImprimanta(QWidget* p)
{
    Text(p, QStringLiteral("Selectati imprimanta"), true);
    Text(p, QStringLiteral("Va rugam selectati, din lista de mai jos, imprimanta cu care doriti sa tipariti "
                           "diplomele"));
    ListaImprimante = new QTreeWidget(p);
    ListaImprimante->setObjectName(QStringLiteral("ListaImprimante"));
    ListaImprimante->setHeaderLabels({QStringLiteral("Denumire")});
    ListaImprimante->setRootIsDecorated(false);
    const QStringList imprimante = ::ListaImprimante();
    for (const QString& nume : imprimante) {
        auto* nod = new QTreeWidgetItem(ListaImprimante, {nume});
        if (nume == ImprimantaCurenta())
            ListaImprimante->setCurrentItem(nod);
    }
    if (!ListaImprimante->currentItem())
        ListaImprimante->setCurrentItem(ListaImprimante->topLevelItem(ListaImprimante->topLevelItemCount() - 1));
    p->layout()->addWidget(ListaImprimante);
}

void TPrintWiz::PaginaAlimentare(QWidget* p)
{
    Text(p, QStringLiteral("Selectati modul de alimentare cu hartie:"), true);
    {
        const QString titluri[3] = {QStringLiteral("Alimentarea prin partea de sus"),
                                    QStringLiteral("Alimentare frontala"),
                                    QStringLiteral("Alimentare cu caseta interna sau alte modalitati")};
        const QString descrieri[3] = {
            QStringLiteral("Selectati acest mod de alimentare cu hartie daca imprimanta dumneavoastra ia hartia "
                           "dintr-o caseta aflata in partea din spate a imprimantei. Majoritatea imprimantelor Epson "
                           "cu jet de cerneala sunt alimentate in acest mod."),
            QStringLiteral("Selectati acest mod de alimentare daca imprimanta dumneavoastra ia hartia dintr-o tavita "
                           "aflata in partea din fata a imprimantei. Majoritata imprimantelor HP cu jet de cerneala "
                           "utilizeaza acest mod de alimentare."),
            QStringLiteral("Alegeti aceasta optiune daca imprimanta dumneavoastra ia hartia dintr-o caseta interna "
                           "sau daca nici una dintre metodele anterioare nu este corecta. Majoritatea imprimantelor "
                           "laser profesionale intra în aceasta categorie.")};
        for (int i = 0; i < 3; ++i) {
            auto* rand = new QHBoxLayout;
            rand->addWidget(Imagine(p, DesenModAlimentare(i + 1).scaledToHeight(80, Qt::SmoothTransformation)));
            auto* celula = new QVBoxLayout;
            celula->addWidget(Alegere(p, Alimentare, i + 1, titluri[i]));
            auto* d = new QLabel(descrieri[i], p);
            d->setWordWrap(true);
            celula->addWidget(d);
            rand->addLayout(celula, 1);
            qobject_cast<QVBoxLayout*>(p->layout())->addLayout(rand);
        }
    }
}

void TPrintWiz::PaginaCasetaFrontala(QWidget* p)
{
    Text(p, QStringLiteral("Ati selectat alimentare cu caseta frontala."), true);
    Text(p, QStringLiteral("Imprimantele HP cu jet de cerneala rasucesc hartia in imprimanta, astfel incat hartia iese "
                           "din imprimanta tot prin partea din fata."));
    Text(p, QStringLiteral("Daca acesta este modul in care imprimanta dumneavoastra functioneaza in mod normal, va "
                           "rugam sa aruncati o privire in spatele imprimantei. Este posibil ca imprimanta "
                           "dumneavoastra sa aiba o caseta care se deschide si permite hartiei sa iasa in spate."));
    Text(p, QStringLiteral("Daca aceasta caseta exista, este preferabil sa listati diplomele cu caseta deschisa, "
                           "pentru a nu indoi cartonul."));
}

void TPrintWiz::PaginaCasetaInterna(QWidget* p)
{
    Text(p, QStringLiteral("Ati selectat alimentare cu caseta interna."), true);
    Text(p, QStringLiteral("Tiparirea diplomelor pe imprimante cu caseta interna pentru alimentare cu hartie poate fi "
                           "greoaie."));
    Text(p, QStringLiteral("Multe dintre imprimantele de acest gen au posibilitatea aliemntarii cu hartie manual. "
                           "Cautati in manualul imprimantei informatii despre aceasta posibilitate."));
    Text(p, QStringLiteral("Daca imprimanta poate fi alimentata cu hartie manual, va recomandam sa utilizati aceasta "
                           "modalitate pentru tiparirea diplomelor."));
}

void TPrintWiz::PaginaReprezentare(QWidget* p)
{
    Text(p, QStringLiteral("Reprezentarea vizuala a modului de alimentare cu hartie"), true);
    Text(p, QStringLiteral("In timpul tiparirii diplomelor, programul va va furniza instructiuni pentru modul de "
                           "pozitionare a hartiei in imprimanta."));
    Text(p, QStringLiteral("Care dintre urmatoarele reprezentari vi se pare mai intuitiva?"));
    {
        auto* rand = new QHBoxLayout;
        const QString texte[2] = {QStringLiteral("Hartie in pozitia normala."), QStringLiteral("Hartie rasturnata.")};
        for (int i = 0; i < 2; ++i) {
            auto* coloana = new QVBoxLayout;
            coloana->addWidget(Imagine(p, DesenHartieCaseta(i == 1)));
            coloana->addWidget(Alegere(p, PozitieHartie, i + 1, texte[i]));
            rand->addLayout(coloana);
        }
        qobject_cast<QVBoxLayout*>(p->layout())->addLayout(rand);
    }
}

void TPrintWiz::PaginaCoalaAlba(QWidget* p)
{
    Text(p, TitluManevrare, true);
    Text(p, QStringLiteral("Introduceti o coala alba de hartie in imprimanta. Apasati butonul \"Inainte\" cand "
                           "imprimanta este pregatita."));
}

void TPrintWiz::PaginaADouaSageata(QWidget* p)
{
    Text(p, TitluManevrare, true);
    Text(p, QStringLiteral("Reintroduceti coala de hartie in imprimanta, cu sageata pe partea vizibila a paginii, asa "
                           "cum se vede in imaginea alaturata."));
    Text(p, QStringLiteral("Programul va incerca sa tipareasca o sageata hasurata in interiorul sagetii deja "
                           "tiparite."));
    DesenPagina6 = Imagine(p, QPixmap());
    DesenPagina6->setObjectName(QStringLiteral("DesenPagina6"));
    p->layout()->addWidget(DesenPagina6);
}

void TPrintWiz::PaginaParte(QWidget* p)
{
    Text(p, TitluManevrare, true);
    Text(p, QStringLiteral("Sageata hasurata a fost tiparita pe aceeasi parte cu prima sageata, sau a fost tiparita "
                           "pe partea opusa?"));
    Text(p, QStringLiteral("Apasati butonul \"Inainte\" dupa ce ati selectat optiunea corecta."));
    p->layout()->addWidget(Alegere(p, Parte, 1, QStringLiteral("Pe aceeasi parte")));
    p->layout()->addWidget(Alegere(p, Parte, 2, QStringLiteral("Pe partea opusa")));
}

void TPrintWiz::PaginaLinii(QWidget* p)
{
    Text(p, TitluManevrare, true);
    InstructiunePagina8 = Text(p, QString());
    InstructiunePagina8->setObjectName(QStringLiteral("InstructiunePagina8"));
    Text(p, QStringLiteral("Programul va afisa doua liniii în dreptul sagetii."));
    DesenPagina8 = Imagine(p, QPixmap());
    DesenPagina8->setObjectName(QStringLiteral("DesenPagina8"));
    p->layout()->addWidget(DesenPagina8);
}

void TPrintWiz::PaginaRezultat(QWidget* p)
{
    Text(p, TitluManevrare, true);
    Text(p, QStringLiteral("Cum arata imaginea obtinuta?"));
    {
        auto* grila = new QGridLayout;
        const QString texte[4] = {QStringLiteral("Linie orizontala sus si linie verticala la stanga"),
                                  QStringLiteral("Linie orizontala sus si linie verticala la dreapta"),
                                  QStringLiteral("Linie orizontala jos si linie verticala la dreapta"),
                                  QStringLiteral("Linie orizontala jos si linie verticala la stanga")};
        for (int i = 0; i < 4; ++i) {
            auto* celula = new QVBoxLayout;
            celula->addWidget(Imagine(p, DesenRezultatLinii(i < 2, i == 0 || i == 3)), 0, Qt::AlignHCenter);
            celula->addWidget(Alegere(p, Rezultat, i + 1, texte[i]), 0, Qt::AlignHCenter);
            grila->addLayout(celula, i / 2, i % 2);
        }
        qobject_cast<QVBoxLayout*>(p->layout())->addLayout(grila);
    }
}

void TPrintWiz::PaginaFinal(QWidget* p)
{
    Text(p, QStringLiteral("Am finalizat"), true);
    Text(p, QStringLiteral("Toate informatiile necesare au fost obtinute. Ramane la aprecierea dumneavoastra daca "
                           "precizia imprimantei este suficienta pentru a tipari diplome."));
    Text(p, QStringLiteral("Pentru a inchide acest formular apasati butonul \"Inainte\""));
}

QWidget* TPrintWiz::Pagina(int index)
{
    return Pagini->widget(index);
}

int TPrintWiz::PaginaCurenta() const
{
    return Pagini->currentIndex();
}

bool TPrintWiz::Arata()
{
    m_inapoi[0] = 0;
    if (exec() != QDialog::Accepted)
        return false;
    TAllStuffReg setari;
    setari.Configurata = true;
    setari.ParteOpusa = ParteOpusa;
    setari.OglindaOrizontala = OglindaOrizontala;
    setari.OglindaVerticala = OglindaVerticala;
    setari.ModAlimentare = ModAlimentare;
    setari.NumeImprimanta = ImprimantaCurenta();
    setari.IndexImprimanta = int(::ListaImprimante().indexOf(setari.NumeImprimanta));
    return true;
}

void TPrintWiz::Inapoi()
{
    const int curenta = PaginaCurenta();
    if (curenta != 0) {
        Pagini->setCurrentIndex(m_inapoi[curenta]);
        FocusPePrimaIntrare(Pagini->currentWidget());
    }
}

void TPrintWiz::Inainte()
{
    const int curenta = PaginaCurenta();
    int urmatoarea = curenta;
    switch (curenta) {
    case 0:
        urmatoarea = 1;
        break;
    case 1:
        urmatoarea = Alimentare->checkedId() == 1 ? 5 : Alimentare->checkedId() == 2 ? 2 : 3;
        break;
    case 2:
        urmatoarea = 5;
        break;
    case 3:
        urmatoarea = 4;
        break;
    case 4:
        urmatoarea = 5;
        break;
    case 5:
        if (Alimentare->checkedId() == 1)
            ModAlimentare = 1;
        else if (Alimentare->checkedId() == 2)
            ModAlimentare = 2;
        else
            ModAlimentare = PozitieHartie->checkedId() == 1 ? 4 : 3;
        DesenPagina6->setPixmap(DesenReintroducere(ModAlimentare, false));
        if (!TiparestePaginaTest(QStringLiteral("Prima sageata"), LatimeSageata1, InaltimeSageata1, DeseneazaSageata1))
            return;
        urmatoarea = 6;
        break;
    case 6:
        if (!TiparestePaginaTest(QStringLiteral("A doua sageata"), LatimeSageata2, InaltimeSageata2, DeseneazaSageata2))
            return;
        urmatoarea = 7;
        break;
    case 7:
        ParteOpusa = Parte->checkedId() == 2;
        DesenPagina8->setPixmap(DesenReintroducere(ModAlimentare, true));
        InstructiunePagina8->setText(
            Parte->checkedId() == 1
                ? QStringLiteral("Reintroduceti coala de hartie in imprimanta, cu sagetile pe partea vizibila a "
                                 "paginii, asa cum se vede in imaginea alaturata.")
                : QStringLiteral("Reintroduceti coala de hartie in imprimanta, cu sageata HASURATA pe partea "
                                 "vizibila a paginii, asa cum se vede in imaginea alaturata."));
        urmatoarea = 8;
        break;
    case 8:
        if (!TiparestePaginaTest(QStringLiteral("Liniile orizonala si verticala"), LatimeLinii, InaltimeLinii,
                                 DeseneazaLinii))
            return;
        urmatoarea = 9;
        break;
    case 9:
        OglindaOrizontala = Rezultat->checkedId() == 2 || Rezultat->checkedId() == 3;
        OglindaVerticala = Rezultat->checkedId() == 3 || Rezultat->checkedId() == 4;
        urmatoarea = 13;
        break;
    case 13:
        accept();
        return;
    default:
        break;
    }
    if (urmatoarea != curenta) {
        m_inapoi[urmatoarea] = curenta;
        Pagini->setCurrentIndex(urmatoarea);
        if (!FocusPePrimaIntrare(Pagini->currentWidget()))
            ButonInainte->setFocus(Qt::TabFocusReason);
    }
}

bool TPrintWiz::TiparestePaginaTest(const QString& titlu, int latime, int inaltime,
                                    void (*desen)(QPainter&, const QRect&))
{
    if (QTreeWidgetItem* ales = ListaImprimante->currentItem())
        SeteazaImprimantaCurenta(ales->text(0));
    PregatesteImprimanta(true);
    TDocumentTiparit document(this, titlu);
    if (!document.Inceput())
        return false;
    const QRect pagina = ImprimantaProgram().pageRect(QPrinter::DevicePixel).toRect();
    desen(document.Painter(), DreptunghiImagineTest(pagina.width(), pagina.height(), latime, inaltime));
    return true;
}
