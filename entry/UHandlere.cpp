#include "entry/UHandlere.h"

#include "entry/UListaElevi.h"
#include "platform/UActiune.h"
#include "platform/UMesaje.h"

#include <QTreeWidget>

void TListaHandlerFormularDePrintat::AdaugaHandler(std::unique_ptr<THandlerFormularDePrintat> handler)
{
    m_handlere.push_back(std::move(handler));
}

TListaHandlerFormularDePrintat& ListaHandlere()
{
    static TListaHandlerFormularDePrintat lista;
    return lista;
}

TButonFormular::TButonFormular(THandlerFormularDePrintat* handler, QTreeWidget* arbore, QWidget* parinte)
    : QPushButton(handler->Titlu, parinte), Handler(handler), Arbore(arbore)
{
    setObjectName(QStringLiteral("Buton") + handler->Titlu);
    connect(this, &QPushButton::clicked, this, [this] { RuleazaActiune(this, [this] { CompleteazaFormular(); }); });
}

void TButonFormular::CompleteazaFormular()
{
    const TLinieElev* linie = LinieSelectata(Arbore);
    if (!linie) {
        TMesaje::Informeaza(this, QStringLiteral("Va rog selectati un elev!"));
        return;
    }
    if (!Formular)
        Formular = Handler->CreeazaFormular(this);
    Handler->CompleteazaPentruElev(Formular, linie->Id);
}
