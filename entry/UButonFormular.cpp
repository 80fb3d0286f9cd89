#include "entry/UButonFormular.h"

#include "entry/UListaElevi.h"
#include "platform/UActiune.h"
#include "platform/UMesaje.h"
#include "print/UDesene.h"
#include "print/UHandlere.h"

#include <QDialog>
#include <QTreeView>

TButonFormular::TButonFormular(THandlerFormularDePrintat* handler, QTreeView* arbore, QWidget* parinte)
    : QPushButton(handler->Titlu, parinte), Handler(handler), Arbore(arbore)
{
    setObjectName(QStringLiteral("Buton") + handler->Titlu);
    setIcon(DesenButonTiparire());
    setIconSize(QSize(24, 24));
    // Enter presses it when it has the focus, as Space does.
    setAutoDefault(true);
    connect(this, &QPushButton::clicked, this, [this] { RuleazaActiune(this, [this] { CompleteazaFormular(); }); });
}

void TButonFormular::CompleteazaFormular()
{
    const TLinieElev* linie = LinieSelectata(Arbore);
    if (!linie) {
        TMesaje::Informeaza(this, QStringLiteral("Va rog selectati un elev!"));
        return;
    }
    if (!Formular) {
        Formular = Handler->CreeazaFormular(this);
        if (!Formular)
            return;
        PregatesteFormularNou(Formular);
    }
    CompleteazaPaginile(Formular, linie->Id, linie->Denumire);
    Formular->exec();
}
