#include "excel/UKivExcelImportFrame.h"

#include "profile/UProfil.h"
#include "store/UDataModule.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

TButonValidare::TButonValidare(QWidget* parinte, std::function<void()> actiune)
    : QPushButton(parinte), m_actiune(std::move(actiune))
{
    setObjectName(QStringLiteral("PaginaOk"));
    hide();
}

TButonValidare* CautaPaginaOk(QWidget* pagina)
{
    for (QObject* copil : pagina->children()) {
        if (auto* buton = qobject_cast<TButonValidare*>(copil))
            return buton;
        if (auto* w = qobject_cast<QWidget*>(copil))
            if (TButonValidare* gasit = CautaPaginaOk(w))
                return gasit;
    }
    return nullptr;
}

TCasetaColoana::TCasetaColoana(QWidget* parinte, const QString& nume) : QWidget(parinte)
{
    setObjectName(nume);
    auto* l = new QHBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    m_caseta = new QLineEdit(this);
    m_caseta->setObjectName(nume + QStringLiteral("Text"));
    m_caseta->setReadOnly(true);
    m_buton = new QToolButton(this);
    m_buton->setObjectName(nume + QStringLiteral("Buton"));
    m_buton->setArrowType(Qt::DownArrow);
    m_buton->setToolTip(QStringLiteral("Alegeti coloana"));
    l->addWidget(m_caseta, 1);
    l->addWidget(m_buton);
    setFocusProxy(m_caseta);
    auto alege = [this] {
        if (!AlegeColoana)
            return;
        if (const std::optional<QString> coloana = AlegeColoana())
            SetText(*coloana);
    };
    connect(m_buton, &QToolButton::clicked, this, alege);
    // The keyboard opens the picker as the button does: Alt+Down or F4, as on a drop-down list.
    auto* deschide = new QAction(this);
    deschide->setShortcuts({QKeySequence(Qt::ALT | Qt::Key_Down), QKeySequence(Qt::Key_F4)});
    deschide->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(deschide, &QAction::triggered, this, alege);
    addAction(deschide);
}

QString TCasetaColoana::Text() const
{
    return m_caseta->text();
}

void TCasetaColoana::SetText(const QString& text)
{
    m_caseta->setText(text);
}

