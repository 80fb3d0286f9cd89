#pragma once

#include <optional>

class TFormularTextArea;

// Writes a grade into its areas as the global settings ask: the number alone, the number with the grade
// in words or as a percentage, or the number in the upper area and the words in the lower one, in capitals
// or in small letters. `valoare` counts hundredths of a point (963 for 9.63); absent, the upper area shows
// "----". `tip`: 0 grade on the certificate, 1 on the stub, 2 average on the certificate, 3 on the stub.
// Either area may be null. A single line of text sits halfway between the two areas' designed places, so
// the areas keep their designed tops however often a grade is written (SaveDesignGeometry).
void FormatGrade(TFormularTextArea* sus, TFormularTextArea* jos, std::optional<double> valoare, int tip);
