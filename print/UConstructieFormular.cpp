#include "print/UConstructieFormular.h"

#include "print/UFormularDePrintat.h"
#include "print/UFormularTextArea.h"
#include "print/UMachetaFormular.h"
#include "print/UPaginaRandata.h"

QList<TFormularDePrintat*> ConstruiesteFormular(const TMachetaFormular& macheta, QWidget* fereastra,
                                                std::shared_ptr<TFormularRandat> model)
{
    if (fereastra->objectName().isEmpty())
        fereastra->setObjectName(macheta.Name);
    if (!model)
        model = std::make_shared<TFormularRandat>(macheta, fereastra);

    QList<TFormularDePrintat*> pagini;
    for (int i = 0; i < macheta.Pagini.size() && i < model->Pagini.size(); ++i) {
        const TMachetaPagina& mp = macheta.Pagini[i];
        auto* pagina = new TFormularDePrintat(fereastra);
        pagina->setObjectName(mp.Name);
        pagina->SetProprietar(fereastra);
        pagina->LeagaDeModel(model, i);
        pagina->SetZoom(mp.Zoom);
        pagina->SetTextAreaTopLine1_delta(mp.TextAreaTopLine1_delta);
        pagina->SetTextAreaBaseLine2_delta(mp.TextAreaBaseLine2_delta);
        for (int k = 0; k < mp.Zone.size(); ++k) {
            auto* zona = new TFormularTextArea(pagina, k);
            zona->SetIncarcare(true);
            zona->SetZoomLock(mp.Zone[k].ZoomLock);
            zona->ApplyMillimetres();
            zona->SetIncarcare(false);
        }
        pagini << pagina;
    }
    return pagini;
}
