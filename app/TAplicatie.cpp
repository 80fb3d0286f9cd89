#include "app/TAplicatie.h"

#include "platform/UActiune.h"
#include "platform/UForme.h"

#include <QIcon>
#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {
sigset_t SemnaleOprire()
{
    sigset_t semnale;
    sigemptyset(&semnale);
    sigaddset(&semnale, SIGTERM);
    sigaddset(&semnale, SIGINT);
    return semnale;
}
} // namespace

TAplicatie::TAplicatie(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Tessaluna"));
    // No display name: the toolkit would add " — Tessaluna" to every window's caption, and the captions must
    // read exactly as the program gives them.
    setApplicationVersion(QStringLiteral(TESSALUNA_FILE_VERSION));
    // Ties the windows to the menu entry tessaluna.desktop (its icon and name in the task bar).
    setDesktopFileName(QStringLiteral("tessaluna"));
    // Every window without an icon of its own shows the program's.
    setWindowIcon(Iconita());
    RedaTastaturaLaInchidere();
}

QIcon TAplicatie::Iconita()
{
    QIcon iconita;
    for (const int latura : {16, 22, 24, 32, 48, 64, 128, 256})
        iconita.addFile(QStringLiteral(":/tessaluna/icoane/%1x%1/tessaluna.png").arg(latura), QSize(latura, latura));
    return iconita;
}

bool TAplicatie::notify(QObject* destinatar, QEvent* eveniment)
{
    try {
        return QApplication::notify(destinatar, eveniment);
    } catch (const std::exception& e) {
        AfiseazaEroareaCurenta(activeWindow(), e);
    }
    return false;
}

void TAplicatie::BlocheazaSemnale()
{
    const sigset_t semnale = SemnaleOprire();
    pthread_sigmask(SIG_BLOCK, &semnale, nullptr);
}

void TAplicatie::OpresteLaSemnal()
{
    const sigset_t semnale = SemnaleOprire();
    const int fd = signalfd(-1, &semnale, SFD_NONBLOCK | SFD_CLOEXEC);
    if (fd < 0)
        return;
    auto* notificator = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(notificator, &QSocketNotifier::activated, this, [fd] {
        signalfd_siginfo info;
        while (::read(fd, &info, sizeof(info)) == sizeof(info)) {
        }
        closeAllWindows();
        quit();
    });
}
