#pragma once

#include <QString>

#include <memory>
#include <vector>

class QDialog;
class QWidget;

// A kind of printable form. The student list shows one print button per registered handler.
class THandlerFormularDePrintat
{
public:
    virtual ~THandlerFormularDePrintat() = default;
    QString Titlu;
    // A new preview window for the form, owned by the given widget; null when it cannot be shown and the user,
    // told why, chose to leave it.
    virtual QDialog* CreeazaFormular(QWidget* proprietar) = 0;
};

// The program's handlers, in registration order; owns them.
class TListaHandlerFormularDePrintat
{
public:
    void AdaugaHandler(std::unique_ptr<THandlerFormularDePrintat> handler);
    THandlerFormularDePrintat* HandlerLa(int index) const { return m_handlere.at(size_t(index)).get(); }
    int Count() const { return int(m_handlere.size()); }
    // For tests that register handlers of their own.
    void Goleste() { m_handlere.clear(); }

private:
    std::vector<std::unique_ptr<THandlerFormularDePrintat>> m_handlere;
};

// The one registry, created empty on first use; it lives until the program ends.
TListaHandlerFormularDePrintat& ListaHandlere();

// Gives every page of a newly made preview window zoom 100.
void PregatesteFormularNou(QWidget* formular);

// Writes a student's values into every area of every page of the preview window: starts the data module's
// transaction (it must be idle) and rolls it back, also on error. Areas filled before an error keep their
// new texts. The window's properties "IdElev" and "DenumireElev", where it has them, name the student.
void CompleteazaPaginile(QWidget* formular, qint64 idElev, const QString& denumire = {});
