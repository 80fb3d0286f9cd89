#include "print/UPrintTessaluna.h"

#include "platform/UActiune.h"
#include "platform/UEroare.h"
#include "platform/UForme.h"
#include "platform/UMesaje.h"
#include "print/UConstructieFormular.h"
#include "print/UDesene.h"
#include "print/UFormularDePrintat.h"
#include "print/UFormulareTiparite.h"
#include "print/UImprimanta.h"
#include "print/UInsertPaper.h"
#include "print/UMachetaFormular.h"
#include "print/UMachetaNefolosibila.h"
#include "print/UMachetaProprie.h"
#include "print/UEditorMacheta.h"
#include "profile/UProfil.h"
#include "print/UFontFormular.h"
#include "print/UHandlere.h"
#include "print/UFormularTextArea.h"
#include "print/UPaginaRandata.h"
#include "print/USetariImprimare.h"
#include "print/UTiparireClasa.h"
#include "print/UTragereMacheta.h"
#include "print/UTipaririElev.h"
#include "settings/UTextRomanesc.h"
#include "store/UDataModule.h"
#include "store/UTipariri.h"

#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <QLocale>
#include <QScopeGuard>
#include <QShortcut>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
// The print job's title for a side.
QString TitluLucrare(int parte)
{
    return parte == 0 ? QStringLiteral("Diploma de examen national - fata")
                      : QStringLiteral("Diploma de examen national - verso");
}
} // namespace

TTemplate::TTemplate(QWidget* parinte) : QDialog(parinte, Qt::Window)
{
    CentreazaForma(this);
}

