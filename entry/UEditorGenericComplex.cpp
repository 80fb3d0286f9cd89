#include "entry/UEditorGenericComplex.h"

#include "entry/UEditoareCamp.h"
#include "entry/UValidare.h"
#include "platform/UEroare.h"
#include "profile/UProfil.h"
#include "store/UDataModule.h"
#include "store/UProfilDiploma.h"

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
const QColor Fundal(247, 246, 245);

QString DoarLitere(const QString& text)
{
    QString r;
    for (const QChar c : text) {
        if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))
            r += c.toLower();
    }
    return r;
}

// The tab caption broken into lines: a blank becomes a line break once more than ten characters are written.
QString CuRanduri(const QString& text)
{
    QString r;
    int scrise = 0;
    for (const QChar c : text) {
        if (c == u' ' && scrise > 10)
            r += u'\n';
        else
            r += c;
        ++scrise;
    }
    return r;
}
} // namespace

TFrmGrup::TFrmGrup(QWidget* parinte) : QFrame(parinte)
{
    setObjectName(QStringLiteral("FrmGrup"));
    setStyleSheet(QStringLiteral("TFrmGrup { border: 1px solid #b9c3d3; border-radius: 6px; background: #f7f6f5; }"));
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(4, 4, 4, 12);
    l->setSpacing(0);
    EtichetaGrup = new QLabel(this);
    EtichetaGrup->setObjectName(QStringLiteral("EtichetaGrup"));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(15);
    f.setBold(true);
    EtichetaGrup->setFont(f);
    EtichetaGrup->setStyleSheet(QStringLiteral("color: navy; border: none; background: transparent;"));
    EtichetaGrup->setFixedHeight(22);
    l->addWidget(EtichetaGrup);
    PanelSuport = new QWidget(this);
    PanelSuport->setObjectName(QStringLiteral("PanelSuport"));
    auto* s = new QVBoxLayout(PanelSuport);
    s->setContentsMargins(0, 0, 0, 0);
    s->setSpacing(0);
    s->addStretch();
    l->addWidget(PanelSuport, 1);
}

void TFrmGrup::Dimensioneaza()
{
    int inaltime = 0;
    for (QWidget* w : PanelSuport->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        inaltime += w->height();
    setFixedHeight(inaltime + EtichetaGrup->height() + 16);
}

TLinieGrupare::TLinieGrupare(QWidget* parinte) : QWidget(parinte)
{
    setFixedHeight(36);
}

void TLinieGrupare::Adauga(TEditorGeneric* editor)
{
    editor->setParent(this);
    editor->show();
    m_editori << editor;
    RecalculeazaLatimi();
}

void TLinieGrupare::RecalculeazaLatimi()
{
    QList<int> ponderi;
    for (TEditorGeneric* e : std::as_const(m_editori))
        ponderi << e->LatimeSugerata;
    const QList<int> latimi = LatimiLinie(contentsRect().width(), ponderi);
    int x = 0;
    for (int i = 0; i < m_editori.size(); ++i) {
        m_editori[i]->setGeometry(x, 0, latimi[i], height());
        x += latimi[i];
    }
}

void TLinieGrupare::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    RecalculeazaLatimi();
}

TEditorGenericComplex::TEditorGenericComplex(QWidget* parinte) : QWidget(parinte)
{
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    PC = new QTabWidget(this);
    PC->setObjectName(QStringLiteral("PC"));
    // Tab goes from editor to editor: the page control and its scroll boxes never hold the focus themselves
    // (with its tab strip hidden, the page control would keep Tab from ever leaving the last button).
    PC->setFocusPolicy(Qt::NoFocus);
    l->addWidget(PC);
}

void TEditorGenericComplex::AdaugaLaFinal(QWidget* container, QWidget* control)
{
    // Every container stacks its controls from the top, with a stretch kept last.
    auto* l = static_cast<QVBoxLayout*>(container->layout());
    l->insertWidget(l->count() - 1, control);
}

QWidget* TEditorGenericComplex::Tab(const QString& formular)
{
    const QString titlu = SeparaCuvinte(formular);
    const QString cautat = DoarLitere(titlu);
    QWidget* gasit = nullptr;
    for (int i = 0; i < PC->count(); ++i) {
        if (DoarLitere(PC->tabText(i)) == cautat)
            gasit = PC->widget(i);
    }
    if (gasit)
        return static_cast<QScrollArea*>(gasit)->widget();

    auto* defilare = new QScrollArea;
    defilare->setObjectName(QStringLiteral("Defilare"));
    defilare->setFrameShape(QFrame::NoFrame);
    defilare->setFocusPolicy(Qt::NoFocus);
    defilare->setWidgetResizable(true);
    defilare->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* continut = new QWidget;
    continut->setAutoFillBackground(true);
    QPalette p = continut->palette();
    p.setColor(QPalette::Window, Fundal);
    continut->setPalette(p);
    auto* l = new QVBoxLayout(continut);
    l->setContentsMargins(4, 4, 4, 4);
    l->setSpacing(4);
    l->addStretch();
    defilare->setWidget(continut);
    PC->addTab(defilare, CuRanduri(titlu));
    return continut;
}

