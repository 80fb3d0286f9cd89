#include "print/UConstructieFormular.h"

#include "platform/UEroare.h"
#include "print/UFontFormular.h"
#include "print/UFormularDePrintat.h"
#include "print/UFormularTextArea.h"
#include "print/UMachetaFormular.h"

#include <QHash>
#include <QImage>

QList<TFormularDePrintat*> ConstruiesteFormular(const TMachetaFormular& macheta, QWidget* fereastra)
{
    if (fereastra->objectName().isEmpty())
        fereastra->setObjectName(macheta.Name);

    QHash<QString, TFontFormular*> fonturi;
    for (const TMachetaFont& m : macheta.Fonturi) {
        TFontFormular* font = CreeazaFontFormular(m, fereastra);
        fonturi.insert(m.Name, font);
    }

    QList<TFormularDePrintat*> pagini;
    for (const TMachetaPagina& mp : macheta.Pagini) {
        auto* pagina = new TFormularDePrintat(fereastra);
        pagina->setObjectName(mp.Name);
        pagina->SetProprietar(fereastra);
        pagina->SetLatime(mp.Latime);
        pagina->SetInaltime(mp.Inaltime);
        pagina->SetZoom(mp.Zoom);
        pagina->SetTextAreaTopLine1_delta(mp.TextAreaTopLine1_delta);
        pagina->SetTextAreaBaseLine2_delta(mp.TextAreaBaseLine2_delta);
        if (!mp.BkImage.isEmpty())
            pagina->SetBkImage(QImage(mp.BkImage));

        for (const TMachetaZona& mz : mp.Zone) {
            auto* zona = new TFormularTextArea(pagina);
            zona->SetIncarcare(true);
            zona->setObjectName(mz.Name);
            zona->SetLeftMm(mz.Left);
            zona->SetTopMm(mz.Top);
            zona->SetWidthMm(mz.Width);
            zona->SetHeightMm(mz.Height);
            zona->SetZoomLock(mz.ZoomLock);
            zona->SetText(mz.Text);
            if (!mz.Font.isEmpty()) {
                TFontFormular* font = fonturi.value(mz.Font);
                if (!font)
                    throw EEroare(QStringLiteral("Macheta formularului este deteriorata: %1 foloseste fontul "
                                                 "inexistent %2")
                                      .arg(mz.Name, mz.Font));
                zona->SetFont(font);
            }
            zona->SetAlignment(mz.Alignment);
            zona->SetDenumire1(mz.Denumire1);
            zona->SetDenumire2(mz.Denumire2);
            zona->SetDenumire3(mz.Denumire3);
            zona->SetSursaText(mz.SursaText);
            zona->ApplyMillimetres();
            zona->SetIncarcare(false);
        }
        pagini << pagina;
    }
    return pagini;
}
