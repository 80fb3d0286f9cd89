#pragma once

#include <QList>
#include <QPointer>
#include <QPushButton>
#include <QString>

#include <memory>

class QTreeWidget;

// A kind of printable form. The student list shows one print button per registered handler.
class THandlerFormularDePrintat
{
public:
    virtual ~THandlerFormularDePrintat() = default;
    QString Titlu;
    // A new preview window for the form, owned by the given widget.
    virtual QWidget* CreeazaFormular(QWidget* proprietar) = 0;
    // Writes a student's values into the window's pages and shows the preview; runs its own transaction.
    virtual void CompleteazaPentruElev(QWidget* formular, qint32 idElev) = 0;
};

// The program's handlers, in registration order; owns them.
class TListaHandlerFormularDePrintat
{
public:
    void AdaugaHandler(std::unique_ptr<THandlerFormularDePrintat> handler);
    THandlerFormularDePrintat* HandlerLa(int index) const { return m_handlere.at(index).get(); }
    int Count() const { return int(m_handlere.size()); }
    // For tests that register handlers of their own.
    void Goleste() { m_handlere.clear(); }

private:
    std::vector<std::unique_ptr<THandlerFormularDePrintat>> m_handlere;
};

// The one registry, created empty on first use.
TListaHandlerFormularDePrintat& ListaHandlere();

// A print button of the student list: prints the form of its handler for the selected student.
class TButonFormular : public QPushButton
{
    Q_OBJECT

public:
    TButonFormular(THandlerFormularDePrintat* handler, QTreeWidget* arbore, QWidget* parinte);
    THandlerFormularDePrintat* Handler = nullptr;
    QTreeWidget* Arbore = nullptr;
    // The preview window, made on the first press and kept, owned by the button.
    QPointer<QWidget> Formular;

    void CompleteazaFormular();
};