TPrintTessalunaForm::TPrintTessalunaForm(QWidget* parinte) : TTemplate(parinte)
{
    setObjectName(QStringLiteral("PrintTessalunaForm"));
    setWindowTitle(QStringLiteral("Vizualizare inaintea imprimarii"));
    resize(1000, 700);

    Formular = std::make_shared<TFormularRandat>(MachetaCertificat(), this);
    const QList<TFormularDePrintat*> pagini = ConstruiesteFormular(MachetaCertificat(), this, Formular);
    FormularDePrintat1 = pagini.value(0);
    if (FormularDePrintat1)
        for (TFormularTextArea* z : FormularDePrintat1->Zone())
            z->installEventFilter(this);

    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    auto* bara = new QToolBar(this);
    bara->setObjectName(QStringLiteral("BaraUnelte"));
    auto buton = [&](const QString& text) {
        auto* b = new QPushButton(text, bara);
        b->setObjectName(text);
        b->setAutoDefault(false);
        bara->addWidget(b);
        return b;
    };
    Tipareste = buton(QStringLiteral("Tipareste"));
    Tipareste->setIcon(DesenButonTiparire());
    Mareste = buton(QStringLiteral("Mareste"));
    Micsoreaza = buton(QStringLiteral("Micsoreaza"));
    bara->addSeparator();
    Verifica = buton(QStringLiteral("Verifica"));
    SalveazaPdf = buton(QStringLiteral("Salveaza PDF"));
    SalveazaPdf->setObjectName(QStringLiteral("SalveazaPdf"));
    Tipariri = buton(QStringLiteral("Tipariri"));
    bara->addSeparator();
    MachetaInitiala = buton(QStringLiteral("Macheta initiala"));
    MachetaInitiala->setObjectName(QStringLiteral("MachetaInitiala"));
    ExportaMacheta = buton(QStringLiteral("Exporta macheta"));
    ExportaMacheta->setObjectName(QStringLiteral("ExportaMacheta"));
    ImportaMacheta = buton(QStringLiteral("Importa macheta"));
    ImportaMacheta->setObjectName(QStringLiteral("ImportaMacheta"));
    Macheta = buton(QStringLiteral("Macheta"));
    Macheta->setCheckable(true);
    // Arrows move by 0.1 mm, with Shift by 1 mm; with Alt they resize; undo and redo.
    struct TTasta
    {
        QKeySequence Secventa;
        double Dx, Dy;
        bool Marime;
    };
    const QList<TTasta> taste = {
        {Qt::Key_Left, -0.1, 0, false},
        {Qt::Key_Right, 0.1, 0, false},
        {Qt::Key_Up, 0, -0.1, false},
        {Qt::Key_Down, 0, 0.1, false},
        {Qt::SHIFT | Qt::Key_Left, -1, 0, false},
        {Qt::SHIFT | Qt::Key_Right, 1, 0, false},
        {Qt::SHIFT | Qt::Key_Up, 0, -1, false},
        {Qt::SHIFT | Qt::Key_Down, 0, 1, false},
        {Qt::ALT | Qt::Key_Left, -0.1, 0, true},
        {Qt::ALT | Qt::Key_Right, 0.1, 0, true},
        {Qt::ALT | Qt::Key_Up, 0, -0.1, true},
        {Qt::ALT | Qt::Key_Down, 0, 0.1, true},
    };
    for (const TTasta& t : taste) {
        auto* s = new QShortcut(t.Secventa, this);
        connect(s, &QShortcut::activated, this, [this, t] {
            if (t.Marime)
                m_editor->Redimensioneaza(t.Dx, t.Dy);
            else
                m_editor->Muta(t.Dx, t.Dy);
            ArataEditarea();
        });
        m_taste << s;
    }
    for (const auto& [secventa, anuleaza] :
         {std::pair{QKeySequence(QKeySequence::Undo), true}, std::pair{QKeySequence(QKeySequence::Redo), false}}) {
        auto* s = new QShortcut(secventa, this);
        connect(s, &QShortcut::activated, this, [this, anuleaza] {
            anuleaza ? m_editor->Anuleaza() : m_editor->Reface();
            ArataEditarea();
        });
        m_taste << s;
    }
    for (QShortcut* s : std::as_const(m_taste))
        s->setEnabled(false);
    l->addWidget(bara);

    Pagini = new QTabWidget(this);
    Pagini->setObjectName(QStringLiteral("Pagini"));
    ScrollFata = new QScrollArea(Pagini);
    ScrollFata->setObjectName(QStringLiteral("ScrollFata"));
    ScrollFata->setFrameShape(QFrame::NoFrame);
    ScrollFata->setWidgetResizable(false);
    ScrollFata->horizontalScrollBar()->setTracking(true);
    ScrollFata->verticalScrollBar()->setTracking(true);
    if (FormularDePrintat1)
        ScrollFata->setWidget(FormularDePrintat1);
    Pagini->addTab(ScrollFata, QStringLiteral("Fata"));
    m_mouse = std::make_unique<TTragereMacheta>(ScrollFata->viewport(), [this] { ArataEditarea(); });
    auto* mijloc = new QHBoxLayout;
    mijloc->addWidget(Pagini, 1);
    // The side panel of edit mode: its commands, then the selected area's values. Narrow, so that the page keeps
    // most of a small screen.
    PanouZona = new QWidget(this);
    PanouZona->setObjectName(QStringLiteral("PanouZona"));
    PanouZona->setMaximumWidth(330);
    auto* panouMacheta = new QVBoxLayout(PanouZona);
    auto* comenzi = new QGridLayout;
    auto butonPanou = [&](const QString& text, const QString& nume, int rand, int coloana) {
        auto* b = new QPushButton(text, PanouZona);
        b->setObjectName(nume);
        b->setAutoDefault(false);
        b->setEnabled(false);
        comenzi->addWidget(b, rand, coloana);
        return b;
    };
    AdaugaZona = butonPanou(QStringLiteral("Adauga zona"), QStringLiteral("AdaugaZona"), 0, 0);
    StergeZona = butonPanou(QStringLiteral("Sterge zona"), QStringLiteral("StergeZona"), 0, 1);
    FundalScanat = butonPanou(QStringLiteral("Fundal scanat"), QStringLiteral("FundalScanat"), 1, 0);
    SalveazaMacheta = butonPanou(QStringLiteral("Salveaza macheta"), QStringLiteral("SalveazaMacheta"), 1, 1);
    panouMacheta->addLayout(comenzi);
    CampuriZona = new QWidget(PanouZona);
    panouMacheta->addWidget(CampuriZona);
    panouMacheta->addStretch();
    auto* panou = new QFormLayout(CampuriZona);
    panou->setContentsMargins(0, 0, 0, 0);
    panou->setRowWrapPolicy(QFormLayout::WrapLongRows);
    auto camp = [&](auto* w, const QString& nume, const QString& eticheta) {
        w->setObjectName(nume);
        panou->addRow(eticheta, w);
        return w;
    };
    ZonaCheie = camp(new QComboBox(CampuriZona), QStringLiteral("ZonaCheie"), QStringLiteral("Campul"));
    ZonaCheie->addItem(QStringLiteral("(fara camp)"), QString());
    {
        const QList<TLinieProfilDiploma> linii = ProfilPentruMacheta();
        QStringList etichete;
        for (const TLinieProfilDiploma& linie : linii) {
            const TEticheta e = CitesteEticheta(linie.ETICHETA_EDITOR);
            etichete << (e.Parte.isEmpty() ? e.Eticheta : QStringLiteral("%1 (%2)").arg(e.Eticheta, e.Parte));
        }
        // Two fields of one label (a certificate field labelled as the stub's it repeats) are told apart by code.
        for (int i = 0; i < linii.size(); ++i)
            ZonaCheie->addItem(etichete.count(etichete[i]) > 1
                                   ? QStringLiteral("%1 - %2").arg(etichete[i], linii[i].COD_CAMP)
                                   : etichete[i],
                               linii[i].COD_FORMULAR + u'.' + linii[i].COD_PAGINA + u'.' + linii[i].COD_CAMP);
    }
    ZonaPozitie =
        camp(new QLineEdit(CampuriZona), QStringLiteral("ZonaPozitie"), QStringLiteral("De la caracterul (gol: tot)"));
    ZonaNumar =
        camp(new QLineEdit(CampuriZona), QStringLiteral("ZonaNumar"), QStringLiteral("Numar de caractere (gol: unul)"));
    ZonaFont = camp(new QComboBox(CampuriZona), QStringLiteral("ZonaFont"), QStringLiteral("Font"));
    ZonaAliniere = camp(new QComboBox(CampuriZona), QStringLiteral("ZonaAliniere"), QStringLiteral("Aliniere"));
    ZonaAliniere->addItem(QStringLiteral("stanga"), int(taLeftJustify));
    ZonaAliniere->addItem(QStringLiteral("centru"), int(taCenter));
    ZonaAliniere->addItem(QStringLiteral("dreapta"), int(taRightJustify));
    ZonaStanga = camp(new QLineEdit(CampuriZona), QStringLiteral("ZonaStanga"), QStringLiteral("Stanga (mm)"));
    ZonaSus = camp(new QLineEdit(CampuriZona), QStringLiteral("ZonaSus"), QStringLiteral("Sus (mm)"));
    ZonaLatime = camp(new QLineEdit(CampuriZona), QStringLiteral("ZonaLatime"), QStringLiteral("Latime (mm)"));
    ZonaInaltime = camp(new QLineEdit(CampuriZona), QStringLiteral("ZonaInaltime"), QStringLiteral("Inaltime (mm)"));
    ZonaAplica = new QPushButton(QStringLiteral("Aplica"), CampuriZona);
    ZonaAplica->setObjectName(QStringLiteral("ZonaAplica"));
    ZonaAplica->setAutoDefault(false);
    panou->addRow(ZonaAplica);
    PanouZona->hide();
    mijloc->addWidget(PanouZona);
    l->addLayout(mijloc, 1);

    auto* jos = new QHBoxLayout;
    jos->setContentsMargins(8, 4, 8, 8);
    Iesire = new QPushButton(QStringLiteral("Iesire"), this);
    Iesire->setObjectName(QStringLiteral("Iesire"));
    Iesire->setAutoDefault(false);
    jos->addStretch();
    jos->addWidget(Iesire);
    l->addLayout(jos);

    setWindowState(windowState() | Qt::WindowMaximized);

    connect(Tipareste, &QPushButton::clicked, this, [this] { RuleazaActiune(this, [this] { RuleazaTiparirea(); }); });
    connect(Mareste, &QPushButton::clicked, this, [this] { MaresteZoom(); });
    connect(Micsoreaza, &QPushButton::clicked, this, [this] { MicsoreazaZoom(); });
    connect(Iesire, &QPushButton::clicked, this, &QDialog::reject);
    connect(Verifica, &QPushButton::clicked, this,
            [this] { RuleazaActiune(this, [this] { VerificaInainteDeTiparire(); }); });
    connect(SalveazaPdf, &QPushButton::clicked, this, [this] {
        RuleazaActiune(this, [this] {
            const bool cuFundal = TMesaje::Intreaba(
                this, QStringLiteral("Includeti in PDF si desenul formularului (o copie de arhiva)?\n"
                                     "Fara desen, PDF-ul se poate tipari pe un formular necompletat."));
            ::SalveazaPdf(this, {TElevDeTiparit{IdElev, DenumireElev}}, cuFundal);
        });
    });
    connect(MachetaInitiala, &QPushButton::clicked, this, [this] {
        RuleazaActiune(this, [this] {
            if (!MachetaProprieFolosita()) {
                TMesaje::Informeaza(this, QStringLiteral("Se foloseste deja macheta initiala."));
                return;
            }
            if (!TMesaje::Intreaba(this, QStringLiteral("Reveniti la macheta initiala? Macheta scolii se pastreaza "
                                                        "alaturi, in %1.anterioara")
                                             .arg(QDir::toNativeSeparators(CaleMachetaProprie()))))
                return;
            RevinoLaMachetaInitiala();
            ArataMacheta();
        });
    });
    connect(ExportaMacheta, &QPushButton::clicked, this, [this] {
        RuleazaActiune(this, [this] {
            const QString cale = TMesaje::CereFisierDeScris(this, QStringLiteral("Exporta macheta"),
                                                            QStringLiteral("macheta_certificat.json"),
                                                            QStringLiteral("Macheta (*.json)"));
            if (cale.isEmpty())
                return;
            ::ExportaMacheta(cale);
            TMesaje::Informeaza(this,
                                QStringLiteral("Macheta a fost scrisa in %1").arg(QDir::toNativeSeparators(cale)));
        });
    });
    connect(ImportaMacheta, &QPushButton::clicked, this, [this] {
        RuleazaActiune(this, [this] {
            const QString cale = TMesaje::CereFisierDeCitit(this, QStringLiteral("Importa macheta"), QString(),
                                                            QStringLiteral("Macheta (*.json)"));
            if (cale.isEmpty())
                return;
            ::ImportaMacheta(cale);
            ArataMacheta();
        });
    });
    connect(Macheta, &QPushButton::clicked, this,
            [this](bool activ) { RuleazaActiune(this, [this, activ] { SeteazaModEditare(activ); }); });
    connect(AdaugaZona, &QPushButton::clicked, this, [this] {
        m_editor->AdaugaZona();
        ArataEditarea();
    });
    connect(StergeZona, &QPushButton::clicked, this, [this] {
        m_editor->StergeZone();
        ArataEditarea();
    });
    connect(FundalScanat, &QPushButton::clicked, this, [this] {
        RuleazaActiune(this, [this] {
            const QString cale = TMesaje::CereFisierDeCitit(this, QStringLiteral("Formularul scanat"), QString(),
                                                            QStringLiteral("Formular scanat (*.png *.pdf)"));
            if (cale.isEmpty())
                return;
            m_editor->SeteazaFundal(PastreazaFundal(cale));
            ArataMacheta(m_editor->Macheta());
            ArataPanoul();
        });
    });
    connect(ZonaAplica, &QPushButton::clicked, this, [this] { RuleazaActiune(this, [this] { AplicaPanoul(); }); });
    // Enter in any of the panel's boxes applies it, as the button does.
    for (QLineEdit* e : {ZonaPozitie, ZonaNumar, ZonaStanga, ZonaSus, ZonaLatime, ZonaInaltime})
        connect(e, &QLineEdit::returnPressed, ZonaAplica, &QPushButton::click);
    connect(SalveazaMacheta, &QPushButton::clicked, this, [this] {
        RuleazaActiune(this, [this] {
            SalveazaMachetaProprie(m_editor->Macheta());
            TMesaje::Informeaza(this, QStringLiteral("Macheta scolii a fost salvata."));
        });
    });
    connect(Tipariri, &QPushButton::clicked, this, [this] {
        RuleazaActiune(this, [this] {
            TTipaririElevForm lista(IdElev, DenumireElev, this);
            lista.exec();
        });
    });
}

