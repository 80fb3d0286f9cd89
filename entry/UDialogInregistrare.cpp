#include "entry/UDialogInregistrare.h"

#include "entry/UEditorGenericComplex.h"
#include "platform/UActiune.h"
#include "platform/UForme.h"

#include <QHBoxLayout>
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
    connect(Ok, &QPushButton::clicked, this, [this] { RuleazaActiune(this, [this] { Salveaza(); }); });
    connect(Renunt, &QPushButton::clicked, this, &QDialog::reject);
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
        // The window opens with the caret in its first entry, not on the scroll area that holds the editors.
        if (!m_ordineTab.isEmpty())
            m_ordineTab.first()->setFocus(Qt::TabFocusReason);
    }
}
