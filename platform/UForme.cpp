#include "platform/UForme.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

QPoint PozitieCentrata(const QRect& zonaLucru, const QSize& fereastra)
{
    // Integer division truncating toward zero, as the placement rule demands.
    int stanga = zonaLucru.left() + (zonaLucru.width() - fereastra.width()) / 2;
    int sus = zonaLucru.top() + (zonaLucru.height() - fereastra.height()) / 2;
    if (stanga < zonaLucru.left())
        stanga = zonaLucru.left();
    if (sus < zonaLucru.top())
        sus = zonaLucru.top();
    return {stanga, sus};
}

static QScreen* EcranCursor()
{
    QScreen* ecran = QGuiApplication::screenAt(QCursor::pos());
    return ecran ? ecran : QGuiApplication::primaryScreen();
}

QRect ZonaLucruSubCursor()
{
    QScreen* ecran = EcranCursor();
    return ecran ? ecran->availableGeometry() : QRect(0, 0, 1024, 768);
}

QRect EcranSubCursor()
{
    QScreen* ecran = EcranCursor();
    return ecran ? ecran->geometry() : QRect(0, 0, 1024, 768);
}

void CentreazaForma(QWidget* forma)
{
    forma->move(PozitieCentrata(ZonaLucruSubCursor(), forma->frameGeometry().size()));
}

bool MutaFocusul(const QList<QWidget*>& ordine, bool inainte)
{
    const QWidget* focus = QApplication::focusWidget();
    qsizetype curent = -1;
    for (qsizetype i = 0; i < ordine.size() && focus; ++i) {
        if (ordine[i] == focus || ordine[i]->isAncestorOf(focus))
            curent = i;
    }
    if (curent < 0)
        return false;
    // Hidden or disabled controls are passed over.
    for (qsizetype pas = 1; pas <= ordine.size(); ++pas) {
        const qsizetype i = (curent + (inainte ? pas : -pas) + ordine.size()) % ordine.size();
        QWidget* w = ordine[i];
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(inainte ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

namespace {
class TEnterPeRand : public QObject
{
public:
    TEnterPeRand(QAbstractItemView* lista, std::function<void()> deschide)
        : QObject(lista), m_lista(lista), m_deschide(std::move(deschide))
    {
    }

protected:
    bool eventFilter(QObject* obiect, QEvent* e) override
    {
        if (obiect != m_lista || e->type() != QEvent::KeyPress)
            return false;
        const auto* tasta = static_cast<QKeyEvent*>(e);
        const Qt::KeyboardModifiers mod = tasta->modifiers() & ~Qt::KeypadModifier;
        if ((tasta->key() != Qt::Key_Return && tasta->key() != Qt::Key_Enter) || mod != Qt::NoModifier)
            return false;
        const QModelIndex curent = m_lista->currentIndex();
        if (!curent.isValid())
            return false;
        if (QItemSelectionModel* selectie = m_lista->selectionModel(); selectie && !selectie->isSelected(curent))
            selectie->select(curent, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        m_deschide();
        return true;
    }

private:
    QAbstractItemView* m_lista;
    std::function<void()> m_deschide;
};
} // namespace

void ListaCuTastatura(QAbstractItemView* lista, std::function<void()> deschide)
{
    lista->setTabKeyNavigation(false);
    lista->installEventFilter(new TEnterPeRand(lista, std::move(deschide)));
}

bool FocusPePrimaIntrare(QWidget* pagina)
{
    // The chain runs through the whole window: controls made apart and placed on the page later sit further on.
    for (QWidget* w = pagina->nextInFocusChain(); w && w != pagina; w = w->nextInFocusChain()) {
        if (pagina->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(pagina)) {
            w->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return false;
}

namespace {
class TRedaTastatura : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* obiect, QEvent* e) override
    {
        if (e->type() != QEvent::Hide || !obiect->isWidgetType())
            return false;
        auto* fereastra = static_cast<QWidget*>(obiect);
        if (!fereastra->isWindow() || !fereastra->parentWidget())
            return false;
        QPointer<QWidget> proprietar = fereastra->parentWidget()->window();
        // After the event: the closing dialog may be followed at once by its owner (a message, then its window).
        // A window manager may also activate the main window behind a dialog still open, where keys go nowhere.
        QTimer::singleShot(0, proprietar, [proprietar] {
            if (!proprietar || !proprietar->isVisible())
                return;
            const QWidget* modal = QApplication::activeModalWidget();
            if (modal ? modal == proprietar && QApplication::activeWindow() != proprietar : !QApplication::activeWindow())
                proprietar->activateWindow();
        });
        return false;
    }
};
} // namespace

void RedaTastaturaLaInchidere()
{
    static TRedaTastatura* filtru = nullptr;
    if (!filtru) {
        filtru = new TRedaTastatura(qApp);
        qApp->installEventFilter(filtru);
    }
}
