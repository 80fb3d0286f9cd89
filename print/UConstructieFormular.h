#pragma once

#include <QList>

class QWidget;
class TFormularDePrintat;
struct TMachetaFormular;

// Builds a form from its layout data into the form window `fereastra`: the fonts become its children in
// component order, each page a child widget of it (a preview may move the page into a scroll area; the
// page keeps `fereastra` as its owner), with its areas in child order. A window without a name takes the
// form's name, the key of its adjustments. Throws EEroare when an area names a font the form lacks.
QList<TFormularDePrintat*> ConstruiesteFormular(const TMachetaFormular& macheta, QWidget* fereastra);
