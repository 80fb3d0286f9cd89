#pragma once

#include <exception>
#include <functional>

class QWidget;

// The application's default error display: runs one user action (a button, a menu item, a click); an
// error thrown from it rolls back what the action started and is shown in a message box. The program goes
// on. Returns true when the action ended without an error.
bool RuleazaActiune(QWidget* parinte, const std::function<void()>& actiune);

// What "roll back what the action started" means: set once by the data module (ends an active transaction).
void SeteazaRevenireLaEroare(std::function<void()> revenire);

// Gives the program a first look at every error shown: a handler that shows it its own way returns true.
void SeteazaAfisareSpeciala(std::function<bool(QWidget*, const std::exception&)> afisare);

// Shows an error caught outside an action, after the same rollback.
void AfiseazaEroareaCurenta(QWidget* parinte, const std::exception& e);
