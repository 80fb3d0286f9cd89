#pragma once

class TBazaTest;

// A register as a school holds it: one school with every field of its own filled, `n` students each with
// every student field filled (names of Romanian letters, a valid CNP, the year 2026), all tied to the
// school. Made once per size for the life of the process.
TBazaTest& RegistruRealist(int n);
