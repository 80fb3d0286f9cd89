#include "store/URezolvare.h"

QString RezolvaValoare(TSursaValori& sursa, TCheieCamp cheie, qint64 id)
{
    for (int adancime = 0; adancime <= AdancimeMaximaOglinzi; ++adancime) {
        TProfilCamp profil;
        if (!sursa.Profil(cheie, profil))
            return {};
        const bool propriu = profil.OnorezSimilar.toUpper() == u"NU" || profil.OnorezSimilar.isEmpty() ||
                             profil.SimilarCu.trimmed().isEmpty();
        if (propriu)
            return sursa.ValoareProprie(cheie, profil.AsociatCu, id);
        if (profil.OnorezSimilar == u"OPTIONAL") {
            const QString propria = sursa.ValoareProprie(cheie, profil.AsociatCu, id);
            if (!propria.isEmpty())
                return propria;
        }
        cheie = DesparteCheie(profil.SimilarCu);
    }
    return {};
}

QList<TSegmentExpresie> ParseazaExpresie(const QString& expresie)
{
    QList<TSegmentExpresie> segmente;
    QString text;
    QString cheie;
    bool inCheie = false;
    for (const QChar c : expresie) {
        if (!inCheie) {
            if (c == u'{') {
                cheie.clear();
                inCheie = true;
            } else {
                text += c;
            }
        } else if (c == u'}') {
            if (!text.isEmpty())
                segmente << TSegmentExpresie{false, text, {}};
            text.clear();
            segmente << TSegmentExpresie{true, {}, DesparteCheie(cheie)};
            inCheie = false;
        } else {
            cheie += c;
        }
    }
    // A key that was never closed is dropped.
    if (!text.isEmpty())
        segmente << TSegmentExpresie{false, text, {}};
    return segmente;
}

QString FaraSpatiiFinale(const QString& text)
{
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == u' ')
        --n;
    return n == text.size() ? text : text.left(n);
}

bool CheiePreaLunga(const TCheieCamp& cheie)
{
    for (const QString* cod : {&cheie.Formular, &cheie.Pagina, &cheie.Camp}) {
        if (cod->size() > LungimeMaximaCod && cod->toUcs4().size() > LungimeMaximaCod)
            return true;
    }
    return false;
}
