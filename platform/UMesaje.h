#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Every message box of the program goes through here. Tests queue the answers of the next boxes and
// read back what was shown, so no real modal loop runs under test.
class TMesaje
{
public:
    enum TTip
    {
        Avertisment,
        Intrebare,
        Informatie,
        Eroare,
        Reconectare
    };

    // Warning with an OK button ("Nota este prea mica").
    // `detalii`: the technical text of the cause, shown only under "Detalii" (the box's detailed text).
    static void Avertizeaza(QWidget* parinte, const QString& text, const QString& detalii = {});
    // Confirmation with Yes and No; true for Yes.
    static bool Intreaba(QWidget* parinte, const QString& text);
    // Plain message ("Va rog selectati un elev!").
    static void Informeaza(QWidget* parinte, const QString& text);
    // The application's error display.
    static void ArataEroare(QWidget* parinte, const QString& text, const QString& detalii = {});
    // A broken connection: the error with the buttons "Reconecteaza" and "Renunt"; true for "Reconecteaza".
    // Under test a queued QMessageBox::Retry answers "Reconecteaza".
    static bool IntreabaReconectarea(QWidget* parinte, const QString& text);

    // A warning whose buttons carry the caller's texts, each standing for a standard button (what a test queues);
    // the last is the default and the escape, and the answer of a box a test left unanswered.
    static QMessageBox::StandardButton Alege(QWidget* parinte, const QString& text,
                                             const QList<QPair<QMessageBox::StandardButton, QString>>& butoane);

    // Asks for the name of a file to write; empty when the user cancels.
    static QString CereFisierDeScris(QWidget* parinte, const QString& titlu, const QString& implicit,
                                     const QString& filtru);
    // Asks for an existing file to read; empty when the user cancels. Answered by the same test seam.
    static QString CereFisierDeCitit(QWidget* parinte, const QString& titlu, const QString& dosar,
                                     const QString& filtru);
    // Test seam: the next file question is not shown and answers this (empty: cancelled).
    static void SetFisierUrmator(const QString& cale);

    // Test seam: the next box is not shown and answers this instead.
    static void SetRaspunsUrmator(QMessageBox::StandardButton raspuns);
    // Test seam: when on, no box is shown; each takes the queued answer. One that needs an answer (a question, the
    // reconnection, a file question) and finds none calls the handler below with its text, then answers as a
    // user who refuses (No, "Renunt", no file).
    static void SetFaraFerestre(bool faraFerestre);
    // The test programs' handler of a question nobody answered: it fails the running test with the text.
    static void SetLaIntrebareFaraRaspuns(std::function<void(const QString& text)> handler);
    static QStringList MesajeAfisate();
    static QString UltimulMesaj();
    // The details of the last box (empty when it had none).
    static QString UltimeleDetalii();
    static TTip UltimulTip();
    static void Goleste();

    // Gives a message box's standard buttons their Romanian texts ("Da", "Nu", "OK", "Renunt").
    static void TraduceButoane(QMessageBox& cutie);

private:
    static QMessageBox::StandardButton Arata(QWidget* parinte, TTip tip, const QString& text,
                                             const QString& detalii = {});
};
