#pragma once

#include <QPointer>
#include <QPushButton>

class QDialog;
class QTreeView;
class THandlerFormularDePrintat;

// A print button of the student list: fills its handler's preview window with the selected student and
// shows it.
class TButonFormular : public QPushButton
{
    Q_OBJECT

public:
    TButonFormular(THandlerFormularDePrintat* handler, QTreeView* arbore, QWidget* parinte);
    THandlerFormularDePrintat* Handler = nullptr;
    QTreeView* Arbore = nullptr;
    // The preview window, made on the first press and kept, owned by the button.
    QPointer<QDialog> Formular;

    void CompleteazaFormular();
};