TPrintTessalunaForm::~TPrintTessalunaForm() = default;

void TPrintTessalunaForm::ArataMacheta()
{
    ArataMacheta(MachetaCertificat());
}

void TPrintTessalunaForm::ArataMacheta(const TMachetaFormular& macheta)
{
    const double zoom = FormularDePrintat1 ? FormularDePrintat1->Zoom() : 100;
    // The new page shows the same part of the sheet: an edit that rebuilds it never scrolls the user away.
    const QPoint derulare(ScrollFata->horizontalScrollBar()->value(), ScrollFata->verticalScrollBar()->value());
    // The old page's views go first, then the fonts they name, then the model.
    delete ScrollFata->takeWidget();
    FormularDePrintat1 = nullptr;
    for (TFontFormular* font : findChildren<TFontFormular*>(Qt::FindDirectChildrenOnly))
        delete font;
    Formular = std::make_shared<TFormularRandat>(macheta, this);
    FormularDePrintat1 = ConstruiesteFormular(macheta, this, Formular).value(0);
    if (!FormularDePrintat1)
        return;
    ScrollFata->setWidget(FormularDePrintat1);
    if (IdElev > 0)
        CompleteazaPaginile(this, IdElev, DenumireElev);
    FormularDePrintat1->SetZoom(zoom);
    ScrollFata->horizontalScrollBar()->setValue(derulare.x());
    ScrollFata->verticalScrollBar()->setValue(derulare.y());
    for (TFormularTextArea* z : FormularDePrintat1->Zone())
        z->installEventFilter(this);
    m_mouse->Pregateste(*FormularDePrintat1, ModEditare());
    if (m_editor) {
        for (int i : m_editor->Selectie())
            if (i < FormularDePrintat1->Zone().size())
                FormularDePrintat1->Zone().at(i)->SetSemnalata(true);
    }
}

