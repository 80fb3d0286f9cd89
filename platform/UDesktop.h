#pragma once

// Opens the desktop's region and language settings when a known command exists; returns whether one was
// started.
bool DeschideSetariRegionale();