TKivExcelImportFrame::TKivExcelImportFrame(QWidget* parinte) : QWidget(parinte)
{
    setObjectName(QStringLiteral("KivExcelImportFrame"));
    auto* l = new QVBoxLayout(this);
    auto* titlu = new QLabel(QStringLiteral("Va rugam specificati coloana de pe care se va prelua:"), this);
    QFont f = titlu->font();
    f.setBold(true);
    titlu->setFont(f);
    l->addWidget(titlu);
    m_cheieAfisata = new QLabel(this);
    m_cheieAfisata->setObjectName(QStringLiteral("CheieCamp"));
    l->addWidget(m_cheieAfisata);
    m_eticheta = new QLabel(this);
    m_eticheta->setObjectName(QStringLiteral("EtichetaCamp"));
    l->addWidget(m_eticheta);
    l->addSpacing(8);

    OptiuneNuImport = new QCheckBox(QStringLiteral("NU import date pentru aceasta coloana"), this);
    OptiuneNuImport->setObjectName(QStringLiteral("NuImport"));
    l->addWidget(OptiuneNuImport);
    l->addWidget(new QLabel(QStringLiteral("Cum generez date pentru aceasta coloana:"), this));
    Mod = new QComboBox(this);
    Mod->setObjectName(QStringLiteral("Mod"));
    Mod->addItems(TexteModPreluare());
    l->addWidget(Mod);

    m_intrari = new QWidget(this);
    auto* li = new QVBoxLayout(m_intrari);
    li->setContentsMargins(0, 0, 0, 0);
    m_paginiIntrari = new QStackedWidget(m_intrari);
    li->addWidget(m_paginiIntrari);

    auto pagina = [this] {
        auto* p = new QWidget(m_paginiIntrari);
        auto* lp = new QVBoxLayout(p);
        lp->setContentsMargins(0, 8, 0, 0);
        m_paginiIntrari->addWidget(p);
        return lp;
    };
    auto cuEticheta = [](QVBoxLayout* lp, const QString& text, QWidget* w) {
        auto* e = new QLabel(text, lp->parentWidget());
        e->setBuddy(w);
        lp->addWidget(e);
        lp->addWidget(w);
    };
    QVBoxLayout* p0 = pagina();
    Coloana = new TCasetaColoana(p0->parentWidget(), QStringLiteral("Coloana"));
    cuEticheta(p0, QStringLiteral("Coloana pentru preluarea acestui camp de date:"), Coloana);
    p0->addStretch();
    QVBoxLayout* p1 = pagina();
    Constanta = new QLineEdit(p1->parentWidget());
    Constanta->setObjectName(QStringLiteral("Constanta"));
    cuEticheta(p1, QStringLiteral("Ce scriu in aceasta coloana:"), Constanta);
    p1->addStretch();
    QVBoxLayout* p2 = pagina();
    TextFete = new QLineEdit(p2->parentWidget());
    TextFete->setObjectName(QStringLiteral("TextFete"));
    cuEticheta(p2, QStringLiteral("Ce scriu pentru fete (prima cifra din CNP: 2, 4, 6, 8)"), TextFete);
    TextBaieti = new QLineEdit(p2->parentWidget());
    TextBaieti->setObjectName(QStringLiteral("TextBaieti"));
    cuEticheta(p2, QStringLiteral("Ce scriu pentru baieti (prima cifra din CNP: 1, 3, 5, 7)"), TextBaieti);
    p2->addStretch();
    l->addWidget(m_intrari, 1);

    new TButonValidare(this, [this] { VerificaMapare(Mapare()); });

    connect(Mod, &QComboBox::currentIndexChanged, this, [this] { ArataIntrarile(); });
    connect(OptiuneNuImport, &QCheckBox::toggled, this, [this](bool nuImport) {
        m_intrari->setVisible(!nuImport);
        Mod->setEnabled(!nuImport);
    });
    setTabOrder(OptiuneNuImport, Mod);
    setTabOrder(Mod, Coloana->Caseta());
    setTabOrder(Coloana->Caseta(), Coloana->Buton());
    setTabOrder(Coloana->Buton(), Constanta);
    setTabOrder(Constanta, TextFete);
    setTabOrder(TextFete, TextBaieti);
}

void TKivExcelImportFrame::Configureaza(const QString& cheie, const QString& eticheta, int limita)
{
    m_cheie = cheie;
    m_limita = limita;
    m_formular = DesparteCheie(cheie).Formular;
    m_cheieAfisata->setText(SeparaCuvinte(cheie));
    m_eticheta->setText(eticheta);
    SetMod(mpDinColoana);
    ArataIntrarile();
}

bool TKivExcelImportFrame::NuImport() const
{
    return OptiuneNuImport->isChecked();
}

void TKivExcelImportFrame::SetNuImport(bool nuImport)
{
    OptiuneNuImport->setChecked(nuImport);
}

void TKivExcelImportFrame::SetMod(int mod)
{
    Mod->setCurrentIndex(mod);
}

void TKivExcelImportFrame::ArataIntrarile()
{
    switch (Mod->currentIndex()) {
    case mpConstanta:
        m_paginiIntrari->setCurrentIndex(1);
        break;
    case mpDinCnp:
        m_paginiIntrari->setCurrentIndex(2);
        break;
    default:
        m_paginiIntrari->setCurrentIndex(0);
        break;
    }
}

TMapareCamp TKivExcelImportFrame::Mapare() const
{
    TMapareCamp m;
    m.Cheie = m_cheie;
    m.Formular = m_formular;
    m.NuImport = NuImport();
    m.Mod = Mod->currentIndex();
    m.Coloana = Coloana->Text();
    m.Constanta = Constanta->text();
    m.TextFete = TextFete->text();
    m.TextBaieti = TextBaieti->text();
    m.Limita = m_limita;
    return m;
}

void TKivExcelImportFrame::SeteazaMapare(const TMapareCamp& mapare)
{
    SetMod(mapare.Mod);
    Coloana->SetText(mapare.Coloana);
    Constanta->setText(mapare.Constanta);
    TextFete->setText(mapare.TextFete);
    TextBaieti->setText(mapare.TextBaieti);
    SetNuImport(mapare.NuImport);
}
