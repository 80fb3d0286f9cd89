#include "store/UFirebird.h"

#include "store/UEroareBD.h"
#include "store/UFirebirdIntern.h"

#include <QHash>

#include <ibase.h>

#include <cmath>
#include <cstring>

using namespace Firebird;
using namespace FirebirdIntern;

struct TQuery::TPregatit
{
    QString sql;
    QString sqlMotor;
    QStringList numeIntrari;
    IStatement* instructiune = nullptr;
    unsigned tip = 0;
    IMessageMetadata* metaIntrare = nullptr;
    IMessageMetadata* metaIesire = nullptr;
    QByteArray bufferIntrare;
    QByteArray bufferIesire;
    QList<TColoana> intrari;
    QList<TColoana> iesiri;
    QHash<QString, int> coloane;
    QStringList numeIesiri;

    void Elibereaza()
    {
        if (metaIntrare)
            metaIntrare->release();
        if (metaIesire)
            metaIesire->release();
        if (instructiune) {
            try {
                instructiune->free(&Stare());
            } catch (const FbException&) {
                instructiune->release();
            }
        }
        metaIntrare = metaIesire = nullptr;
        instructiune = nullptr;
    }
};

namespace {
const int MaxPregatite = 24;

QList<TColoana> Coloane(IMessageMetadata* meta)
{
    QList<TColoana> rezultat;
    const unsigned n = meta->getCount(&Stare());
    for (unsigned i = 0; i < n; ++i) {
        TColoana c;
        c.tip = meta->getType(&Stare(), i);
        c.offset = meta->getOffset(&Stare(), i);
        c.offsetNul = meta->getNullOffset(&Stare(), i);
        c.lungime = meta->getLength(&Stare(), i);
        c.scara = meta->getScale(&Stare(), i);
        rezultat << c;
    }
    return rezultat;
}
} // namespace

TQuery::TQuery(TConexiune& conexiune, TTranzactie& tranzactie) : m_conexiune(conexiune), m_tranzactie(tranzactie)
{
    m_conexiune.m_interogari << this;
}

TQuery::~TQuery()
{
    Close();
    ElibereazaPregatite();
    m_conexiune.m_interogari.removeAll(this);
}

void TQuery::ElibereazaPregatite()
{
    if (m_deschis)
        Close();
    for (TPregatit* p : std::as_const(m_pregatite)) {
        p->Elibereaza();
        delete p;
    }
    m_pregatite.clear();
    m_curent = nullptr;
}

void TQuery::SetSQL(const QString& text)
{
    if (m_curent && text == m_sql)
        return;
    Close();
    m_sql = text;
    m_curent = nullptr;
    for (TPregatit* p : std::as_const(m_pregatite)) {
        if (p->sql == text) {
            m_curent = p;
            break;
        }
    }
    if (!m_curent) {
        auto* p = new TPregatit;
        p->sql = text;
        p->sqlMotor = InlocuiesteParametri(text, p->numeIntrari);
        if (m_pregatite.size() >= MaxPregatite) {
            TPregatit* vechi = m_pregatite.takeFirst();
            vechi->Elibereaza();
            delete vechi;
        }
        m_pregatite << p;
        m_curent = p;
    }
    m_parametri.clear();
    for (const QString& nume : std::as_const(m_curent->numeIntrari)) {
        bool exista = false;
        for (const TParametru& par : std::as_const(m_parametri))
            exista = exista || par.m_nume == nume;
        if (!exista) {
            TParametru par;
            par.m_nume = nume;
            m_parametri << par;
        }
    }
}

TParametru& TQuery::ParamByName(const QString& nume)
{
    for (TParametru& p : m_parametri) {
        if (p.m_nume.compare(nume, Qt::CaseInsensitive) == 0)
            return p;
    }
    throw EEroareBD(QStringLiteral("Parametrul %1 nu exista in interogarea: %2").arg(nume, m_sql), EEroareBD::Alta);
}

