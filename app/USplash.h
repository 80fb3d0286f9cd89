#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QTimer;

// The start screen: the program's picture with its title and version, closing itself after 51 ticks of
// 100 ms.
class TSplashForm : public QDialog
{
    Q_OBJECT

public:
    explicit TSplashForm(QWidget* parinte = nullptr);
    void SetText(const QString& text);
    QString Text() const;
    int Tag() const { return m_tag; }
    static QPixmap Imagine();

public slots:
    void Tick();

private:
    QLabel* m_eticheta = nullptr;
    QTimer* m_timer = nullptr;
    int m_tag = 0;
};

// The warning shown at start when the system's language settings cannot hold the Romanian letters.
class TErrCodePage : public QDialog
{
    Q_OBJECT

public:
    explicit TErrCodePage(QWidget* parinte = nullptr);
};

// The checks and the start screen that open every start; returns when the start screen has closed. `lucru`, when
// given, runs on a worker thread while the start screen shows (it must touch no widget); the call returns once it
// has ended too, and raises what it raised.
void AfiseazaSplash(const QString& titlu, const std::function<void()>& lucru = {});
