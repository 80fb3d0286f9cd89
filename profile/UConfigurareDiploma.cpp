#include "profile/UConfigurareDiploma.h"

#include "platform/UActiune.h"
#include "platform/UForme.h"
#include "platform/UMesaje.h"
#include "store/UDataModule.h"
#include "store/UProfilDiploma.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
QPushButton* Buton(const QString& text, QWidget* parinte)
{
    auto* b = new QPushButton(text, parinte);
    b->setObjectName(text);
    return b;
}
} // namespace

TConfigurareDiploma::TConfigurareDiploma(QWidget* parinte) : QDialog(parinte)
{
    setObjectName(QStringLiteral("ConfigurareDiploma"));
    setWindowTitle(QStringLiteral("Configurare Diploma"));
    resize(700, 520);
    auto* l = new QVBoxLayout(this);
    Lista = new QTableWidget(0, 3, this);
    Lista->setObjectName(QStringLiteral("Lista"));
    Lista->setHorizontalHeaderLabels(
        {QStringLiteral("Eticheta editor"), QStringLiteral("Onorez similar"), QStringLiteral("Asociat cu")});
    Lista->setSelectionBehavior(QAbstractItemView::SelectRows);
    Lista->setSelectionMode(QAbstractItemView::SingleSelection);
    Lista->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Lista->setShowGrid(true);
    Lista->verticalHeader()->hide();
    Lista->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    l->addWidget(Lista, 1);
    auto* jos = new QHBoxLayout;
    Modifica = Buton(QStringLiteral("Modifica"), this);
    Modifica->setDefault(true);
    jos->addWidget(Modifica);
    jos->addStretch();
    l->addLayout(jos);
    connect(Modifica, &QPushButton::clicked, this, [this] { RuleazaActiune(this, [this] { ModificaLinia(); }); });
    connect(Lista, &QTableWidget::cellDoubleClicked, this,
            [this] { RuleazaActiune(this, [this] { ModificaLinia(); }); });
    ListaCuTastatura(Lista, [this] { RuleazaActiune(this, [this] { ModificaLinia(); }); });
    CentreazaForma(this);
    RuleazaActiune(this, [this] { Incarca(); });
}

void TConfigurareDiploma::Incarca()
{
    const int randAles = Lista->currentRow();
    Lista->setRowCount(0);
    m_linii.clear();
    TDM& dm = ModululDeDate();
    {
        const TGardaCitire citire(dm.Tr);
        for (const TRandProfil& r : RanduriProfil(dm)) {
            auto linie = std::make_unique<TLinieProfil>();
            linie->COD_FORMULAR = r.COD_FORMULAR;
            linie->COD_PAGINA = r.COD_PAGINA;
            linie->COD_CAMP = r.COD_CAMP;
            linie->ETICHETA_EDITOR = r.ETICHETA_EDITOR;
            linie->ONOREZ_SIMILAR = r.ONOREZ_SIMILAR;
            linie->ASOCIAT_CU = r.ASOCIAT_CU;
            m_linii.push_back(std::move(linie));
        }
    }
    Lista->setRowCount(int(m_linii.size()));
    for (int r = 0; r < int(m_linii.size()); ++r) {
        const TLinieProfil& linie = *m_linii[size_t(r)];
        Lista->setItem(r, 0, new QTableWidgetItem(linie.ETICHETA_EDITOR));
        Lista->setItem(r, 1, new QTableWidgetItem(linie.ONOREZ_SIMILAR));
        Lista->setItem(r, 2, new QTableWidgetItem(linie.ASOCIAT_CU));
    }
    // After a change the same place stays selected, so the user sees what he changed.
    if (randAles >= 0 && randAles < Lista->rowCount())
        Lista->selectRow(randAles);
}

void TConfigurareDiploma::ModificaLinia()
{
    const QList<QTableWidgetItem*> selectate = Lista->selectedItems();
    if (selectate.isEmpty()) {
        TMesaje::Informeaza(this, QStringLiteral("Va rog selectati o linie pentru a o modifica!"));
        return;
    }
    const TLinieProfil& linie = *m_linii[size_t(selectate.first()->row())];
    TModificaLinieProfil fereastra(this);
    fereastra.Incarca(linie.COD_FORMULAR, linie.COD_PAGINA, linie.COD_CAMP);
    if (fereastra.exec() == QDialog::Accepted)
        Incarca();
}

TModificaLinieProfil::TModificaLinieProfil(QWidget* parinte) : QDialog(parinte)
{
    setObjectName(QStringLiteral("ModificaLinieProfil"));
    setWindowTitle(QStringLiteral("Modifica linie profil"));
    auto* l = new QVBoxLayout(this);
    auto* campuri = new QFormLayout;
    Cheie = new QLabel(this);
    Cheie->setObjectName(QStringLiteral("Cheie"));
    campuri->addRow(QStringLiteral("Camp:"), Cheie);
    OnorezSimilar = new QComboBox(this);
    OnorezSimilar->setObjectName(QStringLiteral("OnorezSimilar"));
    OnorezSimilar->addItems({QStringLiteral("DA"), QStringLiteral("SELECTIV"), QStringLiteral("NU")});
    campuri->addRow(QStringLiteral("Onorez similar"), OnorezSimilar);
    AsociatCu = new QLineEdit(this);
    AsociatCu->setObjectName(QStringLiteral("AsociatCu"));
    AsociatCu->setMaxLength(64);
    campuri->addRow(QStringLiteral("Asociat cu"), AsociatCu);
    l->addLayout(campuri);
    auto* jos = new QHBoxLayout;
    jos->addStretch();
    Ok = Buton(QStringLiteral("Ok"), this);
    Renunt = Buton(QStringLiteral("Renunt"), this);
    Ok->setDefault(true);
    jos->addWidget(Ok);
    jos->addWidget(Renunt);
    l->addLayout(jos);
    connect(Ok, &QPushButton::clicked, this, [this] { RuleazaActiune(this, [this] { Salveaza(); }); });
    connect(Renunt, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(420, sizeHint().height());
    CentreazaForma(this);
}

void TModificaLinieProfil::Incarca(const QString& codFormular, const QString& codPagina, const QString& codCamp)
{
    m_codFormular = codFormular;
    m_codPagina = codPagina;
    m_codCamp = codCamp;
    Cheie->setText(codFormular + u'.' + codPagina + u'.' + codCamp);
    TDM& dm = ModululDeDate();
    const TGardaCitire citire(dm.Tr);
    TRandProfil rand;
    // A line gone meanwhile reads as "NU" with no table.
    const bool gasit = CitesteRandProfil(dm, {codFormular, codPagina, codCamp}, rand);
    const QString onorez = gasit ? rand.ONOREZ_SIMILAR : QString();
    OnorezSimilar->setCurrentText(onorez == u"DA" || onorez == u"SELECTIV" ? onorez : QStringLiteral("NU"));
    AsociatCu->setText(gasit ? rand.ASOCIAT_CU : QString());
}

void TModificaLinieProfil::Salveaza()
{
    TDM& dm = ModululDeDate();
    TGardaTranzactie garda(dm.Tr);
    ModificaRandProfil(dm, {m_codFormular, m_codPagina, m_codCamp}, OnorezSimilar->currentText(), AsociatCu->text());
    garda.Commit();
    accept();
}
