#pragma once

#include <QDate>
#include <QString>

// How Romanian documents write grades, numbers and dates, and the letter case of the Romanian letters.

// Modes of NotaInLitere.
enum TModNota
{
    mnLitere = 1,
    mnCifre = 2,
    mnProcent = 3
};

// A grade given in hundredths of a point (963 for 9.63), in brackets: in words "(NOUĂ, ŞAIZECIŞITREI)",
// in digits "(NOUĂ, 63)" or as a percentage "(NOUĂ, 63%)". Empty for an unknown mode; throws EEroare
// for a negative grade.
QString NotaInLitere(int valoare, int mod);

// A fixed-point value counting ten-thousandths, with thousands points and a decimal comma, cut (not
// rounded) to `zecimale` decimals (0 to 4): FormatFix(2, 96300) is "9,63".
QString FormatFix(int zecimale, qint64 valoare);

// "5 martie 2006". Empty for an invalid date, as are the two below.
QString DataInLitere(const QDate& data);
// "05/03".
QString DataZiLuna(const QDate& data);
// "05/03/06"; the year's third and fourth digits, "?" for the digits a short year lacks (123 gives "3?").
QString DataScurta(const QDate& data);

// A count with its noun as Romanian writes it: "1 diploma", "2 diplome", "20 de diplome", "101 diplome".
QString CuNumar(qint64 numar, const QString& singular, const QString& plural);

// A-Z and the cedilla Ş, Ţ and Ă to small letters; everything else (Â and Î included) stays.
QString MiciRomanesti(const QString& text);
// a-z and the cedilla ş, ţ and ă to capitals; everything else (â and î included) stays.
QString MariRomanesti(const QString& text);

// The "@" notation: @a ă, @s ş, @t ţ, @h â, @i î, @A Ă, @S Ş, @T Ţ, @H Â, @I Î, @@ @. An "@" before any
// other character is dropped with it; a final "@" is dropped.
QString DecodeazaDiacritice(const QString& text);

// A stored grade read as a number, in ten-thousandths of a point (9,5 gives 95000): the digits before the
// first "," or "." are the integer part, the first two digits after it the fraction; everything else is
// ignored, so the result is never negative.
qint64 ValoareNota(const QString& text);

// A text as search compares it: small letters without diacritics ("Ştefan", "ȘTEFAN" and "stefan" all give
// "stefan"); ş and ș, ţ and ț fall together. Letters of other alphabets keep their small form.
QString FormaDeCautare(const QString& text);
// FormaDeCautare(text) in UTF-8, appended to `tinta` without building the texts between.
void AdaugaFormaDeCautare(QByteArray& tinta, const QString& text);

// True when the text holds a cedilla letter (ş Ş ţ Ţ) where Romanian writes a comma below.
bool AreSedile(const QString& text);
// The cedilla letters ş Ş ţ Ţ written as ș Ș ț Ț; everything else stays.
QString CuVirgulaDedesubt(const QString& text);

// True for an area that prints a graduation year after the "200" the blank carries: its field's code (the last
// part of the key) ends in "AN_ABSOLVIRE" and it prints only the year's 4th character.
bool ZonaAnDupa200(const QString& cheie, const QString& pozitie);
// Empty when the year can be printed after the blank's "200" (or is empty); otherwise
// "Anul 2024 nu se poate scrie dupa 200 tiparit pe formular".
QString ProblemaAnPeFormular(const QString& an);