QWidget* TEditorGenericComplex::Container(const QString& formular, const QString& grup, const QString& linie,
                                          TConstructie& c)
{
    QWidget* tab = Tab(formular);
    if (!linie.isEmpty()) {
        const QString cheie = (grup + u'.' + linie).toLower();
        if (TLinieGrupare* l = c.linii.value(cheie))
            return l;
        auto* l = new TLinieGrupare;
        AdaugaLaFinal(Container(formular, grup, QString(), c), l);
        c.linii.insert(cheie, l);
        return l;
    }
    if (!grup.isEmpty()) {
        for (TFrmGrup* g : std::as_const(c.grupuri)) {
            if (g->NumeGrup == grup)
                return g->PanelSuport;
        }
        auto* g = new TFrmGrup;
        g->NumeGrup = grup;
        g->EtichetaGrup->setText(grup);
        AdaugaLaFinal(tab, g);
        c.grupuri << g;
        return g->PanelSuport;
    }
    return tab;
}

void TEditorGenericComplex::Construieste(qint32 idElev, qint32 idInregistrare, const QString& tabel)
{
    TConstructie c;
    Editori.clear();
    TDM& dm = ModululDeDate();
    {
        const TGardaCitire citire(dm.Tr);
        for (const TRandProfil& r : RanduriProfilTabel(dm, tabel)) {
            const QString& tip = r.TIP_DE_DATE;
            const TEticheta eticheta = CitesteEticheta(r.ETICHETA_EDITOR);
            const int latime = r.LATIME_SUGERATA;
            const QString& linie = r.COD_LINIE;
            const bool areEditor =
                (!r.SimilarCuNul && r.SIMILAR_CU.isEmpty()) || r.OnorezSimilarNul || r.ONOREZ_SIMILAR != u"DA";
            if (areEditor) {
                TEditorGeneric* editor = CreeazaEditor(tip, this);
                if (!editor)
                    throw EEroare(QStringLiteral("Nu stiu afisa tipul de date %1").arg(tip));
                const QString& formular = r.COD_FORMULAR;
                QWidget* container = Container(formular, eticheta.Grup, linie, c);
                editor->RzLabel1->setText(eticheta.Eticheta);
                editor->Incarca(formular, r.COD_PAGINA, r.COD_CAMP, tabel, idElev, idInregistrare);
                Editori << editor;
                if (!linie.isEmpty()) {
                    editor->LatimeSugerata = latime;
                    static_cast<TLinieGrupare*>(container)->Adauga(editor);
                } else {
                    AdaugaLaFinal(container, editor);
                }
            }
        }
    }
    for (TFrmGrup* g : std::as_const(c.grupuri)) {
        g->PanelSuport->adjustSize();
        g->Dimensioneaza();
    }
    PC->setTabBarAutoHide(true);
    if (PC->count() > 0)
        PC->setCurrentIndex(0);
}

bool TEditorGenericComplex::PotSalvaToate()
{
    for (TEditorGeneric* e : std::as_const(Editori)) {
        if (!e->PotSalva())
            return false;
    }
    return true;
}

void TEditorGenericComplex::SalveazaToate(qint32 idElev, qint32 idInregistrare, const QString& tabel)
{
    if (!ModululDeDate().Tr.InTransaction())
        throw EEroare(QStringLiteral("Tranzactia trebuie sa fie DESCHISA in momentul in care salvez"));
    for (TEditorGeneric* e : std::as_const(Editori))
        e->Salveaza(idElev, idInregistrare, tabel);
}

void TEditorGenericComplex::DupaAfisareToate()
{
    for (TEditorGeneric* e : std::as_const(Editori))
        e->DupaAfisare();
}

namespace {
// The editors of a container in the order its layout stacks them: group frames and line panels opened.
void EditoriInOrdine(QWidget* container, QList<TEditorGeneric*>& editori)
{
    QLayout* l = container->layout();
    if (!l)
        return;
    for (int i = 0; i < l->count(); ++i) {
        QWidget* w = l->itemAt(i)->widget();
        if (auto* e = qobject_cast<TEditorGeneric*>(w))
            editori << e;
        else if (auto* g = qobject_cast<TFrmGrup*>(w))
            EditoriInOrdine(g->PanelSuport, editori);
        else if (auto* linie = qobject_cast<TLinieGrupare*>(w))
            editori << linie->Editori();
    }
}
} // namespace

QList<QWidget*> TEditorGenericComplex::IntrariInOrdine()
{
    QList<TEditorGeneric*> editori;
    for (int i = 0; i < PC->count(); ++i)
        EditoriInOrdine(static_cast<QScrollArea*>(PC->widget(i))->widget(), editori);
    QList<QWidget*> intrari;
    for (TEditorGeneric* e : std::as_const(editori))
        intrari << (e->focusProxy() ? e->focusProxy() : e);
    return intrari;
}