TQuery::TPregatit* TQuery::Pregateste()
{
    if (!m_curent)
        throw EEroareBD(QStringLiteral("Interogarea nu are text SQL"), EEroareBD::Alta);
    if (!m_tranzactie.InTransaction())
        throw EEroareBD(QStringLiteral("Tranzactia nu este activa"), EEroareBD::Alta);
    TPregatit& p = *m_curent;
    if (p.instructiune)
        return &p;
    try {
        const QByteArray text = p.sqlMotor.toUtf8();
        p.instructiune = m_conexiune.d->atasament->prepare(&Stare(), m_tranzactie.d->tranzactie, 0, text.constData(),
                                                           SQL_DIALECT_V6, IStatement::PREPARE_PREFETCH_METADATA);
        p.tip = p.instructiune->getType(&Stare());
        p.metaIntrare = p.instructiune->getInputMetadata(&Stare());
        p.metaIesire = p.instructiune->getOutputMetadata(&Stare());
        p.intrari = Coloane(p.metaIntrare);
        p.iesiri = Coloane(p.metaIesire);
        p.bufferIntrare = QByteArray(int(p.metaIntrare->getMessageLength(&Stare())), '\0');
        p.bufferIesire = QByteArray(int(p.metaIesire->getMessageLength(&Stare())), '\0');
        p.coloane.clear();
        p.numeIesiri.clear();
        for (int i = 0; i < p.iesiri.size(); ++i) {
            const QString alias = QString::fromUtf8(p.metaIesire->getAlias(&Stare(), unsigned(i))).toUpper();
            p.numeIesiri << alias;
            if (!p.coloane.contains(alias))
                p.coloane.insert(alias, i);
        }
    } catch (const FbException& e) {
        p.Elibereaza();
        Arunca(e);
    }
    return &p;
}

void TQuery::LeagaParametri(TPregatit& p)
{
    char* buffer = p.bufferIntrare.data();
    for (int i = 0; i < p.intrari.size(); ++i) {
        const TColoana& c = p.intrari[i];
        const TParametru* par = nullptr;
        for (const TParametru& candidat : std::as_const(m_parametri)) {
            if (candidat.m_nume == p.numeIntrari.value(i)) {
                par = &candidat;
                break;
            }
        }
        short* nul = reinterpret_cast<short*>(buffer + c.offsetNul);
        char* loc = buffer + c.offset;
        if (!par || par->m_tip == TParametru::Nul) {
            *nul = -1;
            continue;
        }
        *nul = 0;
        const QString numeParam = p.numeIntrari.value(i);
        auto prea_lung = [&]() {
            return EEroareBD(QStringLiteral("Valoarea parametrului %1 este prea lunga: %2").arg(numeParam, par->m_text),
                             EEroareBD::Conversie);
        };
        switch (c.tip) {
        case SQL_VARYING: {
            const QByteArray text = par->m_tip == TParametru::Text ? par->m_utf8 : QByteArray::number(par->m_intreg);
            if (unsigned(text.size()) > c.lungime)
                throw prea_lung();
            const auto lungime = quint16(text.size());
            std::memcpy(loc, &lungime, sizeof(lungime));
            std::memcpy(loc + sizeof(lungime), text.constData(), size_t(text.size()));
            break;
        }
        case SQL_TEXT: {
            const QByteArray text = par->m_tip == TParametru::Text ? par->m_utf8 : QByteArray::number(par->m_intreg);
            if (unsigned(text.size()) > c.lungime)
                throw prea_lung();
            std::memset(loc, ' ', c.lungime);
            std::memcpy(loc, text.constData(), size_t(text.size()));
            break;
        }
        case SQL_SHORT:
        case SQL_LONG:
        case SQL_INT64:
        case SQL_FLOAT:
        case SQL_DOUBLE: {
            double real = 0;
            qint64 intreg = 0;
            bool esteIntreg = par->m_tip == TParametru::Intreg;
            if (esteIntreg) {
                intreg = par->m_intreg;
                real = double(intreg);
            } else {
                bool ok = false;
                const QString t = QString(par->m_text).replace(u',', u'.').trimmed();
                intreg = t.toLongLong(&ok);
                esteIntreg = ok;
                real = ok ? double(intreg) : t.toDouble(&ok);
                if (!ok)
                    throw EEroareBD(
                        QStringLiteral("'%1' nu este un numar valid (parametrul %2)").arg(par->m_text, numeParam),
                        EEroareBD::Conversie);
            }
            if (c.tip == SQL_FLOAT) {
                const float f = float(real);
                std::memcpy(loc, &f, sizeof(f));
            } else if (c.tip == SQL_DOUBLE) {
                std::memcpy(loc, &real, sizeof(real));
            } else {
                const qint64 scalat =
                    esteIntreg && c.scara == 0 ? intreg : std::llround(real * double(Putere10(-c.scara)));
                if (c.tip == SQL_SHORT) {
                    const auto v = qint16(scalat);
                    std::memcpy(loc, &v, sizeof(v));
                } else if (c.tip == SQL_LONG) {
                    if (scalat > INT32_MAX || scalat < INT32_MIN)
                        throw EEroareBD(QStringLiteral("Valoarea parametrului %1 este prea mare").arg(numeParam),
                                        EEroareBD::Conversie);
                    const auto v = qint32(scalat);
                    std::memcpy(loc, &v, sizeof(v));
                } else {
                    std::memcpy(loc, &scalat, sizeof(scalat));
                }
            }
            break;
        }
        default:
            throw EEroareBD(QStringLiteral("Tipul parametrului %1 nu este suportat").arg(numeParam), EEroareBD::Alta);
        }
    }
}

