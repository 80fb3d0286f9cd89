#include "entry/UEditorGeneric.h"

#include "platform/UMesaje.h"
#include "store/UDataModule.h"
#include "store/UInregistrari.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {
const QString SqlCautare = QStringLiteral("SELECT * FROM \"DATE\" WHERE (ID_%1=:ID) AND (COD_FORMULAR=:COD_FORMULAR) "
                                          "AND (COD_PAGINA=:COD_PAGINA) AND (COD_CAMP=:COD_CAMP)");

void PregatesteCautarea(TQuery& q, const QString& tabel, qint32 id, const TEditorGeneric& e)
{
    q.SetSQL(SqlCautare.arg(tabel));
    q.ParamByName(QStringLiteral("ID")).SetAsInteger(id);
    q.ParamByName(QStringLiteral("COD_FORMULAR")).SetAsString(e.CodFormular);
    q.ParamByName(QStringLiteral("COD_PAGINA")).SetAsString(e.CodPagina);
    q.ParamByName(QStringLiteral("COD_CAMP")).SetAsString(e.CodCamp);
}
} // namespace

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
    TQuery& q = ModululDeDate().Q1;
    const TGardaCursor inchide(q);
    PregatesteCautarea(q, Tabel, IdCurent, *this);
    q.Open();
    if (q.Eof())
        return {};
    const TCamp valoare = q.FieldByName(QStringLiteral("VALOARE_TEXT"));
    // A NULL reads as a null QString, so the control keeps its initial content.
    return valoare.IsNull() ? QString() : valoare.AsString();
}

void TEditorGeneric::ScrieValoare(const QString& text, int limita, qint32 idElev, qint32 idInregistrare,
                                  const QString& tabel) const
{
    const qint32 id = tabel == u"ELEVI" ? idElev : idInregistrare;
    ScrieValoareCamp(ModululDeDate(), TCheieCamp{CodFormular, CodPagina, CodCamp}, tabel, id, text, limita);
}
