#include "print/UFormatNota.h"

#include "print/UCompletare.h"
#include "print/UFormularTextArea.h"
#include "settings/UInfoGlobal2005.h"

void FormatGrade(TFormularTextArea* sus, TFormularTextArea* jos, std::optional<double> valoare, int tip)
{
    if (!sus) {
        sus = jos;
        jos = nullptr;
    }
    if (!sus)
        return;
    const TInfoGlobal2005 setari;
    sus->SaveDesignGeometry();
    if (jos)
        jos->SaveDesignGeometry();
    const TNotaFormatata n = FormateazaNota(setari, jos != nullptr, valoare, tip);
    if (n.JosAscuns) {
        jos->SetAscunsa(true);
        sus->SetTopMm((sus->TopProiectat() + jos->TopProiectat()) / 2);
        sus->ZoomChanged();
    } else if (jos) {
        sus->SetTopMm(sus->TopProiectat());
        sus->ZoomChanged();
        jos->SetAscunsa(false);
    }
    sus->SetText(n.Sus);
    if (jos)
        jos->SetText(n.Jos);
}