void TQuery::Open()
{
    Close();
    TPregatit* p = Pregateste();
    LeagaParametri(*p);
    try {
        auto* cursor = p->instructiune->openCursor(&Stare(), m_tranzactie.d->tranzactie, p->metaIntrare,
                                                   p->bufferIntrare.data(), p->metaIesire, 0);
        m_cursor = cursor;
        m_deschis = true;
    } catch (const FbException& e) {
        Arunca(e);
    }
    Next();
}

void TQuery::Next()
{
    if (!m_deschis || !m_cursor)
        return;
    auto* cursor = static_cast<IResultSet*>(m_cursor);
    try {
        m_eof = cursor->fetchNext(&Stare(), m_curent->bufferIesire.data()) != IStatus::RESULT_OK;
    } catch (const FbException& e) {
        m_eof = true;
        Arunca(e);
    }
}

void TQuery::Close()
{
    m_eof = true;
    if (!m_cursor) {
        m_deschis = false;
        return;
    }
    auto* cursor = static_cast<IResultSet*>(m_cursor);
    m_cursor = nullptr;
    m_deschis = false;
    try {
        cursor->close(&Stare());
    } catch (const FbException&) {
        // A cursor whose transaction has ended is gone already.
        cursor->release();
    }
}

void TQuery::ExecSQL()
{
    Close();
    TPregatit* p = Pregateste();
    const bool structura = p->tip == isc_info_sql_stmt_ddl || p->tip == isc_info_sql_stmt_set_generator;
    if (structura) {
        // Prepared statements hold the tables they read; a structure change on such a table is refused.
        for (TQuery* q : std::as_const(m_conexiune.m_interogari)) {
            if (q != this && !q->m_deschis)
                q->ElibereazaPregatite();
        }
    }
    LeagaParametri(*p);
    try {
        p->instructiune->execute(&Stare(), m_tranzactie.d->tranzactie, p->metaIntrare, p->bufferIntrare.data(),
                                 p->iesiri.isEmpty() ? nullptr : p->metaIesire,
                                 p->iesiri.isEmpty() ? nullptr : p->bufferIesire.data());
    } catch (const FbException& e) {
        Arunca(e);
    }
    if (structura)
        p->Elibereaza();
}

int TQuery::FieldCount() const
{
    return m_curent && m_curent->instructiune ? int(m_curent->iesiri.size()) : 0;
}

