#pragma once

#include <QPixmap>
#include <QRect>

class QPainter;

// The pictures of paper insertion and printer calibration, drawn by the program.

// How the certificate goes into the printer, 1 to 4: 1 face up and turned, 2 face down, 3 face up,
// 4 face down and turned.
QPixmap DesenInserare(int pozitie);
// The paper path: 1 from the top at the back, 2 from a front tray.
QPixmap DesenAlimentare(int fel);
// Page 1 of the wizard: 1 top feed, 2 front feed, 3 internal cassette.
QPixmap DesenModAlimentare(int mod);
// Page 4 of the wizard: the sheet drawn in the cassette in normal position, or turned over.
QPixmap DesenHartieCaseta(bool rasturnata);
// How the test sheet goes back into the printer for feed mode 1 to 4; `aDouaOara` after the second arrow.
QPixmap DesenReintroducere(int mod, bool aDouaOara);
// Page 9 of the wizard: the horizontal line at the top or bottom, the vertical one at the left or right.
QPixmap DesenRezultatLinii(bool orizontalaSus, bool verticalaStanga);

// The test pictures, stretched into `r` (device units): the sizes of the pictures are those of a reference
// sheet 677 units wide and 1073 high.
constexpr int LatimeSageata1 = 344, InaltimeSageata1 = 661;
constexpr int LatimeSageata2 = 253, InaltimeSageata2 = 584;
constexpr int LatimeLinii = 452, InaltimeLinii = 736;
void DeseneazaSageata1(QPainter& p, const QRect& r);
void DeseneazaSageata2(QPainter& p, const QRect& r);
void DeseneazaLinii(QPainter& p, const QRect& r);

// The small picture of the print buttons.
QPixmap DesenButonTiparire();
