#pragma once

#include <QString>

class TDM;

// Brings the data module up: finds or creates the database file of the registered profile under
// dosarProgram/DB (template dosarSablon/BLANK.FDB), connects, upgrades the schema, registers the tables and
// creates their structures, registers the data types, rewrites the profile and refreshes index statistics.
// Each step commits its own work; the first failing step's error leaves, the later steps do not run. Desks of a
// server register that start at once take the steps after the schema upgrade one at a time (TBlocarePornire), a
// step that meets a lock conflict is run again, and a connection that read the tables before another desk changed
// them is opened again first. Every
// read and index walk comes first; damage inside the file, whichever step meets it, closes the connection and
// raises EroareBazaDeteriorata.
// Raises EFaraBazaDeDate when neither the database nor the template exists.
void PornesteModululDeDate(TDM& dm, const QString& dosarProgram, const QString& dosarSablon);