void TPrintTessalunaForm::SeteazaModEditare(bool activ)
{
    // The buttons show the mode the window is in, also when saving was refused and edit mode stays.
    const auto stare = qScopeGuard([this] {
        const bool mod = ModEditare();
        Macheta->setChecked(mod);
        for (QPushButton* b : {AdaugaZona, StergeZona, SalveazaMacheta, FundalScanat})
            b->setEnabled(mod);
        for (QShortcut* s : std::as_const(m_taste))
            s->setEnabled(mod);
        PanouZona->setVisible(mod);
        ArataPanoul();
    });
    if (activ == ModEditare())
        return;
    if (activ) {
        m_editor = std::make_unique<TEditorMacheta>(MachetaCertificat());
    } else {
        const bool schimbata = !(m_editor->Macheta() == MachetaCertificat());
        if (schimbata && TMesaje::Intreaba(this, QStringLiteral("Salvati macheta modificata?")))
            SalveazaMachetaProprie(m_editor->Macheta()); // refused: stays in edit mode with the message
        m_editor.reset();
        ArataMacheta();
    }
    if (FormularDePrintat1) {
        for (TFormularTextArea* z : FormularDePrintat1->Zone())
            z->SetSemnalata(false);
        m_mouse->Pregateste(*FormularDePrintat1, ModEditare());
    }
}

