#include "print/UPaginaRandata.h"

#include "platform/UEroare.h"
#include "print/UFontFormular.h"
#include "print/UMachetaFormular.h"
#include "print/UMachetaProprie.h"
#include "print/UParticularizari.h"
#include "print/UTextZona.h"

#include <QHash>
#include <QPainter>
#include <QScopeGuard>

TParticularizareTextArea* CorecturaZonei(const TPaginaRandata& pagina, const QString& numeZona)
{
    TParticularizareTextArea* inreg = Particularizari().Cauta(pagina.NumeFormular, numeZona, false);
    if (inreg) {
        inreg->Font = nullptr;
        if (!inreg->NumeFont.isEmpty()) {
            for (const TFontFormular* f : pagina.Fonturi) {
                if (f->objectName() == inreg->NumeFont) {
                    inreg->Font = const_cast<TFontFormular*>(f);
                    break;
                }
            }
        }
    }
    return inreg;
}

namespace {
// Draws one area on a painter that already draws in device pixels.
bool Tipareste(QPainter& painter, const TZonaRandata& zona, const TParticularizareTextArea* corectura, bool oglinda,
               double susMm, double stangaMm, const TCorectieImprimanta& corectie, const TCapabilitati& cap)
{
    const TAspectText aspect = AspectEfectiv(zona.Text, zona.Aliniere, zona.Font, corectura);
    if (aspect.Text.isEmpty())
        return true;
    if (!aspect.Font)
        throw EEroare(QStringLiteral("Campul %1 nu are font si nu poate fi tiparit.").arg(zona.Name));
    const TTextPlasat t =
        PlaseazaPeImprimanta(aspect, zona.Mm, stangaMm, susMm, oglinda, corectie, *painter.device(), cap);
    DeseneazaText(painter, t, aspect.Text, Qt::black);
    return t.Font.Incape;
}
} // namespace

bool TiparesteZona(QPainter& painter, const TZonaRandata& zona, const TParticularizareTextArea* corectura, bool oglinda,
                   double susMm, double stangaMm, const TCorectieImprimanta& corectie)
{
    painter.save();
    const auto inapoi = qScopeGuard([&painter] { painter.restore(); });
    painter.resetTransform();
    return Tipareste(painter, zona, corectura, oglinda, susMm, stangaMm, corectie,
                     CapabilitatiDispozitiv(*painter.device()));
}

QStringList TiparestePagina(QPainter& painter, const TPaginaRandata& pagina, const TParametriTiparire& parametri)
{
    const double stanga = parametri.StangaMm + pagina.DeltaStanga;
    const double sus = parametri.SusMm + pagina.DeltaSus;
    const TCapabilitati cap = CapabilitatiDispozitiv(*painter.device());
    painter.save();
    const auto inapoi = qScopeGuard([&painter] { painter.restore(); });
    painter.resetTransform();
    QStringList taiate;
    for (const TZonaRandata& zona : pagina.Zone) {
        if (!Tipareste(painter, zona, CorecturaZonei(pagina, zona.Name), parametri.Oglinda, sus, stanga,
                       parametri.Corectie, cap))
            taiate << zona.Name;
    }
    return taiate;
}

void DeseneazaFundal(QPainter& painter, const TPaginaRandata& pagina, double stangaMm, double susMm)
{
    if (pagina.Fundal.isNull())
        return;
    const TCapabilitati cap = CapabilitatiDispozitiv(*painter.device());
    const TDreptunghiDispozitiv r = DreptunghiPeDispozitiv(cap, stangaMm, susMm, pagina.Latime, pagina.Inaltime);
    painter.save();
    painter.resetTransform();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(r.Clip(), pagina.Fundal);
    painter.restore();
}

namespace {
// The blank form's picture, decoded once per program run and shared by every form built from it.
QImage ImagineFundalPagina(const QString& cale, double latimeMm, double inaltimeMm)
{
    static QHash<QString, QImage> imagini;
    const QString cheie = QStringLiteral("%1|%2|%3").arg(cale).arg(latimeMm).arg(inaltimeMm);
    const auto gasita = imagini.constFind(cheie);
    if (gasita != imagini.constEnd())
        return *gasita;
    return *imagini.insert(cheie, ImagineFundal(cale, latimeMm, inaltimeMm));
}
} // namespace

TFormularRandat::TFormularRandat(const TMachetaFormular& macheta, QObject* proprietarFonturi)
{
    if (!proprietarFonturi) {
        m_fonturi = std::make_unique<QObject>();
        proprietarFonturi = m_fonturi.get();
    }
    QHash<QString, const TFontFormular*> fonturi;
    QList<const TFontFormular*> lista;
    for (const TMachetaFont& m : macheta.Fonturi) {
        TFontFormular* font = CreeazaFontFormular(m, proprietarFonturi);
        fonturi.insert(m.Name, font);
        lista << font;
    }
    for (const TMachetaPagina& mp : macheta.Pagini) {
        TPaginaRandata pagina;
        pagina.NumeFormular = macheta.Name;
        pagina.Fonturi = lista;
        pagina.Latime = mp.Latime;
        pagina.Inaltime = mp.Inaltime;
        if (!mp.BkImage.isEmpty())
            pagina.Fundal = ImagineFundalPagina(mp.BkImage, mp.Latime, mp.Inaltime);
        for (const TMachetaZona& mz : mp.Zone) {
            TZonaRandata z;
            z.Name = mz.Name;
            z.Denumire1 = mz.Denumire1;
            z.Denumire2 = mz.Denumire2;
            z.Denumire3 = mz.Denumire3;
            z.Mm = QRectF(mz.Left, mz.Top, mz.Width, mz.Height);
            z.TopProiectat = mz.Top;
            z.Text = mz.Text;
            z.Aliniere = mz.Alignment;
            z.SursaText = mz.SursaText;
            if (!mz.Font.isEmpty()) {
                z.Font = fonturi.value(mz.Font);
                if (!z.Font)
                    throw EEroare(QStringLiteral("Macheta formularului este deteriorata: %1 foloseste fontul "
                                                 "inexistent %2")
                                      .arg(mz.Name, mz.Font));
            }
            pagina.Zone << z;
        }
        Pagini << pagina;
    }
}

TFormularRandat::~TFormularRandat() = default;
