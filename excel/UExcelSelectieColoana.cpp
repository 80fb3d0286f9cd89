#include "excel/UExcelSelectieColoana.h"

#include "platform/UForme.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int LatimeMaximaText = 300;
constexpr int SpatiuColoana = 12;
} // namespace

QList<int> LatimiColoaneSelectie(const TListaColoaneExcel& coloane)
{
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(15);
    const QFontMetrics m(arial);
    QList<int> latimi;
    for (const TColoanaExcel& c : coloane) {
        int latime = 0;
        for (const QString& t : c.Texte)
            latime = std::max(latime, m.horizontalAdvance(t));
        latimi << std::min(latime, LatimeMaximaText) + SpatiuColoana;
    }
    return latimi;
}

TExcelSelectieColoana::TExcelSelectieColoana(QWidget* parinte, const TListaColoaneExcel& coloane)
    : QDialog(parinte), m_coloane(coloane)
{
    setObjectName(QStringLiteral("ExcelSelectieColoana"));
    setWindowTitle(QStringLiteral("Selectie coloana EXCEL"));
    setSizeGripEnabled(true);
    auto* l = new QVBoxLayout(this);
    m_banda = new QLabel(this);
    m_banda->setObjectName(QStringLiteral("ColoanaAleasa"));
    QFont f = m_banda->font();
    f.setBold(true);
    m_banda->setFont(f);
    m_banda->hide();
    l->addWidget(m_banda);
    Grid = new TKivVirtualGrid(this);
    Grid->setObjectName(QStringLiteral("Grid"));
    l->addWidget(Grid, 1);
    auto* butoane = new QDialogButtonBox(this);
    QPushButton* ok = butoane->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("Ok"));
    QPushButton* renunt = butoane->addButton(QStringLiteral("Renunt"), QDialogButtonBox::RejectRole);
    renunt->setObjectName(QStringLiteral("Renunt"));
    connect(ok, &QPushButton::clicked, this, &TExcelSelectieColoana::Ok);
    connect(renunt, &QPushButton::clicked, this, &QDialog::reject);
    l->addWidget(butoane);
    ok->setDefault(true);
    renunt->setAutoDefault(false);
    Grid->installEventFilter(this);
    resize(800, 500);
    Umple();
    CentreazaForma(this);
}

void TExcelSelectieColoana::Ok()
{
    if (!m_aleasa.isEmpty())
        accept();
}

void TExcelSelectieColoana::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Grid->setFocus(Qt::OtherFocusReason);
}

bool TExcelSelectieColoana::eventFilter(QObject* obiect, QEvent* e)
{
    // No cell of the picker is edited: Enter in the grid closes it as "Ok" does.
    if (obiect == Grid && e->type() == QEvent::KeyPress) {
        const int tasta = static_cast<QKeyEvent*>(e)->key();
        if (tasta == Qt::Key_Return || tasta == Qt::Key_Enter) {
            Ok();
            return true;
        }
    }
    return QDialog::eventFilter(obiect, e);
}

void TExcelSelectieColoana::Umple()
{
    Grid->SetHeaderHeight(48);
    Grid->SetNrColoaneFixe(0);
    Grid->SetOptiuni({});
    Grid->BeginUpdate();
    const QList<int> latimi = LatimiColoaneSelectie(m_coloane);
    for (qsizetype i = 0; i < m_coloane.size(); ++i) {
        TKivVirtualGridColumn* c = Grid->Coloane().Adauga();
        c->SetNumeColoana(m_coloane.at(i).Nume);
        c->SetWidth(latimi.at(i));
        c->SetTipDeDate(atString);
    }
    for (int r = 0; r < m_coloane.NumarRanduri(); ++r)
        Grid->Linii().Adauga(new TLinieGrid(r));
    Grid->EndUpdate();
    Grid->OnGetCellValue = [this](TKivVirtualGridLine* linie, int coloana, TKivValoareDate& v) {
        const int rand = static_cast<TLinieGrid*>(linie)->Rand;
        v.SetAsString(m_coloane.at(coloana).Texte.value(rand));
    };
    Grid->OnPotEdita = [](TKivVirtualGridLine*, int, bool& poate) { poate = false; };
    Grid->OnFormatCell = [this](TKivVirtualGridLine*, int coloana, QColor& fundal, QFont&, QColor& culoareText) {
        const bool aleasa = !m_aleasa.isEmpty() && m_coloane.at(coloana).Nume == m_aleasa;
        const QPalette& p = Grid->palette();
        fundal = p.color(aleasa ? QPalette::Highlight : QPalette::Base);
        culoareText = p.color(aleasa ? QPalette::HighlightedText : QPalette::Text);
    };
    Grid->OnSelectCell = [this](int coloana, int, bool&) { Alege(coloana); };
}

void TExcelSelectieColoana::Alege(int coloana)
{
    if (coloana < 0 || coloana >= m_coloane.size())
        return;
    const QString nume = m_coloane.at(coloana).Nume;
    if (nume == m_aleasa)
        return;
    m_aleasa = nume;
    m_banda->setText(QStringLiteral("Ati selectat coloana ") + nume);
    m_banda->show();
    Grid->Repaint();
}
