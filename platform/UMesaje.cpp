#include "platform/UMesaje.h"

#include <QApplication>
#include <QFileDialog>
#include <QList>

namespace {
QList<QMessageBox::StandardButton> g_raspunsuri;
QStringList g_afisate;
TMesaje::TTip g_ultimulTip = TMesaje::Informatie;
bool g_faraFerestre = false;
QStringList g_fisiere;
} // namespace

QMessageBox::StandardButton TMesaje::Arata(QWidget* parinte, TTip tip, const QString& text)
{
    g_afisate << text;
    g_ultimulTip = tip;
    if (!g_raspunsuri.isEmpty())
        return g_raspunsuri.takeFirst();
    if (g_faraFerestre)
        return tip == Intrebare ? QMessageBox::No : QMessageBox::Ok;

    const QString titlu = QApplication::applicationDisplayName();
    switch (tip) {
    case Avertisment:
        return QMessageBox::warning(parinte, titlu, text, QMessageBox::Ok);
    case Intrebare:
        return QMessageBox::question(parinte, titlu, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    case Eroare:
        return QMessageBox::critical(parinte, titlu, text, QMessageBox::Ok);
    case Informatie:
        break;
    }
    return QMessageBox::information(parinte, titlu, text, QMessageBox::Ok);
}

void TMesaje::Avertizeaza(QWidget* parinte, const QString& text)
{
    Arata(parinte, Avertisment, text);
}

bool TMesaje::Intreaba(QWidget* parinte, const QString& text)
{
    return Arata(parinte, Intrebare, text) == QMessageBox::Yes;
}

void TMesaje::Informeaza(QWidget* parinte, const QString& text)
{
    Arata(parinte, Informatie, text);
}

void TMesaje::ArataEroare(QWidget* parinte, const QString& text)
{
    Arata(parinte, Eroare, text);
}

QString TMesaje::CereFisierDeScris(QWidget* parinte, const QString& titlu, const QString& implicit,
                                   const QString& filtru)
{
    g_afisate << titlu;
    g_ultimulTip = Intrebare;
    if (!g_fisiere.isEmpty())
        return g_fisiere.takeFirst();
    // Under test a file question nobody answered is a cancel, never a window that waits for a user.
    if (g_faraFerestre)
        return {};
    return QFileDialog::getSaveFileName(parinte, titlu, implicit, filtru);
}

QString TMesaje::CereFisierDeCitit(QWidget* parinte, const QString& titlu, const QString& dosar,
                                  const QString& filtru)
{
    g_afisate << titlu;
    g_ultimulTip = Intrebare;
    if (!g_fisiere.isEmpty())
        return g_fisiere.takeFirst();
    if (g_faraFerestre)
        return {};
    return QFileDialog::getOpenFileName(parinte, titlu, dosar, filtru);
}

void TMesaje::SetFisierUrmator(const QString& cale)
{
    g_fisiere << cale;
}

void TMesaje::SetRaspunsUrmator(QMessageBox::StandardButton raspuns)
{
    g_raspunsuri << raspuns;
}

void TMesaje::SetFaraFerestre(bool faraFerestre)
{
    g_faraFerestre = faraFerestre;
}

QStringList TMesaje::MesajeAfisate()
{
    return g_afisate;
}

QString TMesaje::UltimulMesaj()
{
    return g_afisate.isEmpty() ? QString() : g_afisate.last();
}

TMesaje::TTip TMesaje::UltimulTip()
{
    return g_ultimulTip;
}

void TMesaje::Goleste()
{
    g_afisate.clear();
    g_raspunsuri.clear();
    g_fisiere.clear();
}
