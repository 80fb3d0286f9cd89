#include "entry/UEditorGeneric.h"

#include "platform/UMesaje.h"
#include "store/UDataModule.h"
#include "store/UInregistrari.h"

#include <QLabel>
#include <QVBoxLayout>

TEditorGeneric::TEditorGeneric(QWidget* parinte) : QFrame(parinte)
{
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(247, 246, 245));
    setPalette(p);
    setFixedHeight(36);
    m_asezare = new QVBoxLayout(this);
    m_asezare->setContentsMargins(8, 0, 4, 2);
    m_asezare->setSpacing(0);
    // The width is the grouped editor's to set (rows share it by weight, down to 16 pixels).
    m_asezare->setSizeConstraint(QLayout::SetNoConstraint);
    RzLabel1 = new QLabel(this);
    RzLabel1->setObjectName(QStringLiteral("RzLabel1"));
    RzLabel1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_asezare->addWidget(RzLabel1);
}

void TEditorGeneric::SeteazaIntrare(QWidget* intrare)
{
    intrare->setObjectName(QStringLiteral("Intrare"));
    intrare->setMinimumWidth(0);
    m_asezare->addWidget(intrare, 1);
    setFocusProxy(intrare);
}

void TEditorGeneric::Incarca(const QString& codFormular, const QString& codPagina, const QString& codCamp,
                             const QString& tabel, qint32 idElev, qint32 idInregistrare)
{
    CodFormular = codFormular;
    CodPagina = codPagina;
    CodCamp = codCamp;
    Tabel = tabel;
    IdElev = idElev;
    IdInregistrare = idInregistrare;
    IdCurent = tabel == u"ELEVI" ? idElev : idInregistrare;
    setObjectName(codCamp);
}

bool TEditorGeneric::PotSalva()
{
    TMesaje::Avertizeaza(this, QStringLiteral("Functioa \"PotSalva\" nu este implementata pentru ") + NumeClasa());
    return false;
}

void TEditorGeneric::Salveaza(qint32, qint32, const QString&) {}

void TEditorGeneric::DupaAfisare() {}

QString TEditorGeneric::CitesteValoare() const
{
    // A NULL reads as a null QString, so the control keeps its initial content.
    return TextValoareProprie(ModululDeDate(), TCheieCamp{CodFormular, CodPagina, CodCamp}, Tabel, IdCurent);
}

void TEditorGeneric::ScrieValoare(const QString& text, int limita, qint32 idElev, qint32 idInregistrare,
                                  const QString& tabel) const
{
    const qint32 id = tabel == u"ELEVI" ? idElev : idInregistrare;
    ScrieValoareCamp(ModululDeDate(), TCheieCamp{CodFormular, CodPagina, CodCamp}, tabel, id, text, limita);
}
