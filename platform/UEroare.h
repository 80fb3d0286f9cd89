#pragma once

#include <QString>

#include <stdexcept>

// The program's one error type: carries the fixed Romanian text that the user sees and, apart, the technical
// text of its cause (the engine's or Calc's own words), which the message box shows only under "Detalii".
class EEroare : public std::runtime_error
{
public:
    explicit EEroare(const QString& mesaj, const QString& detalii = {})
        : std::runtime_error(mesaj.toStdString()), m_mesaj(mesaj), m_detalii(detalii)
    {
    }
    const QString& Mesaj() const { return m_mesaj; }
    const QString& Detalii() const { return m_detalii; }

private:
    QString m_mesaj;
    QString m_detalii;
};

// The text of any exception as the user should read it.
inline QString TextEroare(const std::exception& e)
{
    if (auto* ee = dynamic_cast<const EEroare*>(&e))
        return ee->Mesaj();
    return QString::fromUtf8(e.what());
}

// The technical text of an error, for the message box's details; empty when it has none.
inline QString DetaliiEroare(const std::exception& e)
{
    if (auto* ee = dynamic_cast<const EEroare*>(&e))
        return ee->Detalii();
    return {};
}
