#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Top-left corner that centres a window of the given size in a work area; never left of or above it.
QPoint PozitieCentrata(const QRect& zonaLucru, const QSize& fereastra);

// Work area (screen minus task bars) of the monitor under the mouse cursor, or of the primary monitor.
QRect ZonaLucruSubCursor();
// Full geometry of that monitor.
QRect EcranSubCursor();

// Centres the window on the work area of the monitor under the mouse cursor.
void CentreazaForma(QWidget* forma);
