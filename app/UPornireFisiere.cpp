#include "app/UPornireFisiere.h"

#include "excel/UCititorFoi.h"
#include "store/UCopii.h"

QStringList IngrijesteFisiereleLaPornire(const QString& caleBaza)
{
    QStringList anunturi;
    if (!caleBaza.isEmpty() && !EsteNumeServer(caleBaza)) {
        // Before the leftovers go: an interrupted swap is recognised by the restored file beside the register.
        if (const QString mesaj = IncheieInlocuireaIntrerupta(caleBaza); !mesaj.isEmpty())
            anunturi << mesaj;
        StergeResturi(caleBaza);
    }
    StergeResturiCalc();
    return anunturi;
}
