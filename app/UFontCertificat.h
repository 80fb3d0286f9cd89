#pragma once

#include <QString>

// The certificate's texts are set in "Arial". A desk without Arial, or a font of the same widths that the
// font configuration puts in its place (Liberation Sans, Arimo), prints them wider, and long names are cut.
// Returns the warning for such a desk, empty when the font is there. Needs the application object.
QString AvertismentFontCertificat();
