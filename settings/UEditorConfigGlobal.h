#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPainter;
class QPalette;
class QRadioButton;
class QRect;
class QTabWidget;
class QTimer;

// "Editor informatii globale": the grade formats and letter case of the year's forms (and, on a hidden
// tab, the forms of address). Creating it loads the settings, fills in the missing formats and writes
// them back at once; "Ok" stores what the user chose, "Renunt" nothing. Modal; open a fresh one each
// time and let it go when it closes.
class TEditorConfigGlobal : public QDialog
{
    Q_OBJECT

public:
    explicit TEditorConfigGlobal(QWidget* parinte = nullptr);

    // Height of one entry of the format lists, in pixels.
    static constexpr int kInaltimeFormat = 30;

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void Construieste();
    void Incarca();
    void Ok();

    QLabel* m_nota = nullptr;
    QTimer* m_clipire = nullptr;
    QTabWidget* m_pagini = nullptr;
    QComboBox* m_sufixFete = nullptr;
    QComboBox* m_sufixBaieti = nullptr;
    QComboBox* m_notaDiploma = nullptr;
    QComboBox* m_medieDiploma = nullptr;
    QComboBox* m_notaCotor = nullptr;
    QComboBox* m_medieCotor = nullptr;
    QRadioButton* m_litereMari = nullptr;
    QRadioButton* m_litereMici = nullptr;
};

// Draws one entry of a format list: its sample grade lines centred in the rectangle, on the highlight
// colour when selected, else on the window colour.
void DeseneazaFormatNota(QPainter& p, const QRect& dreptunghi, const QString& format, bool selectat,
                         const QPalette& paleta);
