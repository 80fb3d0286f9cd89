#pragma once

#include <QColor>
#include <QDate>
#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <array>
#include <functional>
#include <utility>

// The virtual grid's rules that need no widget: typed cell values and their display texts, the grouped
// header's captions and word wrap, the choice of a line's style, the font bits of a line, the hover ramp
// and the grid's dimensions after a rebuild.

// Data types of a column and of a cell value (the codes are stored with forms).
enum TKivTipDeDateColoana : quint8
{
    atCurrency = 0,
    atInteger = 1,
    atIntegerDouaZecimale = 2,
    atString = 3,
    atDataScurtFaraAn = 4,
    atDataScurtCuAn = 5,
    atDataLung = 6,
    atAuto = 7,
    atAsk = 8
};

// One typed cell value. Money (type 0) is held in ten-thousandths, type 2 in hundredths.
class TKivValoareDate
{
public:
    TKivTipDeDateColoana Tip() const { return m_tip; }
    const QVariant& Valoare() const { return m_valoare; }

    // Each getter throws EEroare("Tip incorect") when Tip is another type.
    qint64 AsCurrency() const;
    qint64 AsInteger() const;
    qint64 AsIntegerDouaZecimale() const;
    QString AsString() const;
    QDate AsDataScurtFaraAn() const;
    QDate AsDataScurtCuAn() const;
    QDate AsDataLung() const;

    void SetAsCurrency(qint64 zeciMiimi) { Seteaza(zeciMiimi, atCurrency); }
    void SetAsInteger(qint64 valoare) { Seteaza(valoare, atInteger); }
    void SetAsString(const QString& text) { Seteaza(text, atString); }
    void SetAsDataScurtFaraAn(const QDate& data) { Seteaza(data, atDataScurtFaraAn); }
    void SetAsDataScurtCuAn(const QDate& data) { Seteaza(data, atDataScurtCuAn); }
    void SetAsDataLung(const QDate& data) { Seteaza(data, atDataLung); }
    // Any value with any type code: type 2 values (hundredths) and cells without data (atAsk) are set here.
    void Seteaza(const QVariant& valoare, TKivTipDeDateColoana tip);

private:
    void Verifica(TKivTipDeDateColoana tip) const;

    TKivTipDeDateColoana m_tip = atAuto;
    QVariant m_valoare;
};

// Display text of a value by its own type: "1.234.567,89" for money, "-0,05" for -5 hundredths,
// "5 martie 2006" for a long date. Throws EEroare("Bug! Nu stiu citi tipul de date!") for atAuto and atAsk.
QString TextValoare(const TKivValoareDate& valoare);

// The sample text a column of the type shows while a form is being designed.
QString TextDeProba(TKivTipDeDateColoana tip);

// The shown part of a group caption: what follows its first "|", or the whole caption.
QString TextUmbrelaAfisat(const QString& umbrela);

// First and last column of the run of adjacent columns whose group caption equals that of `coloana`
// (whole captions are compared, "|" included). (coloana, coloana) for an empty caption.
std::pair<int, int> GrupUmbrela(const QStringList& umbrele, int coloana);

// A column caption split into lines at blanks: words join a line while the trimmed line is at most
// `latimeMaxima` wide; a word wider than that stands alone.
QStringList RanduriCaptiune(const QString& text, int latimeMaxima, const std::function<int(const QString&)>& latime);

// The style a line paints with: the first active style met counting down from `stilLinie` to 2, else 1.
int AlegeStil(int stilLinie, const std::array<bool, 10>& activ);

// The font with a line's FormatFont bits applied in order: bold on, bold off, italic on, italic off,
// size 6, 8, 10, 11 (a later bit wins).
QFont AplicaFormatFont(QFont font, quint8 biti);

// The ten colours of the hover ramp: colour 0 is `fundal` itself, colour k mixes the background and its
// shade (red and green lowered by 20) k tenths of the way, in hue, saturation and value.
QList<QColor> RampaHover(const QColor& fundal);
// The background of a data cell marked with `intensitate`: ramp colour intensitate - 1 from 2 up,
// `fundal` itself below.
QColor CuloareHover(const QColor& fundal, int intensitate);

// `pasi` colours from `de` toward `la`, mixed in red, green and blue; the first is `de`, the last `la`.
QList<QColor> GradientUmbra(const QColor& de, const QColor& la, int pasi);

// Dimensions of the virtual grid's base grid after a rebuild.
struct TKivDimensiuniGrila
{
    int coloane = 1;
    int randuri = 1;
    int coloaneFixe = 0;
    int randuriFixe = 0;
};
TKivDimensiuniGrila DimensiuniGrila(int nrColoane, int nrLinii, int nrColoaneFixe);

// Virtual-key code of a key as the keyboard rules of the grid count it: digits 48-57, letters 65-90,
// keypad digits 96-105, keypad * + , - . / 106-111, F1-F24 112-135, Enter 13; 0 for other keys.
int CodVirtualTasta(int tastaQt, Qt::KeyboardModifiers modificatori);
// Whether a virtual-key code opens the pop-up editor with a start text (48-57, 65-90, 96-122).
bool EsteTastaDeDeschidere(int codVirtual);
// The start text a key gives the pop-up editor: "0" ... "9" for the keypad digits, else the typed text.
QString TextDeStart(int codVirtual, const QString& textTasta);
