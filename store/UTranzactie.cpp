#include "store/UFirebird.h"

#include "store/UEroareBD.h"
#include "store/UFirebirdIntern.h"

using namespace Firebird;
using namespace FirebirdIntern;

QString TextOperatieNeincheiata()
{
    return QStringLiteral("O operatie anterioara asupra bazei de date nu s-a incheiat.");
}

TTranzactie::TTranzactie(TConexiune& conexiune) : d(std::make_unique<TImpl>()), m_conexiune(conexiune) {}

TTranzactie::~TTranzactie()
{
    try {
        Rollback();
    } catch (...) {
    }
}

void TTranzactie::StartTransaction()
{
    if (d->tranzactie)
        throw EEroareBD(TextOperatieNeincheiata(), EEroareBD::Alta);
    if (!m_conexiune.Connected())
        throw EEroareBD(
            QStringLiteral("Baza de date nu este deschisa, asa ca nu s-a facut nimic. Alegeti \"Registru\" > "
                           "\"Reconecteaza\" (sau \"Baza de date...\" pentru alt registru) si incercati din nou."),
            EEroareBD::Conexiune);
    try {
        d->tranzactie = m_conexiune.d->atasament->startTransaction(&Stare(), 0, nullptr);
    } catch (const FbException& e) {
        Arunca(e);
    }
}

void TTranzactie::Commit()
{
    if (!d->tranzactie)
        throw EEroareBD(QStringLiteral("Tranzactia nu este activa"), EEroareBD::Alta);
    for (TQuery* q : std::as_const(m_conexiune.m_interogari))
        q->Close();
    try {
        d->tranzactie->commit(&Stare());
        d->tranzactie = nullptr;
    } catch (const FbException& e) {
        // A failed commit leaves the transaction open; the caller rolls it back.
        Arunca(e);
    }
}

void TTranzactie::Rollback()
{
    if (!d->tranzactie)
        return;
    for (TQuery* q : std::as_const(m_conexiune.m_interogari))
        q->Close();
    ITransaction* t = d->tranzactie;
    d->tranzactie = nullptr;
    try {
        t->rollback(&Stare());
    } catch (const FbException& e) {
        t->release();
        Arunca(e);
    }
}

bool TTranzactie::InTransaction() const
{
    return d->tranzactie != nullptr;
}

TGardaTranzactie::TGardaTranzactie(TTranzactie& tranzactie) : m_tranzactie(tranzactie)
{
    m_tranzactie.StartTransaction();
}

TGardaTranzactie::~TGardaTranzactie()
{
    if (m_incheiata)
        return;
    try {
        m_tranzactie.Rollback();
    } catch (...) {
    }
}

TGardaCitire::TGardaCitire(TTranzactie& tranzactie, TMod mod) : m_tranzactie(tranzactie)
{
    if (mod == Proprie || !m_tranzactie.InTransaction()) {
        m_tranzactie.StartTransaction();
        m_pornita = true;
    }
}

TGardaCitire::~TGardaCitire()
{
    if (!m_pornita)
        return;
    try {
        m_tranzactie.Rollback();
    } catch (...) {
    }
}

TGardaCursor::~TGardaCursor()
{
    try {
        m_q.Close();
    } catch (...) {
    }
}

void TGardaTranzactie::Commit()
{
    m_tranzactie.Commit();
    m_incheiata = true;
}

void TGardaTranzactie::Rollback()
{
    m_incheiata = true;
    m_tranzactie.Rollback();
}