void TPrintTessalunaForm::ArataEditarea()
{
    if (!m_editor || !FormularDePrintat1)
        return;
    const QList<TMachetaZona>& zone = m_editor->Zone();
    TPaginaRandata& model = FormularDePrintat1->Model();
    bool peLoc = zone.size() == model.Zone.size();
    for (int k = 0; peLoc && k < zone.size(); ++k)
        peLoc = zone[k].Name == model.Zone[k].Name && zone[k].Denumire1 == model.Zone[k].Denumire1 &&
                zone[k].Denumire2 == model.Zone[k].Denumire2 && zone[k].Denumire3 == model.Zone[k].Denumire3;
    if (!peLoc) {
        ArataMacheta(m_editor->Macheta());
        ArataPanoul();
        return;
    }
    const QList<TFormularTextArea*> vederi = FormularDePrintat1->Zone();
    for (int k = 0; k < zone.size(); ++k) {
        const TMachetaZona& z = zone[k];
        model.Zone[k].Mm = QRectF(z.Left, z.Top, z.Width, z.Height);
        model.Zone[k].TopProiectat = z.Top;
        model.Zone[k].Aliniere = z.Alignment;
        vederi[k]->ZoomChanged();
        vederi[k]->SetSemnalata(m_editor->Selectie().contains(k));
    }
    ArataPanoul();
}

