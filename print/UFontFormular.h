#pragma once

#include <QList>
#include <QObject>
#include <QString>

// What a font asks of the areas that use it.
class TUtilizatorFont
{
public:
    // One of the font's properties changed: repaint.
    virtual void FontChanged() = 0;
    // The font is being destroyed: forget it without detaching.
    virtual void FontDestroyed() = 0;

protected:
    ~TUtilizatorFont() = default;
};

// One font of a printable form, sized in millimetres (the cell height of its letters). The form owns it;
// areas refer to it by pointer and layout data and the adjustments store by its objectName().
class TFontFormular : public QObject
{
    Q_OBJECT
public:
    explicit TFontFormular(QObject* proprietar = nullptr);
    ~TFontFormular() override;

    const QString& FontName() const { return m_fontName; }
    int CodePage() const { return m_codePage; }
    int CharSet() const { return m_charSet; }
    double Size() const { return m_size; }
    bool Bold() const { return m_bold; }
    bool Italic() const { return m_italic; }
    const QString& DescrierePentruEditor() const { return m_descriere; }

    // Each setter stores the value and tells every attached area (FontChanged), in attachment order.
    void SetFontName(const QString& v);
    void SetCodePage(int v);
    void SetCharSet(int v);
    void SetSize(double v);
    void SetBold(bool v);
    void SetItalic(bool v);
    // Only stores.
    void SetDescrierePentruEditor(const QString& v) { m_descriere = v; }

    // Label of the font in the field editor's font list.
    QString Eticheta() const { return m_descriere.isEmpty() ? objectName() : m_descriere; }

    void AttachArea(TUtilizatorFont* zona);
    void DetachArea(TUtilizatorFont* zona);
    const QList<TUtilizatorFont*>& Zone() const { return m_zone; }

private:
    void Anunta();

    QString m_fontName = QStringLiteral("Arial");
    int m_codePage = 1250;
    int m_charSet = 238;
    double m_size = 3.0;
    bool m_bold = false;
    bool m_italic = false;
    QString m_descriere;
    QList<TUtilizatorFont*> m_zone;
};
