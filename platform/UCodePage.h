#pragma once

// The system's single-byte code page as the program reasons about it: 1250 when the locale's codeset
// holds every Romanian letter (UTF-8, ISO-8859-2, CP1250), otherwise 0.
int CodePageSistem();

// Same rule for a codeset name as nl_langinfo(CODESET) reports it.
int CodePagePentruCodeset(const char* codeset);
