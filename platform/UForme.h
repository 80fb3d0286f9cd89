#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>

class QAbstractItemView;
class QWidget;

// Top-left corner that centres a window of the given size in a work area; never left of or above it.
QPoint PozitieCentrata(const QRect& zonaLucru, const QSize& fereastra);

// Work area (screen minus task bars) of the monitor under the mouse cursor, or of the primary monitor.
QRect ZonaLucruSubCursor();
// Full geometry of that monitor.
QRect EcranSubCursor();

// Centres the window on the work area of the monitor under the mouse cursor.
void CentreazaForma(QWidget* forma);

// Tab in a window whose controls are made at run time: moves the focus to the control after (or before) the
// one holding it, in the order given, coming back from the last to the first. False when the focus is on none
// of them (the window's own order then applies).
bool MutaFocusul(const QList<QWidget*>& ordine, bool inainte);

// A list window from the keyboard: Tab and Shift+Tab leave the list for the window's next control, and Enter on
// a row selects that row (the row Tab entered on is current but not yet selected) and runs `deschide`, as a
// double click does; the window's default button never sees that Enter. Without a row Enter passes on.
void ListaCuTastatura(QAbstractItemView* lista, std::function<void()> deschide);

// Puts the caret in the first control of `pagina` that Tab reaches (a wizard's page just shown); false when it
// has none.
bool FocusPePrimaIntrare(QWidget* pagina);

// From now on, a dialog that closes gives the keyboard back to the window it was opened from (some window
// managers leave no window active, and a user without a mouse would be stuck). Called once at start-up.
void RedaTastaturaLaInchidere();
