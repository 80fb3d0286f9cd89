#include "controls/UKivStareGrila.h"

#include <algorithm>

QRect TKivStareGrila::Selectie() const
{
    if (Optiuni & ogSelectieRand)
        return QRect(QPoint(ColoaneFixe, std::min(Curent.y(), Ancora.y())),
                     QPoint(Coloane() - 1, std::max(Curent.y(), Ancora.y())));
    if (!(Optiuni & ogSelectieInterval))
        return QRect(Curent, Curent);
    return QRect(QPoint(std::min(Curent.x(), Ancora.x()), std::min(Curent.y(), Ancora.y())),
                 QPoint(std::max(Curent.x(), Ancora.x()), std::max(Curent.y(), Ancora.y())));
}

int TKivStareGrila::LatimeLinieVerticala(int coloana) const
{
    const TKivOptiuneGrila optiune = coloana < ColoaneFixe ? ogLiniiFixeVerticale : ogLiniiVerticale;
    return (Optiuni & optiune) ? LatimeLinie : 0;
}

int TKivStareGrila::LatimeLinieOrizontala(int rand) const
{
    const TKivOptiuneGrila optiune = rand < RanduriFixe ? ogLiniiFixeOrizontale : ogLiniiOrizontale;
    return (Optiuni & optiune) ? LatimeLinie : 0;
}

int TKivStareGrila::Extindere(bool coloane, int i) const
{
    const int marime = coloane ? Latimi[i] : Inaltimi[i];
    if (marime <= 0)
        return 0;
    return marime + (coloane ? LatimeLinieVerticala(i) : LatimeLinieOrizontala(i));
}

int TKivStareGrila::MarimeFixa(bool coloane) const
{
    int suma = 0;
    for (int i = 0; i < (coloane ? ColoaneFixe : RanduriFixe); ++i)
        suma += Extindere(coloane, i);
    return suma;
}

int TKivStareGrila::PrimulCare(bool coloane, int ultimul, QSize vedere) const
{
    const int fixe = coloane ? ColoaneFixe : RanduriFixe;
    const int disponibil = (coloane ? vedere.width() : vedere.height()) - MarimeFixa(coloane);
    int suma = 0;
    int i = ultimul;
    for (; i >= fixe; --i) {
        suma += Extindere(coloane, i);
        if (suma > disponibil)
            break;
    }
    return std::min(std::max(i + 1, fixe), ultimul);
}

int TKivStareGrila::Vizibile(bool coloane, QSize vedere) const
{
    const int disponibil = (coloane ? vedere.width() : vedere.height()) - MarimeFixa(coloane);
    int suma = 0;
    int n = 0;
    for (int i = coloane ? StangaSus.x() : StangaSus.y(); i < (coloane ? Coloane() : Randuri()); ++i) {
        suma += Extindere(coloane, i);
        if (suma > disponibil)
            break;
        ++n;
    }
    return std::max(n, 1);
}

int TKivStareGrila::Pozitie(bool coloane, int index, QSize vedere) const
{
    const bool fixa = index < (coloane ? ColoaneFixe : RanduriFixe);
    const int capat = coloane ? vedere.width() : vedere.height();
    int p = fixa ? 0 : MarimeFixa(coloane);
    for (int i = fixa ? 0 : (coloane ? StangaSus.x() : StangaSus.y()); i < index && p < capat; ++i)
        p += Extindere(coloane, i);
    return p < capat ? p : -1;
}

QRect TKivStareGrila::DreptunghiCelula(int coloana, int rand, QSize vedere) const
{
    if (coloana < 0 || rand < 0 || coloana >= Coloane() || rand >= Randuri())
        return QRect();
    if ((coloana >= ColoaneFixe && coloana < StangaSus.x()) || (rand >= RanduriFixe && rand < StangaSus.y()))
        return QRect();
    const int x = Pozitie(true, coloana, vedere);
    const int y = Pozitie(false, rand, vedere);
    if (x < 0 || y < 0 || Latimi[coloana] <= 0 || Inaltimi[rand] <= 0)
        return QRect();
    return QRect(x, y, Latimi[coloana], Inaltimi[rand]);
}

QPoint TKivStareGrila::CelulaLa(const QPoint& pozitie) const
{
    auto cauta = [](int p, int fixe, int primul, int total, const std::vector<int>& marimi, auto linie) {
        if (p < 0)
            return -1;
        int capat = 0;
        for (int i = 0; i < total;) {
            if (i == fixe)
                i = std::max(primul, fixe);
            if (i >= total)
                break;
            capat += marimi[i] > 0 ? marimi[i] + linie(i) : 0;
            if (p < capat)
                return i;
            ++i;
        }
        return -1;
    };
    const int c = cauta(pozitie.x(), ColoaneFixe, StangaSus.x(), Coloane(), Latimi,
                        [this](int i) { return LatimeLinieVerticala(i); });
    const int r = cauta(pozitie.y(), RanduriFixe, StangaSus.y(), Randuri(), Inaltimi,
                        [this](int i) { return LatimeLinieOrizontala(i); });
    if (c < 0 || r < 0)
        return QPoint(-1, -1);
    return QPoint(c, r);
}
