#include "app/UInstantaUnica.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

namespace {
const QByteArray Cerere = QByteArrayLiteral("arata\n");
}

QString TInstantaUnica::NumeCanal(const QString& caleBaza)
{
    const QByteArray cheie = QDir::cleanPath(QDir(caleBaza).absolutePath()).toUtf8();
    return QStringLiteral("tessaluna-%1-%2")
        .arg(qEnvironmentVariable("USER", QStringLiteral("utilizator")),
             QString::fromLatin1(QCryptographicHash::hash(cheie, QCryptographicHash::Sha1).toHex().left(16)));
}

TInstantaUnica::TInstantaUnica(QWidget* fereastra, const QString& caleBaza)
    : QObject(fereastra), m_fereastra(fereastra), m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    const QString nume = NumeCanal(caleBaza);
    // A socket left by a copy that was killed answers no one: it is taken over.
    QLocalServer::removeServer(nume);
    m_server->listen(nume);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = m_server->nextPendingConnection()) {
            connect(s, &QLocalSocket::readyRead, this, [this, s] {
                if (!s->readAll().contains(Cerere.trimmed()))
                    return;
                ++m_cereri;
                if (m_fereastra->isMinimized())
                    m_fereastra->showNormal();
                m_fereastra->show();
                m_fereastra->raise();
                m_fereastra->activateWindow();
            });
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        }
    });
}

TInstantaUnica::~TInstantaUnica() = default;

bool TInstantaUnica::CereAfisarea(const QString& caleBaza)
{
    QLocalSocket s;
    s.connectToServer(NumeCanal(caleBaza));
    if (!s.waitForConnected(1000))
        return false;
    s.write(Cerere);
    const bool trimis = s.waitForBytesWritten(1000);
    s.disconnectFromServer();
    return trimis;
}
