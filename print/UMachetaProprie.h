#pragma once

#include "print/UMachetaFormular.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

struct TLinieProfilDiploma;

// The school's own layout of the certificate: a readable text file (JSON with a version number) in the
// per-user data folder that, when present, replaces the built-in layout for the preview, every print job,
// the PDF copies and the check before printing. Headless.

// The version of the layout file this program writes; it reads no other.
constexpr int VersiuneMacheta = 1;

// Path of the school's layout file in the per-user data folder.
QString CaleMachetaProprie();

// The layout as the text of a layout file, millimetres written exactly.
QByteArray ScrieTextMacheta(const TMachetaFormular& macheta);

// Reads the text of a layout file and checks it (ProblemeMacheta against `profil`). Throws EEroare with the
// reason in Romanian for a damaged file, a missing, unknown or newer version, or an invalid layout.
TMachetaFormular CitesteTextMacheta(const QByteArray& text, const QList<TLinieProfilDiploma>& profil);

// What makes a layout unusable, one sentence each; empty when none: a form or page the program does not have,
// an area outside its page or of zero size, two areas of one name, a key the profile lacks, a character
// position or count that is not a positive number, a font the form lacks.
QStringList ProblemeMacheta(const TMachetaFormular& macheta, const QList<TLinieProfilDiploma>& profil);

// The profile lines that keys are checked against: the registered profile's, else the certificate's.
QList<TLinieProfilDiploma> ProfilPentruMacheta();

// True when the school's own layout file is in use.
bool MachetaProprieFolosita();

// Why the school's layout file cannot be used (damaged, of a newer or unknown version, invalid), naming the
// file; empty when it can, or when there is none.
QString ProblemaMachetaProprie();

// The way out of a school's layout file that cannot be used: the file is kept beside, renamed
// "<file>.nefolosita-YYYYMMDD-HHMMSS", and the layout file `importata` (read and checked first) or, without one,
// the built-in layout is used instead. Returns the name the file was kept under. Throws EEroare, having changed
// nothing, when `importata` is refused or the file cannot be renamed.
QString InlocuiesteMachetaNefolosibila(const QString& importata = {});

// Checks `macheta` and writes it as the school's layout, then uses it. Throws EEroare (nothing written,
// nothing changed) when it is invalid or cannot be written.
void SalveazaMachetaProprie(const TMachetaFormular& macheta);

// Goes back to the built-in layout; the school's file is kept beside as "<file>.anterioara".
void RevinoLaMachetaInitiala();

// Writes the layout in use to `cale`. Throws EEroare when it cannot.
void ExportaMacheta(const QString& cale);

// Reads, checks and saves the layout file `cale` as the school's own. Throws EEroare (nothing changed) when the
// file cannot be read, is damaged, of an unknown or newer version, or invalid.
void ImportaMacheta(const QString& cale);

// Keeps a copy of the school's scanned blank `sursa` (a PNG, or a PDF whose first page is the blank) in the
// per-user data folder, under a name of its own, and returns the copy's path. Throws EEroare when it is neither,
// has no page, asks for a password or cannot be copied.
QString PastreazaFundal(const QString& sursa);

// The picture of a page's background file for a page of `latimeMm` x `inaltimeMm`: a picture file as it is (it
// is stretched over the page), the first page of a PDF drawn at its own millimetres from the page's corner and
// cut at the page's edges. A null image when the file cannot be read.
QImage ImagineFundal(const QString& cale, double latimeMm, double inaltimeMm);

// Forgets the layout read so far: the next MachetaCertificat() reads the file again.
void UitaMachetaCitita();
