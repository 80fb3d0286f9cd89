#include "print/UPaginaRandata.h"

#include "platform/UEroare.h"
#include "print/UFontFormular.h"
#include "print/UMachetaFormular.h"
#include "print/UParticularizari.h"
#include "print/UTextZona.h"

#include <QHash>
#include <QPainter>

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

bool TiparesteZona(QPainter& painter, const TZonaRandata& zona, const TParticularizareTextArea* corectura, bool oglinda,
                   double susMm, double stangaMm, const TCorectieImprimanta& corectie)
{
    const TAspectText aspect = AspectEfectiv(zona.Text, zona.Aliniere, zona.Font, corectura);
    if (aspect.Text.isEmpty())
        return true;
    if (!aspect.Font)
        throw EEroare(QStringLiteral("Campul %1 nu are font si nu poate fi tiparit.").arg(zona.Name));
    const TTextPlasat t = PlaseazaPeImprimanta(aspect, zona.Mm, stangaMm, susMm, oglinda, corectie, *painter.device());
    painter.save();
    painter.resetTransform();
    DeseneazaText(painter, t, aspect.Text, Qt::black);
    painter.restore();
    return t.Font.Incape;
}

QStringList TiparestePagina(QPainter& painter, const TPaginaRandata& pagina, const TParametriTiparire& parametri)
{
    const double stanga = parametri.StangaMm + pagina.DeltaStanga;
    const double sus = parametri.SusMm + pagina.DeltaSus;
    QStringList taiate;
    for (const TZonaRandata& zona : pagina.Zone) {
        if (!TiparesteZona(painter, zona, CorecturaZonei(pagina, zona.Name), parametri.Oglinda, sus, stanga,
                           parametri.Corectie))
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
            pagina.Fundal = QImage(mp.BkImage);
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
