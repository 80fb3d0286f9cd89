#pragma once

#include <QDialog>

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

// The checks and the start screen that open every start; returns when the start screen has closed.
void AfiseazaSplash(const QString& titlu);
