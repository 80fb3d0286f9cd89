#include "print/UTipaririElev.h"

#include "platform/UActiune.h"
#include "platform/UForme.h"
#include "platform/UMesaje.h"
#include "print/UInsertPaper.h"
#include "print/ULoturiFormulare.h"
#include "print/UTiparireClasa.h"
#include "store/UDataModule.h"
#include "store/UFormulare.h"
#include "store/UTipariri.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <optional>

TTipaririElevForm::TTipaririElevForm(qint64 idElev, const QString& denumire, QWidget* parinte)
    : QDialog(parinte), m_id(idElev), m_denumire(denumire)
{
    setObjectName(QStringLiteral("TipaririElev"));
    setWindowTitle(QStringLiteral("Tiparirile elevului"));
    auto* l = new QVBoxLayout(this);
    l->addWidget(new QLabel(denumire, this));
    Lista = new QTreeWidget(this);
    Lista->setObjectName(QStringLiteral("Lista"));
    Lista->setRootIsDecorated(false);
    Lista->setHeaderLabels({QStringLiteral("Data si ora"), QStringLiteral("Imprimanta"), QStringLiteral("Lucrarea"),
                            QStringLiteral("Foaia"), QStringLiteral("Formularul")});
    l->addWidget(Lista, 1);
    auto* butoane = new QHBoxLayout;
    AnuleazaFormularul = new QPushButton(QStringLiteral("Anuleaza formularul"), this);
    AnuleazaFormularul->setObjectName(QStringLiteral("AnuleazaFormularul"));
    butoane->addWidget(AnuleazaFormularul);
    Retipareste = new QPushButton(QStringLiteral("Retipareste"), this);
    Retipareste->setObjectName(QStringLiteral("Retipareste"));
    Inchide = new QPushButton(QStringLiteral("Inchide"), this);
    Inchide->setObjectName(QStringLiteral("Inchide"));
    butoane->addStretch();
    butoane->addWidget(Retipareste);
    butoane->addWidget(Inchide);
    l->addLayout(butoane);
    resize(640, 320);
    CentreazaForma(this);
    Retipareste->setDefault(true);
    ListaCuTastatura(Lista, [this] { Retipareste->click(); });
    connect(Lista, &QTreeWidget::itemDoubleClicked, Retipareste, &QPushButton::click);
    connect(Inchide, &QPushButton::clicked, this, &QDialog::accept);
    connect(AnuleazaFormularul, &QPushButton::clicked, this, [this] {
        RuleazaActiune(this, [this] {
            const QTreeWidgetItem* rand = Lista->currentItem();
            const QString serie = rand ? rand->data(4, Qt::UserRole).toString() : QString();
            if (serie.isEmpty()) {
                TMesaje::Informeaza(this, QStringLiteral("Alegeti o foaie tiparita pe un formular eliberat."));
                return;
            }
            if (CereAnulareaFormularului(this, serie, rand->data(4, Qt::UserRole + 1).toLongLong()))
                Reincarca();
        });
    });
    connect(Retipareste, &QPushButton::clicked, this, [this] { RuleazaActiune(this, [this] { RetiparesteAles(); }); });
    RuleazaActiune(this, [this] { Reincarca(); });
}

void TTipaririElevForm::RetiparesteAles()
{
    // The sheet chosen, else the newest, is repeated as it was placed.
    const int rand = Lista->currentItem() ? Lista->indexOfTopLevelItem(Lista->currentItem()) : 0;
    std::optional<TRezultatInserare> asezare;
    if (rand >= 0 && rand < m_tipariri.size() && m_tipariri[rand].AreAsezare) {
        const TTiparire& t = m_tipariri[rand];
        asezare = TRezultatInserare{true, t.Oglinda, t.MargineStanga, t.MargineSus, {}, 0};
    }
    TiparesteClasa(this, {TElevDeTiparit{m_id, m_denumire}}, {}, nullptr, asezare ? &*asezare : nullptr);
    Reincarca();
}

void TTipaririElevForm::Reincarca()
{
    Lista->clear();
    const QList<TFormularFolosit> formulare = FormulareElev(ModululDeDate(), m_id);
    m_tipariri = TipaririElev(ModululDeDate(), m_id);
    for (const TTiparire& t : std::as_const(m_tipariri)) {
        auto* rand = new QTreeWidgetItem(Lista, {t.DataOra.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")),
                                                 t.Imprimanta, QStringLiteral("%1 (%2)").arg(t.Lucrare).arg(t.Titlu),
                                                 QString::number(t.Pagina)});
        for (const TFormularFolosit& f : formulare) {
            if (f.Lucrare != t.Lucrare || f.Pagina != t.Pagina)
                continue;
            rand->setText(4, QStringLiteral("seria %1 nr. %2%3")
                                 .arg(f.Serie)
                                 .arg(f.Numar)
                                 .arg(f.Anulat ? QStringLiteral(" (anulat: %1)").arg(f.Motiv) : QString()));
            if (!f.Anulat) {
                rand->setData(4, Qt::UserRole, f.Serie);
                rand->setData(4, Qt::UserRole + 1, f.Numar);
            }
        }
    }
    Lista->header()->resizeSections(QHeaderView::ResizeToContents);
    // The blank's column is the last one: the window widens until every column shows whole, as far as the work
    // area lets it.
    const QMargins margini = layout()->contentsMargins();
    const int latime = Lista->header()->length() + 2 * Lista->frameWidth() +
                       Lista->verticalScrollBar()->sizeHint().width() + margini.left() + margini.right();
    const int maxim = ZonaLucruSubCursor().width();
    if (latime > width() && width() < maxim) {
        resize(qMin(latime, maxim), height());
        CentreazaForma(this);
    }
}
