#include "print/UCalibrareForm.h"

#include "platform/UActiune.h"
#include "platform/UEroare.h"
#include "platform/UForme.h"
#include "print/UImprimanta.h"
#include "print/USetariImprimare.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {
std::optional<double> Optional(const QLineEdit* e)
{
    if (e->text().trimmed().isEmpty())
        return std::nullopt;
    return CitesteMilimetri(e->text());
}

QString Mm(double v)
{
    return TextMilimetri(std::round(v * 100) / 100);
}
} // namespace

TCalibrareForm::TCalibrareForm(QWidget* parinte) : QDialog(parinte)
{
    setObjectName(QStringLiteral("CalibrareImprimanta"));
    setWindowTitle(QStringLiteral("Calibrare imprimanta"));
    auto* l = new QVBoxLayout(this);
    auto* text = new QLabel(QStringLiteral("Imprimanta folosita: %1\n\n"
                                           "1. Tipariti pagina de calibrare pe o coala alba.\n"
                                           "2. Masurati cu rigla, in milimetri, distantele de mai jos.\n"
                                           "3. Programul calculeaza cu cat muta si cu cat mareste imprimanta "
                                           "pagina si corecteaza de acum inainte fiecare tiparire pe ea.")
                                .arg(ImprimantaCurenta()),
                            this);
    text->setWordWrap(true);
    l->addWidget(text);
    ButonTipareste = new QPushButton(QStringLiteral("Tipareste pagina de calibrare"), this);
    ButonTipareste->setObjectName(QStringLiteral("TiparestePagina"));
    ButonTipareste->setAutoDefault(false);
    l->addWidget(ButonTipareste, 0, Qt::AlignLeft);
    auto* f = new QFormLayout;
    auto camp = [&](const QString& eticheta, const QString& nume) {
        auto* e = new QLineEdit(this);
        e->setObjectName(nume);
        f->addRow(eticheta, e);
        return e;
    };
    StangaCruce = camp(QStringLiteral("De la marginea stanga a foii la crucea A (mm):"), QStringLiteral("StangaCruce"));
    SusCruce = camp(QStringLiteral("De la marginea de sus a foii la crucea A (mm):"), QStringLiteral("SusCruce"));
    IntreCruciSus = camp(QStringLiteral("Intre crucile A si B (mm, optional):"), QStringLiteral("IntreCruciSus"));
    IntreCruciStanga = camp(QStringLiteral("Intre crucile A si C (mm, optional):"), QStringLiteral("IntreCruciStanga"));
    l->addLayout(f);
    Corectia = new QLabel(this);
    Corectia->setObjectName(QStringLiteral("Corectia"));
    Corectia->setWordWrap(true);
    l->addWidget(Corectia);
    const TCorectieImprimanta actuala = CorectieImprimanta(ImprimantaCurenta());
    if (!actuala.EsteIdentitate()) {
        StangaCruce->setText(Mm(actuala.ScalaX * CruceStanga + actuala.DeplasareX));
        SusCruce->setText(Mm(actuala.ScalaY * CruceSus + actuala.DeplasareY));
        IntreCruciSus->setText(Mm(actuala.ScalaX * (CruceDreapta - CruceStanga)));
        IntreCruciStanga->setText(Mm(actuala.ScalaY * (CruceJos - CruceSus)));
    }
    auto* butoane = new QHBoxLayout;
    ButonCalculeaza = new QPushButton(QStringLiteral("Calculeaza"), this);
    ButonCalculeaza->setObjectName(QStringLiteral("Calculeaza"));
    ButonCalculeaza->setAutoDefault(false);
    Ok = new QPushButton(QStringLiteral("Ok"), this);
    Ok->setObjectName(QStringLiteral("Ok"));
    Ok->setAutoDefault(false);
    Renunt = new QPushButton(QStringLiteral("Renunt"), this);
    Renunt->setObjectName(QStringLiteral("Renunt"));
    Renunt->setAutoDefault(false);
    butoane->addWidget(ButonCalculeaza);
    butoane->addStretch();
    butoane->addWidget(Ok);
    butoane->addWidget(Renunt);
    l->addLayout(butoane);
    setMinimumWidth(560);
    adjustSize();
    CentreazaForma(this);
    connect(ButonTipareste, &QPushButton::clicked, this,
            [this] { RuleazaActiune(this, [this] { TiparestePagina(); }); });
    connect(ButonCalculeaza, &QPushButton::clicked, this,
            [this] { RuleazaActiune(this, [this] { ArataCorectia(); }); });
    connect(Ok, &QPushButton::clicked, this, [this] { RuleazaActiune(this, [this] { Confirma(); }); });
    connect(Renunt, &QPushButton::clicked, this, &QDialog::reject);
}

void TCalibrareForm::TiparestePagina()
{
    PregatesteImprimanta(false);
    TDocumentTiparit document(this, QStringLiteral("Pagina de calibrare"));
    if (document.Inceput())
        DeseneazaPaginaCalibrare(document.Painter());
}

TCorectieImprimanta TCalibrareForm::Calculeaza() const
{
    return CalculeazaCorectie(CitesteMilimetri(StangaCruce->text()), CitesteMilimetri(SusCruce->text()),
                              Optional(IntreCruciSus), Optional(IntreCruciStanga));
}

void TCalibrareForm::ArataCorectia()
{
    const TCorectieImprimanta c = Calculeaza();
    Corectia->setText(
        c.EsteIdentitate()
            ? QStringLiteral("Imprimanta tipareste exact: nu este nevoie de nicio corectie.")
            : QStringLiteral("Imprimanta muta pagina cu %1 mm spre dreapta si cu %2 mm in jos si o "
                             "mareste cu %3% pe orizontala si cu %4% pe verticala. De acum inainte, "
                             "tiparirile pe ea se corecteaza in sens invers.")
                  .arg(Mm(c.DeplasareX), Mm(c.DeplasareY), Mm((c.ScalaX - 1) * 100), Mm((c.ScalaY - 1) * 100)));
    // The wrapped text takes the lines it needs: the window grows instead of cutting it.
    layout()->activate();
    const int inaltime = heightForWidth(width());
    if (inaltime > height())
        resize(width(), inaltime);
}

void TCalibrareForm::Confirma()
{
    const TCorectieImprimanta c = Calculeaza();
    SalveazaCorectieImprimanta(ImprimantaCurenta(), c);
    accept();
}
