#include "print/UHandlere.h"

#include "platform/UEroare.h"
#include "print/UCompletare.h"
#include "print/UFormatNota.h"
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
    if (dm.Tr.InTransaction())
        throw EEroare(QStringLiteral("O operatie anterioara asupra bazei de date nu s-a incheiat."));
    dm.Tr.StartTransaction();
    const auto revenire = qScopeGuard([&dm] { dm.Tr.Rollback(); });
    TCompletareFormular completare(dm, idElev);
    for (TFormularDePrintat* pagina : formular->findChildren<TFormularDePrintat*>()) {
        pagina->SetTextAreaTransparent(true);
        pagina->SetZoom(100);
        const QList<TFormularTextArea*> zone = pagina->Zone();
        QList<TZonaDeCompletat> descrieri;
        descrieri.reserve(zone.size());
        for (const TFormularTextArea* z : zone)
            descrieri << TZonaDeCompletat{z->objectName(), z->Denumire1(), z->Denumire2(), z->Denumire3(), z->y()};
        for (int i = 0; i < zone.size(); ++i) {
            TFormularTextArea* zona = zone[i];
            zona->SetSursaText({});
            zona->SetSemnalata(false);
            zona->SetText(QString());
            const TTextZonaCompletata r = completare.Zona(descrieri, i);
            if (!r.EsteNota)
                zona->SetText(r.Text);
            else
                FormatGrade(zone.value(r.Sus), r.Jos >= 0 ? zone[r.Jos] : nullptr, r.Nota, r.TipNota);
        }
    }
}
