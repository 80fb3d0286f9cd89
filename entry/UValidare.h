#pragma once

#include <QList>
#include <QString>

// True when the text, taken as it is, is a valid personal numeric code: 13 digits, sex digit 1, 2, 5 or 6,
// a real date of birth (years 05-99 in the 1900s, 00-04 in the 2000s) and the right check digit.
bool CnpValid(const QString& text);

// True for 13 digits whose last is the control digit of the other twelve; nothing else is checked.
bool CifraControlCnp(const QString& text);

// The sex a CNP's first digit gives: 1, 3, 5, 7 a man; 2, 4, 6, 8 a woman; 9 (a foreign citizen), 0, a
// non-digit or an empty text say nothing.
enum TSexCnp
{
    scNecunoscut,
    scBarbat,
    scFemeie
};
TSexCnp SexDinCnp(const QString& cnp);

// Widths of the editors of one line: proportional to their weights, at least 16 pixels each; equal shares
// when every weight is 0.
QList<int> LatimiLinie(int latimeLinie, const QList<int>& ponderi);
