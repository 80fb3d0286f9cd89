#include "print/UParticularizari.h"

#include "platform/UEroare.h"
#include "platform/UFoldere.h"
#include "platform/UScriereSigura.h"
#include "print/UCodePage1250.h"

#include <QFile>
#include <QStringDecoder>
#include <QtEndian>

#include <cstring>

namespace {

enum TTag : quint8
{
    vaInt8 = 0x02,
    vaInt16 = 0x03,
    vaInt32 = 0x04,
    vaString = 0x06,
    vaLString = 0x0C,
    vaWString = 0x12,
    vaUTF8String = 0x14,
};

constexpr int kVersiune = 2;

// A surrogate without its pair has no UTF-8 form: toUtf8() would write a replacement character.
bool SurogatSingur(const QString& s)
{
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate())
            ++i;
        else if (s[i].isSurrogate())
            return true;
    }
    return false;
}

class TScriitor
{
public:
    void Intreg(qint32 v)
    {
        if (v >= -128 && v <= 127) {
            m_octeti.append(char(vaInt8));
            m_octeti.append(char(qint8(v)));
        } else if (v >= -32768 && v <= 32767) {
            m_octeti.append(char(vaInt16));
            Scrie(qToLittleEndian(qint16(v)));
        } else {
            m_octeti.append(char(vaInt32));
            Scrie(qToLittleEndian(v));
        }
    }

    void Text(const QString& s)
    {
        if (SurogatSingur(s)) {
            m_octeti.append(char(vaWString));
            Scrie(qToLittleEndian(qint32(s.size())));
            for (QChar c : s)
                Scrie(qToLittleEndian(quint16(c.unicode())));
            return;
        }
        const QByteArray utf8 = s.toUtf8();
        // Plain ASCII has the same bytes in every single-byte code page and in UTF-8.
        const bool ascii = utf8.size() == s.size();
        if (!ascii) {
            m_octeti.append(char(vaUTF8String));
            Scrie(qToLittleEndian(qint32(utf8.size())));
        } else if (utf8.size() < 256) {
            m_octeti.append(char(vaString));
            m_octeti.append(char(quint8(utf8.size())));
        } else {
            m_octeti.append(char(vaLString));
            Scrie(qToLittleEndian(qint32(utf8.size())));
        }
        m_octeti.append(utf8);
    }

    const QByteArray& Octeti() const { return m_octeti; }

private:
    template <typename T> void Scrie(T v) { m_octeti.append(reinterpret_cast<const char*>(&v), sizeof v); }

    QByteArray m_octeti;
};

class TCititor
{
public:
    explicit TCititor(const QByteArray& octeti) : m_octeti(octeti) {}

    qint32 Intreg()
    {
        switch (Tag()) {
        case vaInt8:
            return Citeste<qint8>();
        case vaInt16:
            return qFromLittleEndian(Citeste<qint16>());
        case vaInt32:
            return qFromLittleEndian(Citeste<qint32>());
        default:
            throw EEroare(QStringLiteral("Invalid property value"));
        }
    }

    QString Text()
    {
        switch (Tag()) {
        case vaString:
            return DinCodePage1250(Octeti(Citeste<quint8>()));
        case vaLString:
            return DinCodePage1250(Octeti(Lungime()));
        case vaWString: {
            const QByteArray utf16 = Octeti(qint64(Lungime()) * 2);
            QString s(utf16.size() / 2, Qt::Uninitialized);
            for (int i = 0; i < s.size(); ++i)
                s[i] = QChar(qFromLittleEndian<quint16>(utf16.constData() + 2 * i));
            return s;
        }
        case vaUTF8String: {
            // The bytes as they are: fromUtf8() would drop a leading byte-order mark that belongs to the text.
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
            return utf8(Octeti(Lungime()));
        }
        default:
            throw EEroare(QStringLiteral("Invalid property value"));
        }
    }

private:
    quint8 Tag() { return Citeste<quint8>(); }

    qint64 Lungime()
    {
        const qint32 n = qFromLittleEndian(Citeste<qint32>());
        if (n < 0)
            throw EEroare(QStringLiteral("Invalid property value"));
        return n;
    }

    QByteArray Octeti(qint64 n)
    {
        // A damaged length must not make us allocate gigabytes before finding the file too short.
        Necesar(n);
        const QByteArray b = m_octeti.mid(m_poz, n);
        m_poz += n;
        return b;
    }

    template <typename T> T Citeste()
    {
        Necesar(sizeof(T));
        T v;
        std::memcpy(&v, m_octeti.constData() + m_poz, sizeof(T));
        m_poz += sizeof(T);
        return v;
    }

    void Necesar(qint64 n) const
    {
        if (n > m_octeti.size() - m_poz)
            throw EEroare(QStringLiteral("Stream read error"));
    }

    const QByteArray& m_octeti;
    qint64 m_poz = 0;
};

} // namespace

TListaParticularizareTextArea::TListaParticularizareTextArea(QString cale) : m_cale(std::move(cale)) {}

TListaParticularizareTextArea::~TListaParticularizareTextArea()
{
    try {
        // An empty store that never had a file gets none.
        if (Count() > 0)
            SalveazaLista();
    } catch (...) {
        // Every change was written when it was made; a last write that fails loses nothing.
    }
}

TParticularizareTextArea* TListaParticularizareTextArea::Adauga(std::unique_ptr<TParticularizareTextArea> inreg)
{
    m_inregistrari.push_back(std::move(inreg));
    return m_inregistrari.back().get();
}

