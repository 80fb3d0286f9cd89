#include "store/URezolvare.h"

TModRezolvare ModRezolvare(const TProfilCamp& profil)
{
    const QString& mod = profil.OnorezSimilar;
    if (mod.toUpper() == u"NU" || mod.isEmpty() || profil.SimilarCu.trimmed().isEmpty())
        return TModRezolvare::Propriu;
    // A field given its own editor ("SELECTIV") prints what was typed there; left empty, it follows its mirror.
    if (mod == u"OPTIONAL" || mod == u"SELECTIV")
        return TModRezolvare::PropriuApoiOglinda;
    return TModRezolvare::Oglinda;
}

QString RezolvaValoare(TSursaValori& sursa, TCheieCamp cheie, qint64 id)
{
    for (int adancime = 0; adancime <= AdancimeMaximaOglinzi; ++adancime) {
        TProfilCamp profil;
        if (!sursa.Profil(cheie, profil))
            return {};
        const TModRezolvare mod = ModRezolvare(profil);
        if (mod != TModRezolvare::Oglinda) {
            const QString propria = sursa.ValoareProprie(cheie, profil.AsociatCu, id);
            if (mod == TModRezolvare::Propriu || !propria.isEmpty())
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