void TPrintTessalunaForm::ArataPanoul()
{
    const bool are = m_editor && !m_editor->Selectie().isEmpty();
    CampuriZona->setEnabled(are);
    if (!are)
        return;
    const TMachetaZona& z =
        m_editor->Zone().at(*std::min_element(m_editor->Selectie().begin(), m_editor->Selectie().end()));
    ZonaCheie->setCurrentIndex(qMax(0, ZonaCheie->findData(z.Denumire1)));
    ZonaPozitie->setText(z.Denumire2);
    ZonaNumar->setText(z.Denumire3);
    ZonaFont->clear();
    for (const TMachetaFont& f : m_editor->Macheta().Fonturi)
        ZonaFont->addItem(f.DescrierePentruEditor.isEmpty() ? f.Name : f.DescrierePentruEditor, f.Name);
    ZonaFont->setCurrentIndex(ZonaFont->findData(z.Font));
    ZonaAliniere->setCurrentIndex(ZonaAliniere->findData(int(z.Alignment)));
    const QLocale ro(QLocale::Romanian, QLocale::Romania);
    auto mm = [&ro](double v) { return ro.toString(v, 'f', 3); };
    ZonaStanga->setText(mm(z.Left));
    ZonaSus->setText(mm(z.Top));
    ZonaLatime->setText(mm(z.Width));
    ZonaInaltime->setText(mm(z.Height));
}

void TPrintTessalunaForm::AplicaPanoul()
{
    if (!m_editor || m_editor->Selectie().isEmpty())
        return;
    const int index = *std::min_element(m_editor->Selectie().begin(), m_editor->Selectie().end());
    TMachetaZona z = m_editor->Zone().at(index);
    double valori[4] = {};
    const QLineEdit* edituri[4] = {ZonaStanga, ZonaSus, ZonaLatime, ZonaInaltime};
    for (int i = 0; i < 4; ++i) {
        if (!CitesteMm(edituri[i]->text(), valori[i])) {
            TMesaje::Avertizeaza(this, QStringLiteral("\"%1\" nu este un numar de milimetri").arg(edituri[i]->text()));
            return;
        }
    }
    // A value shown to a thousandth and not retyped keeps the area's exact millimetres.
    double* tinte[4] = {&z.Left, &z.Top, &z.Width, &z.Height};
    for (int i = 0; i < 4; ++i)
        if (qAbs(*tinte[i] - valori[i]) >= 0.0005)
            *tinte[i] = valori[i];
    z.Denumire1 = ZonaCheie->currentData().toString();
    z.Denumire2 = ZonaPozitie->text().trimmed();
    z.Denumire3 = ZonaNumar->text().trimmed();
    z.Font = ZonaFont->currentData().toString();
    z.Alignment = TAlignment(ZonaAliniere->currentData().toInt());
    m_editor->Modifica(index, z);
    ArataEditarea();
}

bool TPrintTessalunaForm::eventFilter(QObject* obiect, QEvent* e)
{
    // In edit mode the mouse selects, moves and resizes areas instead of opening their corrections.
    if (auto* zona = qobject_cast<TFormularTextArea*>(obiect);
        zona && m_editor && FormularDePrintat1 && m_mouse->Trateaza(*m_editor, *FormularDePrintat1, zona, e))
        return true;
    return TTemplate::eventFilter(obiect, e);
}

int TPrintTessalunaForm::Parte() const
{
    return Pagini->currentIndex();
}

void TPrintTessalunaForm::MaresteZoom()
{
    if (Parte() == 0 && FormularDePrintat1)
        FormularDePrintat1->SetZoom(FormularDePrintat1->Zoom() * 1.1);
}

void TPrintTessalunaForm::MicsoreazaZoom()
{
    if (Parte() == 0 && FormularDePrintat1)
        FormularDePrintat1->SetZoom(FormularDePrintat1->Zoom() * 0.9090909090909091);
}

