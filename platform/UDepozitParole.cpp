#include "platform/UDepozitParole.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <qt6keychain/keychain.h>

namespace {
const QString Serviciu = QStringLiteral("Tessaluna");

// Runs a job to its end. The store answers over D-Bus, so the job needs a running event loop.
void Asteapta(QKeychain::Job& job)
{
    QEventLoop bucla;
    QObject::connect(&job, &QKeychain::Job::finished, &bucla, &QEventLoop::quit);
    job.setAutoDelete(false);
    // Never the plain-text fallback of the library: a password in a settings file is what this avoids.
    job.setInsecureFallback(false);
    job.start();
    bucla.exec();
}
} // namespace

TParolaDepozit CitesteParolaDepozit(const QString& cont)
{
    TParolaDepozit r;
    QKeychain::ReadPasswordJob job(Serviciu);
    job.setKey(cont);
    Asteapta(job);
    switch (job.error()) {
    case QKeychain::NoError:
        r.Stare = TParolaDepozit::Gasita;
        r.Parola = job.textData();
        break;
    case QKeychain::EntryNotFound:
        r.Stare = TParolaDepozit::Lipseste;
        break;
    default:
        r.Stare = TParolaDepozit::FaraDepozit;
        r.Motiv = job.errorString();
        break;
    }
    return r;
}

QString ScrieParolaDepozit(const QString& cont, const QString& parola)
{
    QKeychain::WritePasswordJob job(Serviciu);
    job.setKey(cont);
    job.setTextData(parola);
    Asteapta(job);
    if (job.error() == QKeychain::NoError)
        return {};
    return job.errorString().isEmpty() ? QStringLiteral("depozitul de parole nu a raspuns") : job.errorString();
}
