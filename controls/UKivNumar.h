#pragma once

#include <QString>

// The number edit's text rules and value conversions, apart from the widget. Values in ten-thousandths
// are the number edit's AsCurrency (a fixed-point decimal with four places).

// Whether a text may be a number edit's content: digits, at most one leading "-", at most one "," or
// "." with no more than nrCifreDupaVirgula digits after it, fewer than 18 characters before the
// separator plus digits after it. An accepted text gets its "." turned into ",". Empty and "-" pass.
bool NormalizeazaNumar(QString& text, int nrCifreDupaVirgula);

// The text as ten-thousandths: fraction padded or cut (never rounded) to four digits. Throws EEroare
// when the text is not a number or does not fit in 64 bits.
qint64 CitesteAsCurrency(const QString& text);

// Integer digits followed by the first `zecimale` fraction digits (padded with zeros), read as one
// integer with its sign: 12,3 gives 1230 for two decimals. Empty gives 0; other non-numbers throw EEroare.
qint64 CitesteCuZecimale(const QString& text, int zecimale);

// The text before the first "," or "." as an integer; 0 when that is not a number.
qint64 CitesteFaraZecimale(const QString& text);

// Integer part, "," and the first two of the four fraction digits (cut, not rounded); "-" when negative.
QString TextDinAsCurrency(qint64 valoare);

// n divided by 10^zecimale and, when there is a remainder, "," and the remainder in `zecimale` digits;
// one leading "-" for a negative n.
QString TextDinZecimale(qint64 n, int zecimale);
