#include "entry/UDialogInregistrare.h"

#include "entry/UEditorGenericComplex.h"
#include "platform/UActiune.h"
#include "platform/UForme.h"

#include "controls/UKivEditors.h"
#include "platform/UEroare.h"
#include "platform/UMesaje.h"
#include "print/UMachetaFormular.h"
#include "store/UDataModule.h"
#include "store/URezolvare.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

TDialogInregistrare::TDialogInregistrare(QWidget* parinte) : QDialog(parinte)
{
    auto* l = new QHBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    Stanga = new QVBoxLayout;
    Stanga->setContentsMargins(0, 0, 0, 0);
    Stanga->setSpacing(0);
    Editor = new TEditorGenericComplex(this);
    Stanga->addWidget(Editor, 1);
    l->addLayout(Stanga, 1);
    auto* dreapta = new QVBoxLayout;
    dreapta->setContentsMargins(6, 8, 8, 8);
    Ok = new QPushButton(QStringLiteral("Ok"), this);
    Ok->setObjectName(QStringLiteral("Ok"));
    Renunt = new QPushButton(QStringLiteral("Renunt"), this);
    Renunt->setObjectName(QStringLiteral("Renunt"));
    dreapta->addWidget(Ok);
    dreapta->addWidget(Renunt);
    dreapta->addStretch();
    l->addLayout(dreapta);
    // Enter is handled below, never by a default button.
    Ok->setAutoDefault(false);
    Renunt->setAutoDefault(false);
    connect(Ok, &QPushButton::clicked, this, [this] { RuleazaActiune(this, [this] { Salveaza(); }); });
    connect(Renunt, &QPushButton::clicked, this, &TDialogInregistrare::reject);
}

namespace {
// What an entry shows: its text, or the state of a box.
QString TextulIntrarii(const QWidget* w)
{
    if (const auto* linie = qobject_cast<const QLineEdit*>(w))
        return linie->text();
    if (const auto* lista = qobject_cast<const QComboBox*>(w))
        return lista->currentText();
    if (const auto* kiv = qobject_cast<const TKivCustomTextEdit*>(w))
        return kiv->Text();
    if (const auto* buton = qobject_cast<const QAbstractButton*>(w))
        return QString::number(buton->isChecked());
    return {};
}
} // namespace

QStringList TDialogInregistrare::TexteIntrari() const
{
    QStringList texte;
    for (const QWidget* w : m_ordineTab) {
        if (w != Ok && w != Renunt)
            texte << TextulIntrarii(w);
    }
    return texte;
}

bool TDialogInregistrare::ConfirmaCampurileGoale()
{
    QHash<QString, QString> valori;
    QHash<QString, TEditorGeneric*> editori;
    for (TEditorGeneric* e : std::as_const(Editor->Editori)) {
        const QString cheie = UnesteCheie({e->CodFormular, e->CodPagina, e->CodCamp});
        valori.insert(cheie, TextulIntrarii(e->focusProxy() ? e->focusProxy() : e));
        editori.insert(cheie, e);
    }
    QHash<QString, TProfilCamp> profil;
    {
        TDM& dm = ModululDeDate();
        const TGardaCitire citire(dm.Tr);
        profil = ProfilulCampurilor(dm);
    }
    QStringList goale;
    try {
        goale = CampuriGoaleTiparite(MachetaCertificat(), profil, valori);
    } catch (const EEroare&) {
        // A layout that cannot be read is reported when printing; it never keeps a record from being saved.
        return true;
    }
    if (goale.isEmpty())
        return true;
    // Named, and the first one focused, in the order Tab visits the entries.
    const auto pozitie = [&](const QString& cheie) {
        TEditorGeneric* e = editori.value(cheie);
        return m_ordineTab.indexOf(e->focusProxy() ? e->focusProxy() : e);
    };
    std::stable_sort(goale.begin(), goale.end(),
                     [&](const QString& a, const QString& b) { return pozitie(a) < pozitie(b); });
    QStringList etichete;
    for (const QString& cheie : std::as_const(goale))
        etichete << u'"' + editori.value(cheie)->RzLabel1->text().trimmed() + u'"';
    QString text;
    if (etichete.size() == 1) {
        text = QStringLiteral("Campul %1 este gol. Salvez oricum?").arg(etichete.first());
    } else {
        const QString ultima = etichete.takeLast();
        text = QStringLiteral("Campurile %1 si %2 sunt goale. Salvez oricum?").arg(etichete.join(u", "), ultima);
    }
    if (TMesaje::Intreaba(this, text))
        return true;
    TEditorGeneric* primul = editori.value(goale.first());
    (primul->focusProxy() ? primul->focusProxy() : primul)->setFocus(Qt::OtherFocusReason);
    return false;
}

bool TDialogInregistrare::Modificat() const
{
    return m_afisat && TexteIntrari() != m_texteLaDeschidere;
}

void TDialogInregistrare::reject()
{
    if (isVisible() && Modificat() && !TMesaje::Intreaba(this, QStringLiteral("Renuntati la datele scrise?")))
        return;
    QDialog::reject();
}

void TDialogInregistrare::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        if (e->modifiers() & Qt::ControlModifier) {
            Ok->click();
        } else if (auto* buton = qobject_cast<QPushButton*>(focusWidget())) {
            buton->click();
        } else {
            focusNextPrevChild(true);
        }
        return;
    }
    QDialog::keyPressEvent(e);
}

void TDialogInregistrare::SeteazaOrdineTab(const QList<QWidget*>& inainte)
{
    m_ordineTab = inainte;
    m_ordineTab << Editor->IntrariInOrdine() << Ok << Renunt;
}

bool TDialogInregistrare::focusNextPrevChild(bool inainte)
{
    return MutaFocusul(m_ordineTab, inainte) || QDialog::focusNextPrevChild(inainte);
}

void TDialogInregistrare::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!m_afisat) {
        m_afisat = true;
        Editor->DupaAfisareToate();
        m_texteLaDeschidere = TexteIntrari();
        // The window opens with the caret in its first entry, not on the scroll area that holds the editors.
        if (!m_ordineTab.isEmpty())
            m_ordineTab.first()->setFocus(Qt::TabFocusReason);
    }
}
