#include "print/UHandlere.h"

#include "platform/UEroare.h"
#include "print/UCompletare.h"
#include "print/UFormularDePrintat.h"
#include "print/UFormularTextArea.h"
#include "store/UDataModule.h"

#include <QScopeGuard>

void TListaHandlerFormularDePrintat::AdaugaHandler(std::unique_ptr<THandlerFormularDePrintat> handler)
{
    m_handlere.push_back(std::move(handler));
}

TListaHandlerFormularDePrintat& ListaHandlere()
{
    static TListaHandlerFormularDePrintat lista;
    return lista;
}

void PregatesteFormularNou(QWidget* formular)
{
    for (TFormularDePrintat* pagina : formular->findChildren<TFormularDePrintat*>())
        pagina->SetZoom(100);
}

void CompleteazaPaginile(QWidget* formular, qint64 idElev, const QString& denumire)
{
    formular->setProperty("IdElev", idElev);
    formular->setProperty("DenumireElev", denumire);
    TDM& dm = ModululDeDate();
    const TGardaCitire citire(dm.Tr);
    TCompletareFormular completare(dm, idElev);
    for (TFormularDePrintat* pagina : formular->findChildren<TFormularDePrintat*>()) {
        pagina->SetTextAreaTransparent(true);
        pagina->SetZoom(100);
        for (TFormularTextArea* zona : pagina->Zone())
            zona->SetSemnalata(false);
        // The views show what the model holds, also the areas filled before an error.
        const auto urmeaza = qScopeGuard([pagina] { pagina->UrmeazaModelul(); });
        CompleteazaPaginaRandata(completare, pagina->Model());
    }
}
