#pragma once

#include "print/UHandlere.h"

#include <QDialog>

#include <memory>

class QPushButton;
class QScrollArea;
class QTabWidget;
class TFormularDePrintat;
class TFormularRandat;
class TEditorMacheta;
class TTragereMacheta;
class QShortcut;
class QComboBox;
class QLineEdit;
struct TMachetaFormular;

// Base of the preview windows: centred on the work area when made.
class TTemplate : public QDialog
{
    Q_OBJECT

public:
    explicit TTemplate(QWidget* parinte = nullptr);
};

// "Vizualizare inaintea imprimarii": the certificate's page over the picture of the blank form, zoomable,
// each area clickable for its corrections, and the print job.
class TPrintTessalunaForm : public TTemplate
{
    Q_OBJECT
    Q_PROPERTY(qint64 IdElev MEMBER IdElev)
    Q_PROPERTY(QString DenumireElev MEMBER DenumireElev)

public:
    explicit TPrintTessalunaForm(QWidget* parinte = nullptr);

    QPushButton* Tipareste = nullptr;
    QPushButton* Mareste = nullptr;
    QPushButton* Micsoreaza = nullptr;
    QPushButton* Verifica = nullptr;
    QPushButton* SalveazaPdf = nullptr;
    QPushButton* Tipariri = nullptr;
    QPushButton* MachetaInitiala = nullptr;
    QPushButton* ExportaMacheta = nullptr;
    QPushButton* ImportaMacheta = nullptr;
    // Edit mode of the layout: the areas are selected, moved and resized instead of corrected.
    QPushButton* Macheta = nullptr;
    QPushButton* AdaugaZona = nullptr;
    QPushButton* StergeZona = nullptr;
    QPushButton* SalveazaMacheta = nullptr;
    QPushButton* FundalScanat = nullptr;
    // The side panel of edit mode: the four commands above, then the first selected area's values.
    QWidget* PanouZona = nullptr;
    QWidget* CampuriZona = nullptr;
    QComboBox* ZonaCheie = nullptr;
    QLineEdit* ZonaPozitie = nullptr;
    QLineEdit* ZonaNumar = nullptr;
    QComboBox* ZonaFont = nullptr;
    QComboBox* ZonaAliniere = nullptr;
    QLineEdit* ZonaStanga = nullptr;
    QLineEdit* ZonaSus = nullptr;
    QLineEdit* ZonaLatime = nullptr;
    QLineEdit* ZonaInaltime = nullptr;
    QPushButton* ZonaAplica = nullptr;
    QPushButton* Iesire = nullptr;
    QTabWidget* Pagini = nullptr;
    QScrollArea* ScrollFata = nullptr;
    TFormularDePrintat* FormularDePrintat1 = nullptr;
    // The form the window shows: the one model of its page, which the page and area widgets view.
    std::shared_ptr<TFormularRandat> Formular;

    // The student whose values the page shows (set by the filling).
    qint64 IdElev = 0;
    QString DenumireElev;

    // The side being printed: the active tab (0 front, 1 back).
    int Parte() const;
    // The print job: checks the wizard was run, asks for the sheet, prints the active side's areas.
    void RuleazaTiparirea();
    // Prints side `parte` on the printer in use, landscape, in one document; the areas too wide for their
    // boxes are returned. `destinatie` receives the printer or PDF file written, empty when nothing was.
    QStringList TiparesteParte(int parte, bool oglinda, double stanga, double sus, QString* destinatie = nullptr);
    // Outlines on screen the areas that would print wrong and says what is wrong; returns how many.
    int VerificaInainteDeTiparire();
    // Builds the page again from `macheta` (by default the layout in use), filled for the same student, at the
    // same zoom.
    void ArataMacheta();
    void ArataMacheta(const TMachetaFormular& macheta);
    // Turns the layout's edit mode on or off; leaving it with unsaved edits asks whether to save them.
    void SeteazaModEditare(bool activ);
    bool ModEditare() const { return m_editor != nullptr; }
    // The edits of edit mode; null outside it.
    TEditorMacheta* EditorMacheta() const { return m_editor.get(); }
    void MaresteZoom();
    void MicsoreazaZoom();

    ~TPrintTessalunaForm() override;

protected:
    bool eventFilter(QObject* obiect, QEvent* e) override;

private:
    // Shows the editor's layout after an edit: in place when only rectangles changed, else rebuilt.
    void ArataEditarea();
    // Fills the side panel from the first selected area; writes it back into that area.
    void ArataPanoul();
    void AplicaPanoul();
    std::unique_ptr<TEditorMacheta> m_editor;
    std::unique_ptr<TTragereMacheta> m_mouse;
    QList<QShortcut*> m_taste;
};

// The certificate's handler: "Tessaluna", whose window is TPrintTessalunaForm.
class THandlerTessaluna : public THandlerFormularDePrintat
{
public:
    THandlerTessaluna();
    QDialog* CreeazaFormular(QWidget* proprietar) override;
};

// Adds the certificate's handler to the registry; call once, before any window exists.
void InregistreazaHandlerTessaluna();
