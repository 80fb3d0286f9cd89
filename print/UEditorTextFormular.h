#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;
class TFontFormular;
struct TParticularizareTextArea;

// "Informatii camp": the corrections of one text area (alignment, half-millimetre shifts, another font of
// the form, a text of its own, italic, bold, an installed face).
class TEditorTextFormular : public QDialog
{
    Q_OBJECT
public:
    explicit TEditorTextFormular(QWidget* parinte = nullptr);

    // Shows the record; `fonturi` are the form's fonts in component order, `fontSelectat` the one in use.
    void Incarca(const TParticularizareTextArea& inreg, const QStringList& sursaText,
                 const QList<TFontFormular*>& fonturi, const TFontFormular* fontSelectat);
    // Writes the dialog's choices into the record.
    void Salveaza(TParticularizareTextArea& inreg) const;

private:
    void ArataPrevizualizare();

    QList<TFontFormular*> m_fonturi;
    QPlainTextEdit* m_sursa = nullptr;
    QListWidget* m_fonturiFormular = nullptr;
    QComboBox* m_italic = nullptr;
    QComboBox* m_bold = nullptr;
    QRadioButton* m_fontImplicit = nullptr;
    QRadioButton* m_fontSpecificat = nullptr;
    QListWidget* m_fonturiInstalate = nullptr;
    QLabel* m_previzualizare = nullptr;
    QLineEdit* m_textRedefinit = nullptr;
    QButtonGroup* m_aliniere = nullptr;
    QButtonGroup* m_orizontal = nullptr;
    QButtonGroup* m_vertical = nullptr;
};
