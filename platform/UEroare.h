#pragma once

#include <QString>

#include <stdexcept>

// The program's one error type: carries the fixed Romanian text that the user sees.
class EEroare : public std::runtime_error
{
public:
    explicit EEroare(const QString& mesaj) : std::runtime_error(mesaj.toStdString()), m_mesaj(mesaj) {}
    const QString& Mesaj() const { return m_mesaj; }

private:
    QString m_mesaj;
};

// The text of any exception as the user should read it.
inline QString TextEroare(const std::exception& e)
{
    if (auto* ee = dynamic_cast<const EEroare*>(&e))
        return ee->Mesaj();
    return QString::fromUtf8(e.what());
}
