#pragma once

#include <QString>
#include <QStringList>

// Items joined by commas; an item holding a blank, a comma, a double quote or a control character is put
// in double quotes with its inner quotes doubled.
QString TextCuVirgule(const QStringList& elemente);
// The reverse: splits at commas outside quotes, an unquoted item also ends at a blank or control character.
QStringList DesparteTextCuVirgule(const QString& text);

// A number in the general format (up to 15 significant digits, no trailing zeros) with the decimal
// separator of the program's locale: 2.5 is "2,5" under Romanian settings.
QString FormatNumarGeneral(double valoare);
// Reads such a number; throws EEroare naming the text when it is not one.
double CitesteNumarGeneral(const QString& text);
// A length in millimetres as the user types it, whatever the desktop's language: "2,5" and "2.5" alike,
// blanks around it ignored; throws EEroare with a Romanian message otherwise.
double CitesteMilimetri(const QString& text);
// A length in millimetres as the user reads it: shortest exact text, with a decimal comma ("2,5").
QString TextMilimetri(double valoare);

// The print settings shared by the print job and the printer wizard, kept in the registry: a plain value,
// read and written only when asked (Citeste, Scrie).
class TSetariImprimare
{
public:
    // SOFTWARE\Zorvik SOFT\Pravelo\2006\Tessaluna under HKEY_CURRENT_USER.
    static QString Cheie();
    // The stored settings, read without writing anything.
    static TSetariImprimare Citite();

    bool Configurata = false;
    bool ParteOpusa = false;
    bool OglindaOrizontala = false;
    bool OglindaVerticala = false;
    int ModAlimentare = 0; // 1 top at the back, 2 front tray, 3 cassette turned over, 4 cassette normal
    double MargineStangaFata = 0;
    double MargineSusFata = 0;
    double MargineStangaVerso = 0;
    double MargineSusVerso = 0;
    QString NumeImprimanta;
    int IndexImprimanta = 0;
    QString OglindaFata = QStringLiteral("*"); // "D" yes, "N" no, "*" not chosen yet
    QString OglindaVerso = QStringLiteral("*");

    // Loads the stored values. An unreadable "all" value is reported once per run; the record then keeps the
    // values of a record with nothing stored, and the damaged text stays in the registry until a write
    // that carries a change.
    void Citeste();
    // Writes every value; throws ERegistru when the registry cannot be written.
    void Scrie();

    // The mirror choice of side 0 (front) or 1 (back); "*" for any other side.
    QString Oglinda(int parte) const;
    void SeteazaOglinda(int parte, const QString& text);

    // The comma text of the "all" value.
    QString TextAll() const;
    // Fills the fields of "all" from its comma text; throws EEroare when it cannot be read.
    void CitesteAll(const QString& text);
    bool AllDeteriorat() const { return m_allDeteriorat; }

private:
    bool m_allDeteriorat = false;
    QString m_allLaIncarcare; // what "all" would be written as right after loading
};

// The print settings record of a print job or a wizard run: loaded when created, written back when destroyed,
// whether or not anything changed (a write that fails is reported, never thrown).
class TAllStuffReg : public TSetariImprimare
{
public:
    TAllStuffReg();
    ~TAllStuffReg();
    TAllStuffReg(const TAllStuffReg&) = delete;
    TAllStuffReg& operator=(const TAllStuffReg&) = delete;
};
