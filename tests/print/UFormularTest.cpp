#include "UFormularTest.h"

#include "print/UConstructieFormular.h"
#include "print/UMachetaFormular.h"

#include "testsupport/UPdfText.h"

#include <QHash>
#include <QTest>

TFormularTest::TFormularTest() : Fereastra(std::make_unique<QWidget>())
{
    Pagina = ConstruiesteFormular(MachetaCertificat(), Fereastra.get()).first();
}

bool TFormularTest::Arata()
{
    Fereastra->resize(Pagina->size());
    Fereastra->show();
    return QTest::qWaitForWindowExposed(Fereastra.get());
}

QString TextFaraSpatii(const TFormularTextArea* zona)
{
    static const QHash<QString, QString> valori = {{"C_ABREVIERE", "dl"},
                                                   {"A_ABREVIERE", "dl"},
                                                   {"C_NUME_L1", "ŞTEFĂNESCU"},
                                                   {"C_NUME_L2", "ANDREI-MIHAI"},
                                                   {"A_NUME", "ŞTEFĂNESCU-ANDREI-MIHAI"},
                                                   {"C_AN_ABSOLVIRE", "2006"},
                                                   {"A_AN_ABSOLVIRE", "2006"},
                                                   {"C_UNITATEA_L1", "COLEGIUL-NAŢIONAL"},
                                                   {"C_UNITATEA_L2", "\"MIHAI-EMINESCU\""},
                                                   {"A_UNITATEA_L1", "COLEGIUL"},
                                                   {"A_UNITATEA_L2", "NAŢIONAL-\"MIHAI-EMINESCU\""},
                                                   {"C_COD_SIRUES", "123456789"},
                                                   {"A_COD_SIRUES", "987654321"},
                                                   {"C_LOCALITATEA", "TÂRGU-MUREŞ"},
                                                   {"A_LOCALITATEA_L1", "TÂRGU"},
                                                   {"A_LOCALITATEA_L2", "MUREŞ"},
                                                   {"C_JUDETUL", "MUREŞ"},
                                                   {"A_JUDETUL", "Mureş"},
                                                   {"C_FILIERA", "TEORETICĂ"},
                                                   {"A_FILIERA", "Teoretică"},
                                                   {"C_PROFILUL", "REAL"},
                                                   {"A_PROFILUL", "Real"},
                                                   {"C_SPECIALIZAREA", "MATEMATICĂ-INFORMATICĂ"},
                                                   {"A_SPECIALIZAREA", "Matematică-informatică"},
                                                   {"C_CNP", "1900101260013"},
                                                   {"A_CNP", "2850707400021"},
                                                   {"C_DIRECTOR", "POPA-ELENA"},
                                                   {"A_DIRECTOR", "Popa-Elena"},
                                                   {"C_SECRETAR", "RUS-ION"},
                                                   {"A_SECRETAR", "Rus-Ion"}};
    const QString valoare = valori.value(zona->Denumire1().section(QLatin1Char('.'), 2));
    if (zona->Denumire2().isEmpty())
        return valoare;
    return valoare.mid(zona->Denumire2().toInt() - 1, 1);
}

namespace {
double Ancora(const QRectF& r, TAlignment a)
{
    return a == taLeftJustify ? r.left() : a == taRightJustify ? r.right() : r.center().x();
}

} // namespace

QHash<QString, QRectF> Potriveste(const QList<TAsteptat>& asteptate, QList<TCuvantPdf> cuvinte)
{
    QHash<QString, QRectF> gasite;
    for (const TAsteptat& a : asteptate) {
        int ales = -1;
        double distanta = 1e9;
        for (int i = 0; i < cuvinte.size(); ++i) {
            if (cuvinte[i].Text != a.text)
                continue;
            const double d = qAbs(Ancora(cuvinte[i].Mm, a.aliniere) - Ancora(a.mm, a.aliniere)) +
                             qAbs(cuvinte[i].Mm.bottom() - a.mm.bottom());
            if (d < distanta) {
                distanta = d;
                ales = i;
            }
        }
        if (ales < 0) {
            QTest::qFail(qPrintable(a.zona + ": \"" + a.text + "\" not printed"), __FILE__, __LINE__);
            return gasite;
        }
        gasite.insert(a.zona, cuvinte.takeAt(ales).Mm);
    }
    return gasite;
}

QList<TAsteptat> Asteptate(TFormularDePrintat* pagina, double stanga, double sus,
                           const std::function<QPointF(const TFormularTextArea*)>& deplasare)
{
    QList<TAsteptat> lista;
    for (const TFormularTextArea* z : pagina->Zone()) {
        if (z->Text().isEmpty())
            continue;
        const QPointF d = deplasare ? deplasare(z) : QPointF();
        lista << TAsteptat{z->objectName(), z->Text(), z->Alignment(),
                           QRectF(z->LeftMm() + stanga + d.x(), z->TopMm() + sus + d.y(), z->WidthMm(), z->HeightMm())};
    }
    return lista;
}

void VerificaLocuri(const QList<TAsteptat>& asteptate, const QHash<QString, QRectF>& gasite)
{
    for (const TAsteptat& a : asteptate) {
        const QRectF g = gasite.value(a.zona);
        const double dx = Ancora(g, a.aliniere) - Ancora(a.mm, a.aliniere);
        const double dy = g.bottom() - a.mm.bottom();
        QVERIFY2(qAbs(dx) <= kToleranta && qAbs(dy) <= kToleranta,
                 qPrintable(QStringLiteral("%1 \"%2\" off by %3, %4 mm").arg(a.zona, a.text).arg(dx).arg(dy)));
    }
}
