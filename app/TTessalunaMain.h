#pragma once

#include "store/ULiniiElevi.h"

#include <QMainWindow>
#include <QRect>

#include <optional>

class QAction;
class TListaElevi;
class TMeniuRegistru;

// Where the main window goes: on a monitor less than 1200 pixels high it fills the work area less 15 pixels
// on every side and is maximised; otherwise it keeps its designed size.
struct TPlasareFereastra
{
    QRect Geometrie;
    bool Maximizata = false;
};
TPlasareFereastra PlaseazaFereastraPrincipala(const QRect& ecran, const QRect& zonaLucru, const QSize& proiectata);

class TTessalunaMain : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr int LatimeProiectata = 869;
    static constexpr int InaltimeProiectata = 623;

    // With the students read and sorted already (the start-up reads them beside the start screen), the list
    // shows them instead of reading the register again.
    explicit TTessalunaMain(std::optional<TListaLiniiElevi> liniiCitite = std::nullopt, QWidget* parinte = nullptr);
    // One hidden instance of the secondary windows, created once after the main window.
    void CreeazaFerestreAscunse();

    QAction* ConfigurareImprimanta = nullptr;
    QAction* CalibrareImprimanta = nullptr;
    QAction* FormatNote = nullptr;
    QAction* ConfigurareSablonDiploma = nullptr;
    QAction* ConfigurareScoala = nullptr;
    QAction* ImportDinExcel = nullptr;
    QAction* LoturiFormulare = nullptr;
    TListaElevi* ListaElevi = nullptr;
    TMeniuRegistru* Registru = nullptr;

protected:
    void changeEvent(QEvent* e) override;

private:
    void CreeazaMeniul();

    QRect m_cadruLaRestaurare; // where the whole window goes the first time it is restored; empty after
};
