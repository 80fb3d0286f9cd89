#include "entry/UDialogInregistrare.h"

#include "entry/UEditorGenericComplex.h"
#include "platform/UActiune.h"
#include "platform/UForme.h"

#include "controls/UKivEditors.h"
#include "platform/UMesaje.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

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

QStringList TDialogInregistrare::TexteIntrari() const
{
    QStringList texte;
    for (const QWidget* w : m_ordineTab) {
        if (w == Ok || w == Renunt)
            continue;
        if (const auto* linie = qobject_cast<const QLineEdit*>(w))
            texte << linie->text();
        else if (const auto* lista = qobject_cast<const QComboBox*>(w))
            texte << lista->currentText();
        else if (const auto* kiv = qobject_cast<const TKivCustomTextEdit*>(w))
            texte << kiv->Text();
        else if (const auto* buton = qobject_cast<const QAbstractButton*>(w))
            texte << QString::number(buton->isChecked());
        else
            texte << QString();
    }
    return texte;
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