void TPrintTessalunaForm::RuleazaTiparirea()
{
    // What prints is the saved layout, so edit mode is left (with its question) first.
    SeteazaModEditare(false);
    if (ModEditare())
        return;
    if (!ImprimantaConfigurata(this))
        return;
    TAllStuffReg setari;
    const int parte = Parte();
    // Only the front is a new blank; the back is printed on the sheet that holds the front already.
    if (parte == 0 && IdElev > 0 && !PregatesteFormulare(this, {TElevDeTiparit{IdElev, DenumireElev}}))
        return;
    const TRezultatInserare r = CereFoaia(setari, parte);
    if (!r.Ok)
        return;
    QString destinatie;
    const QStringList taiate = TiparesteParte(parte, r.Oglinda, r.Stanga, r.Sus, &destinatie);
    QString formulare;
    if (!destinatie.isEmpty() && IdElev > 0) {
        const QString titlu = TitluLucrare(parte);
        InregistreazaLucrarea(this,
                              {TTiparire{IdElev, DenumireElev, QDateTime::currentDateTime(), destinatie, 0, 1, titlu,
                                         true, r.Stanga, r.Sus, r.Oglinda}},
                              r, &formulare);
    }
    if (!formulare.isEmpty())
        TMesaje::Informeaza(this, QStringLiteral("Diploma s-a tiparit pe formularul %1.").arg(formulare));
    if (!taiate.isEmpty())
        TMesaje::Avertizeaza(this, QStringLiteral("Textul nu incape in campurile: %1. S-a tiparit micsorat la "
                                                  "minimum si taiat; scurtati-l in corecturile campului.")
                                       .arg(taiate.join(QStringLiteral(", "))));
}

QStringList TPrintTessalunaForm::TiparesteParte(int parte, bool oglinda, double stanga, double sus, QString* destinatie)
{
    PregatesteImprimanta(false);
    TDocumentTiparit document(this, TitluLucrare(parte));
    if (!document.Inceput())
        return {};
    if (destinatie)
        *destinatie = document.FisierPdf().isEmpty() ? ImprimantaCurenta() : document.FisierPdf();
    if (parte != 0 || !FormularDePrintat1)
        return {};
    return FormularDePrintat1->PrintTextAreas(document.Painter(),
                                              TParametriTiparire{stanga, sus, oglinda, document.Corectie()});
}

int TPrintTessalunaForm::VerificaInainteDeTiparire()
{
    if (!FormularDePrintat1)
        return 0;
    const QList<TProblemaZona> probleme = VerificaPagina(FormularDePrintat1->PaginaRandata());
    for (TFormularTextArea* z : FormularDePrintat1->Zone())
        z->SetSemnalata(false);
    QStringList randuri;
    for (const TProblemaZona& p : probleme) {
        // An empty field is outlined in every area of its key (all the digit boxes of a code).
        for (TFormularTextArea* z : FormularDePrintat1->Zone()) {
            if (z->objectName() == p.Zona || (p.Fel == TProblemaZona::Gol && z->Denumire1() == p.Cheie))
                z->SetSemnalata(true);
        }
        randuri << DescriereProblema(p);
    }
    {
        // A year the blank cannot hold after its printed "200", named with the student.
        TDM& dm = ModululDeDate();
        const TGardaCitire citire(dm.Tr);
        QStringList ani;
        for (TFormularTextArea* z : FormularDePrintat1->Zone()) {
            if (!ZonaAnDupa200(z->Denumire1(), z->Denumire2()))
                continue;
            const TCheieCamp c = DesparteCheie(z->Denumire1());
            const QString an = ProblemaAnPeFormular(dm.ValoareCamp(c.Formular, c.Pagina, c.Camp, IdElev));
            z->SetSemnalata(z->Semnalata() || !an.isEmpty());
            if (!an.isEmpty() && !ani.contains(an))
                ani << an;
        }
        for (const QString& an : std::as_const(ani))
            randuri << DenumireElev + QStringLiteral(": ") + an;
    }
    if (randuri.isEmpty())
        TMesaje::Informeaza(this, QStringLiteral("Nu am gasit nimic care sa se tipareasca gresit."));
    else
        TMesaje::Avertizeaza(this, QStringLiteral("Campurile marcate cu rosu s-ar tipari gresit:\n") +
                                       randuri.join(QLatin1Char('\n')));
    return int(randuri.size());
}

THandlerTessaluna::THandlerTessaluna()
{
    Titlu = QStringLiteral("Tessaluna");
}

QDialog* THandlerTessaluna::CreeazaFormular(QWidget* proprietar)
{
    if (!AsiguraMacheta(proprietar))
        return nullptr;
    return new TPrintTessalunaForm(proprietar);
}

void InregistreazaHandlerTessaluna()
{
    ListaHandlere().AdaugaHandler(std::make_unique<THandlerTessaluna>());
}
