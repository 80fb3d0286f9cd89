#include "print/UInsertPaper.h"

#include "platform/UActiune.h"
#include "platform/UEroare.h"
#include "platform/UForme.h"
#include "platform/UMesaje.h"
#include "print/UDesene.h"
#include "print/USetariImprimare.h"
#include "store/UFormulare.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

TInsertPaperForm::TInsertPaperForm(QWidget* parinte) : QDialog(parinte)
{
    setObjectName(QStringLiteral("InsertPaperForm"));
    setWindowTitle(QStringLiteral("Introduceti diploma in imprimanta"));
    auto* l = new QHBoxLayout(this);
    auto* imagini = new QVBoxLayout;
    for (int i = 0; i < 6; ++i) {
        Imagini[i] = new QLabel(this);
        Imagini[i]->setObjectName(QStringLiteral("Imagine%1").arg(i + 1));
        Imagini[i]->setPixmap(i < 4 ? DesenInserare(i + 1) : DesenAlimentare(i - 3));
        Imagini[i]->setFrameShape(QFrame::Box);
        imagini->addWidget(Imagini[i]);
    }
    imagini->addStretch();
    l->addLayout(imagini);

    auto* dreapta = new QVBoxLayout;
    auto* text = new QLabel(
        QStringLiteral("Va rog sa introduceti diploma in imprimanta, asa cum apare in imaginea din stanga."), this);
    text->setWordWrap(true);
    dreapta->addWidget(text);
    auto camp = [&](const QString& eticheta, const QString& nume) {
        auto* e = new QLabel(eticheta, this);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(nume);
        e->setBuddy(edit);
        dreapta->addWidget(e);
        dreapta->addWidget(edit);
        return edit;
    };
    MargineStanga = camp(QStringLiteral("Margine stanga, in milimetri."), QStringLiteral("MargineStanga"));
    MargineSus = camp(QStringLiteral("Margine sus, in milimetri."), QStringLiteral("MargineSus"));
    Oglinda = new QCheckBox(QStringLiteral("Tiparesc imaginea in oglinda"), this);
    Oglinda->setObjectName(QStringLiteral("Oglinda"));
    Oglinda->setToolTip(QStringLiteral("Utilizati aceasta bifa pentru a va asigura\nca diploma NU se introduce in "
                                       "imprimanta\ncu cotorul inainte."));
    dreapta->addWidget(Oglinda);
    PanouFormular = new QWidget(this);
    auto* formular = new QGridLayout(PanouFormular);
    formular->setContentsMargins(0, 8, 0, 0);
    formular->addWidget(new QLabel(QStringLiteral("Primul formular din tava:"), PanouFormular), 0, 0, 1, 2);
    SerieFormular = new QLineEdit(PanouFormular);
    SerieFormular->setObjectName(QStringLiteral("SerieFormular"));
    NumarFormular = new QLineEdit(PanouFormular);
    NumarFormular->setObjectName(QStringLiteral("NumarFormular"));
    auto* eticheta = new QLabel(QStringLiteral("Seria"), PanouFormular);
    eticheta->setBuddy(SerieFormular);
    formular->addWidget(eticheta, 1, 0);
    formular->addWidget(SerieFormular, 1, 1);
    eticheta = new QLabel(QStringLiteral("Numarul"), PanouFormular);
    eticheta->setBuddy(NumarFormular);
    formular->addWidget(eticheta, 2, 0);
    formular->addWidget(NumarFormular, 2, 1);
    PanouFormular->hide();
    dreapta->addWidget(PanouFormular);
    dreapta->addStretch();
    auto* butoane = new QHBoxLayout;
    Ok = new QPushButton(QStringLiteral("Ok"), this);
    Ok->setObjectName(QStringLiteral("Ok"));
    Ok->setDefault(true);
    Renunt = new QPushButton(QStringLiteral("Renunt"), this);
    Renunt->setObjectName(QStringLiteral("Renunt"));
    butoane->addStretch();
    butoane->addWidget(Ok);
    butoane->addWidget(Renunt);
    dreapta->addLayout(butoane);
    l->addLayout(dreapta, 1);
    setMinimumWidth(520);

    connect(Oglinda, &QCheckBox::toggled, this, [this] { ArataImagineaInserarii(); });
    connect(Ok, &QPushButton::clicked, this, [this] { RuleazaActiune(this, [this] { Confirma(); }); });
    connect(Renunt, &QPushButton::clicked, this, &QDialog::reject);
}

