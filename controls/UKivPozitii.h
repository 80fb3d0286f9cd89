#pragma once

#include <QString>

#include <functional>

// Caret arithmetic of the edit controls, apart from the widget. Positions are 1-based: position p
// stands before character p, 1 ... length + 1.

// Tab, line feed, carriage return, blank, comma and full stop end a word.
bool EsteSeparatorCuvant(QChar c);

// Ctrl+Left from p: passes the separators directly left of p, then stops at the first character of
// the word before them.
int PozitieCuvantStanga(const QString& text, int p);

// Ctrl+Right from p: starts one character right of p (at most at the last character), passes
// separators, then stops at the first separator after the word or after the last character.
int PozitieCuvantDreapta(const QString& text, int p);

// The character boundary nearest to x (pixels from where the text starts); latimePrefix(i) is the width
// of the first i characters. Ties go right; left of the text gives 1, right of it length + 1.
int PozitieLaX(int x, int lungime, const std::function<int(int)>& latimePrefix);