TParticularizareTextArea* TListaParticularizareTextArea::Cauta(const QString& formular, const QString& camp,
                                                               bool creeaza)
{
    for (auto it = m_inregistrari.rbegin(); it != m_inregistrari.rend(); ++it) {
        if ((*it)->NumeFormular == formular && (*it)->NumeCamp == camp)
            return it->get();
    }
    if (!creeaza)
        return nullptr;
    auto nou = std::make_unique<TParticularizareTextArea>();
    nou->NumeFormular = formular;
    nou->NumeCamp = camp;
    TParticularizareTextArea* inreg = Adauga(std::move(nou));
    SalveazaLista();
    return inreg;
}

void TListaParticularizareTextArea::SalveazaLista()
{
    if (m_cale.isEmpty() || !m_eroareIncarcare.isEmpty())
        return;
    SalveazaInFisier(m_cale);
}

void TListaParticularizareTextArea::SalveazaCorectura()
{
    if (!m_eroareIncarcare.isEmpty() && !m_cale.isEmpty() && QFile::exists(m_cale)) {
        // Keep the unreadable file beside the new one: it may still be mended by hand. Without that copy (a
        // full disk) the file is not replaced either.
        const QString copie = m_cale + QStringLiteral(".deteriorat");
        QFile f(m_cale);
        QString motiv;
        if (!f.open(QIODevice::ReadOnly))
            motiv = f.errorString();
        else if (const QByteArray octeti = f.readAll(); f.error() != QFileDevice::NoError)
            motiv = f.errorString();
        else
            ScrieFisierSigur(copie, octeti, motiv);
        if (!motiv.isEmpty())
            throw EEroare(
                QStringLiteral("Nu pot pastra fisierul deteriorat \"%1\" ca \"%2\": %3").arg(m_cale, copie, motiv));
    }
    m_eroareIncarcare.clear();
    SalveazaLista();
}

QByteArray TListaParticularizareTextArea::Serializeaza() const
{
    TScriitor s;
    s.Intreg(0);
    s.Intreg(Count());
    for (const auto& r : m_inregistrari) {
        s.Intreg(kVersiune);
        s.Text(r->NumeFormular);
        s.Text(r->NumeCamp);
        s.Intreg(r->Aliniere);
        s.Intreg(r->DeplasareOrizontala);
        s.Intreg(r->DeplasareVerticala);
        s.Text(r->NumeFont);
        s.Text(r->TextRedefinit);
        s.Intreg(r->Italic);
        s.Intreg(r->Bold);
        s.Text(r->FontSistem);
    }
    return s.Octeti();
}

void TListaParticularizareTextArea::Deserializeaza(const QByteArray& octeti)
{
    TCititor c(octeti);
    if (c.Intreg() != 0)
        throw EEroare(QStringLiteral("Invalid format"));
    const qint32 n = c.Intreg();
    if (n < 0)
        throw EEroare(QStringLiteral("Invalid format"));
    for (qint32 i = 0; i < n; ++i) {
        const qint32 versiune = c.Intreg();
        if (versiune > kVersiune)
            throw EEroare(QStringLiteral("Invalid format"));
        auto r = std::make_unique<TParticularizareTextArea>();
        r->NumeFormular = c.Text();
        r->NumeCamp = c.Text();
        r->Aliniere = c.Intreg();
        r->DeplasareOrizontala = c.Intreg();
        r->DeplasareVerticala = c.Intreg();
        r->NumeFont = c.Text();
        if (versiune >= 1)
            r->TextRedefinit = c.Text();
        if (versiune >= 2) {
            r->Italic = c.Intreg();
            r->Bold = c.Intreg();
            r->FontSistem = c.Text();
        }
        Adauga(std::move(r));
    }
}

void TListaParticularizareTextArea::IncarcaDinFisier(const QString& cale)
{
    QFile f(cale);
    if (!f.open(QIODevice::ReadOnly))
        throw EEroare(QStringLiteral("Nu pot deschide fisierul \"%1\": %2").arg(cale, f.errorString()));
    Deserializeaza(f.readAll());
}

void TListaParticularizareTextArea::SalveazaInFisier(const QString& cale) const
{
    QString motiv;
    if (!ScrieFisierSigur(cale, Serializeaza(), motiv))
        throw EEroare(QStringLiteral("Nu pot scrie fisierul \"%1\": %2").arg(cale, motiv));
}

namespace {
std::unique_ptr<TListaParticularizareTextArea>& Instanta()
{
    static std::unique_ptr<TListaParticularizareTextArea> lista;
    return lista;
}

QString& CaleCeruta()
{
    static QString cale;
    return cale;
}
} // namespace

QString FisierParticularizari()
{
    return DosarPentruFisier(QStringLiteral("licenta.lic")) + QStringLiteral("/licenta.lic");
}

TListaParticularizareTextArea& Particularizari()
{
    auto& lista = Instanta();
    if (!lista) {
        const QString cale = CaleCeruta().isEmpty() ? FisierParticularizari() : CaleCeruta();
        auto nou = std::make_unique<TListaParticularizareTextArea>(cale);
        if (QFile::exists(cale)) {
            try {
                nou->IncarcaDinFisier(cale);
            } catch (const std::exception& e) {
                // The corrections it holds must not be overwritten by an empty store: the file stays as it
                // is until the user confirms a new correction.
                nou->Goleste();
                nou->SeteazaEroareIncarcare(TextEroare(e));
            }
        }
        lista = std::move(nou);
    }
    return *lista;
}

void ReseteazaParticularizari(const QString& cale)
{
    Instanta().reset();
    CaleCeruta() = cale;
}