void TInsertPaperForm::ArataImagineaInserarii()
{
    for (int i = 0; i < 4; ++i)
        Imagini[i]->hide();
    const int n = Oglinda->isChecked() ? m_imagineCuOglinda : m_imagineFaraOglinda;
    if (n >= 1 && n <= 4)
        Imagini[n - 1]->show();
}

void TInsertPaperForm::Confirma()
{
    // A margin that is not a number keeps the dialog open with the conversion's message.
    m_stanga = CitesteMilimetri(MargineStanga->text());
    m_sus = CitesteMilimetri(MargineSus->text());
    if (m_verificaFormular) {
        const QString motiv =
            m_verificaFormular(NormalizeazaSerie(SerieFormular->text()), CitesteNumarFormular(NumarFormular->text()));
        if (!motiv.isEmpty()) {
            TMesaje::Avertizeaza(this, motiv);
            return;
        }
    }
    accept();
}

TRezultatInserare TInsertPaperForm::ArataInserare(int parte, double stanga, double sus, bool parteOpusa,
                                                  int modAlimentare, const QString& oglindaAleasa)
{
    const int mod = modAlimentare;
    for (QLabel* imagine : Imagini)
        imagine->hide();
    m_imagineFaraOglinda = m_imagineCuOglinda = 0;
    struct TRand
    {
        const char* titlu;
        int fara, cu;
    };
    static const TRand tabel[2][2] = {{{"(1)", 3, 1}, {"(2)", 2, 4}}, {{"(3)", 2, 4}, {"(4)", 1, 3}}};
    if (parte == 0 || parte == 1) {
        const TRand& r = tabel[parte][parteOpusa ? 1 : 0];
        setWindowTitle(QString::fromLatin1(r.titlu));
        m_imagineFaraOglinda = r.fara;
        m_imagineCuOglinda = r.cu;
    }
    const bool alimentareSus = mod == 1 || mod == 3;
    Imagini[alimentareSus ? 4 : 5]->show();

    const QString& ales = oglindaAleasa;
    {
        const QSignalBlocker blocare(Oglinda);
        Oglinda->setChecked(ales != u"*" ? ales == u"D" : (parte == 1) != alimentareSus);
    }
    MargineStanga->setText(TextMilimetri(stanga));
    MargineSus->setText(TextMilimetri(sus));
    ArataImagineaInserarii();
    m_stanga = stanga;
    m_sus = sus;
    adjustSize();
    CentreazaForma(this);
    MargineStanga->setFocus();

    TRezultatInserare r;
    r.Ok = exec() == QDialog::Accepted;
    r.Oglinda = Oglinda->isChecked();
    r.Stanga = r.Ok ? m_stanga : stanga;
    r.Sus = r.Ok ? m_sus : sus;
    if (r.Ok && m_verificaFormular) {
        r.Serie = NormalizeazaSerie(SerieFormular->text());
        r.Numar = CitesteNumarFormular(NumarFormular->text());
    }
    m_verificaFormular = nullptr;
    PanouFormular->hide();
    return r;
}

void TInsertPaperForm::CereFormularul(const QString& serie, qint64 numar,
                                      std::function<QString(const QString&, qint64)> verifica)
{
    m_verificaFormular = std::move(verifica);
    SerieFormular->setText(serie);
    NumarFormular->setText(numar > 0 ? QString::number(numar) : QString());
    PanouFormular->show();
}

TInsertPaperForm& InsertPaperForm()
{
    static QPointer<TInsertPaperForm> forma;
    if (!forma)
        forma = new TInsertPaperForm;
    return *forma;
}

bool ImprimantaConfigurata(QWidget* parinte)
{
    const bool configurata = TSetariImprimare::Citite().Configurata;
    if (!configurata)
        TMesaje::Informeaza(parinte, QStringLiteral("Configureaza imprimanta"));
    return configurata;
}

TRezultatInserare CereFoaia(TSetariImprimare& setari, int parte)
{
    double& stanga = parte == 0 ? setari.MargineStangaFata : setari.MargineStangaVerso;
    double& sus = parte == 0 ? setari.MargineSusFata : setari.MargineSusVerso;
    const TRezultatInserare r = InsertPaperForm().ArataInserare(parte, stanga, sus, setari.ParteOpusa,
                                                                setari.ModAlimentare, setari.Oglinda(parte));
    setari.SeteazaOglinda(parte, r.Oglinda ? QStringLiteral("D") : QStringLiteral("N"));
    if (r.Ok) {
        stanga = r.Stanga;
        sus = r.Sus;
    }
    return r;
}