int TQuery::IndexColoana(const QString& nume) const
{
    if (!m_deschis || !m_curent)
        throw EEroareBD(QStringLiteral("Interogarea nu este deschisa pentru coloana %1").arg(nume), EEroareBD::Alta);
    const auto it = m_curent->coloane.constFind(nume.toUpper());
    if (it == m_curent->coloane.cend())
        throw EEroareBD(QStringLiteral("Coloana %1 nu exista in interogarea: %2").arg(nume, m_sql), EEroareBD::Alta);
    return *it;
}

TCamp TQuery::FieldByName(const QString& nume) const
{
    if (!m_deschis || m_eof)
        throw EEroareBD(QStringLiteral("Interogarea nu are o linie curenta pentru coloana %1").arg(nume),
                        EEroareBD::Alta);
    TCamp camp = Camp(IndexColoana(nume));
    camp.m_numeCamp = nume;
    return camp;
}

QByteArrayView TQuery::TextBrut(int index) const
{
    if (!m_deschis || m_eof || index < 0 || index >= m_curent->iesiri.size())
        throw EEroareBD(QStringLiteral("Interogarea nu are o linie curenta pentru coloana %1").arg(index),
                        EEroareBD::Alta);
    const TColoana& c = m_curent->iesiri[index];
    const char* buffer = m_curent->bufferIesire.constData();
    if (*reinterpret_cast<const short*>(buffer + c.offsetNul) != 0)
        return {};
    const char* loc = buffer + c.offset;
    if (c.tip == SQL_VARYING) {
        quint16 lungime = 0;
        std::memcpy(&lungime, loc, sizeof(lungime));
        return QByteArrayView(loc + sizeof(lungime), lungime);
    }
    if (c.tip == SQL_TEXT) {
        qsizetype lungime = qsizetype(c.lungime);
        while (lungime > 0 && loc[lungime - 1] == ' ')
            --lungime;
        return QByteArrayView(loc, lungime);
    }
    throw EEroareBD(QStringLiteral("Coloana %1 nu este de tip text").arg(m_curent->numeIesiri.value(index)),
                    EEroareBD::Alta);
}

TCamp TQuery::Camp(int index) const
{
    if (!m_deschis || m_eof || index < 0 || index >= m_curent->iesiri.size())
        throw EEroareBD(QStringLiteral("Interogarea nu are o linie curenta pentru coloana %1").arg(index),
                        EEroareBD::Alta);
    const TPregatit& p = *m_curent;
    const QString& nume = p.numeIesiri[index];
    const TColoana& c = p.iesiri[index];
    const char* buffer = p.bufferIesire.constData();
    TCamp camp;
    camp.m_numeCamp = nume;
    camp.m_nul = *reinterpret_cast<const short*>(buffer + c.offsetNul) != 0;
    if (camp.m_nul)
        return camp;
    const char* loc = buffer + c.offset;
    switch (c.tip) {
    case SQL_VARYING:
    case SQL_TEXT:
        camp.m_text = QString::fromUtf8(TextBrut(index));
        break;
    case SQL_SHORT:
        camp.m_numeric = true;
        camp.m_intreg = DinBuffer<qint16>(loc);
        break;
    case SQL_LONG:
        camp.m_numeric = true;
        camp.m_intreg = DinBuffer<qint32>(loc);
        break;
    case SQL_INT64:
        camp.m_numeric = true;
        camp.m_intreg = DinBuffer<qint64>(loc);
        break;
    case SQL_FLOAT:
        camp.m_numeric = camp.m_esteReal = true;
        camp.m_real = DinBuffer<float>(loc);
        break;
    case SQL_DOUBLE:
        camp.m_numeric = camp.m_esteReal = true;
        camp.m_real = DinBuffer<double>(loc);
        break;
    case SQL_BOOLEAN:
        camp.m_numeric = true;
        camp.m_intreg = *loc ? 1 : 0;
        break;
    default:
        throw EEroareBD(QStringLiteral("Tipul coloanei %1 nu este suportat").arg(nume), EEroareBD::Alta);
    }
    camp.m_scara = c.scara;
    return camp;
}
