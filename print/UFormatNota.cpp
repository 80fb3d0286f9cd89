#include "print/UFormatNota.h"

#include "print/UFormularTextArea.h"
#include "settings/UInfoGlobal2005.h"
#include "settings/UTextRomanesc.h"

#include <QScopeGuard>

#include <cmath>

void FormatGrade(TFormularTextArea* sus, TFormularTextArea* jos, std::optional<double> valoare, int tip)
{
    if (!sus) {
        sus = jos;
        jos = nullptr;
    }
    if (!sus)
        return;
    const QString blanc = QStringLiteral(" ");
    sus->SetText(blanc);
    if (jos)
        jos->SetText(blanc);

    const TInfoGlobal2005 setari;
    sus->SaveDesignGeometry();
    if (jos)
        jos->SaveDesignGeometry();

    int format = NumarFormatNota(setari.FormatPentruTip(tip));
    if (format >= 2 && !jos)
        format = 1;

    if (format <= 1 && jos) {
        jos->hide();
        sus->SetTopMm((sus->TopProiectat() + jos->TopProiectat()) / 2);
        sus->ZoomChanged();
    } else if (format >= 2) {
        sus->SetTopMm(sus->TopProiectat());
        sus->ZoomChanged();
        jos->show();
    }

    // The letter case is set whatever happens to the texts.
    const auto literele = qScopeGuard([&] {
        const bool mari = setari.ScriuCuLitereMari() == QLatin1String("1");
        for (TFormularTextArea* zona : {sus, jos}) {
            if (zona)
                zona->SetText(mari ? MariRomanesti(zona->Text()) : MiciRomanesti(zona->Text()));
        }
    });
    if (!valoare) {
        if (format >= 2)
            jos->SetText(blanc);
        sus->SetText(QStringLiteral("----"));
        return;
    }
    // Whole hundredths, ties to even.
    const int sutimi = static_cast<int>(std::nearbyint(*valoare));
    const QString numar = FormatFix(2, qint64(sutimi) * 100);
    QString cuvinte;
    if (format == 1 || format == 2)
        cuvinte = NotaInLitere(sutimi, mnProcent);
    else if (format == 3)
        cuvinte = NotaInLitere(sutimi, mnLitere);
    if (format >= 2) {
        sus->SetText(numar);
        jos->SetText(cuvinte);
    } else {
        sus->SetText(cuvinte.isEmpty() ? numar : numar + blanc + cuvinte);
    }
}
