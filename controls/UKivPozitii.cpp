#include "controls/UKivPozitii.h"

#include <algorithm>

bool EsteSeparatorCuvant(QChar c)
{
    return c == u'\t' || c == u'\n' || c == u'\r' || c == u' ' || c == u',' || c == u'.';
}

int PozitieCuvantStanga(const QString& text, int p)
{
    int i = std::clamp(p, 1, int(text.length()) + 1) - 1;
    while (i >= 1 && EsteSeparatorCuvant(text[i - 1]))
        --i;
    while (i >= 1 && !EsteSeparatorCuvant(text[i - 1]))
        --i;
    return i + 1;
}

int PozitieCuvantDreapta(const QString& text, int p)
{
    const int n = int(text.length());
    if (n == 0)
        return 1;
    int i = std::clamp(p + 1, 1, n);
    while (i <= n && EsteSeparatorCuvant(text[i - 1]))
        ++i;
    while (i <= n && !EsteSeparatorCuvant(text[i - 1]))
        ++i;
    return i;
}

int PozitieLaX(int x, int lungime, const std::function<int(int)>& latimePrefix)
{
    // Left of the first character the nearest boundary is the start, not the end of the text.
    if (x < 0)
        return 1;
    int inainte = 0;
    for (int i = 1; i <= lungime; ++i) {
        const int dupa = latimePrefix(i);
        if (inainte <= x && x <= dupa)
            return x - inainte < dupa - x ? i : i + 1;
        inainte = dupa;
    }
    return lungime + 1;
}
