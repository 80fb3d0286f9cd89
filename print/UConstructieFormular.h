#pragma once

#include <QList>

#include <memory>

class QWidget;
class TFormularDePrintat;
class TFormularRandat;
struct TMachetaFormular;

// Builds the views of a form into the form window `fereastra`: each page of the model becomes a child widget
// of it (a preview may move the page into a scroll area; the page keeps `fereastra` as its owner), with a view
// for each of its areas, in child order. Without a model, one is made from the layout, its fonts children of
// the window in component order. A window without a name takes the form's name, the key of its adjustments.
// Throws EEroare when an area names a font the form lacks.
QList<TFormularDePrintat*> ConstruiesteFormular(const TMachetaFormular& macheta, QWidget* fereastra,
                                                std::shared_ptr<TFormularRandat> model = nullptr);
