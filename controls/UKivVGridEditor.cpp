#include "controls/UKivVGridEditor.h"

#include "controls/UKivEditors.h"

#include <QApplication>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

namespace {
constexpr int kLatimeEditor = 110;
constexpr int kButon = 24;

// The text box that follows the window's choice on entry: all selected, or the caret left alone.
class TEdPopup : public QLineEdit
{
public:
    TEdPopup(QWidget* parent, const bool& selecteaza) : QLineEdit(parent), m_selecteaza(selecteaza) {}

protected:
    void focusInEvent(QFocusEvent* e) override
    {
        // A dialog being shown sends its focus widget a Tab focus, which makes a line edit select all.
        const int cursor = cursorPosition();
        QLineEdit::focusInEvent(e);
        if (m_selecteaza) {
            selectAll();
        } else {
            deselect();
            setCursorPosition(cursor);
        }
    }

private:
    const bool& m_selecteaza;
};
} // namespace

TKivVGridEditorForm::TKivVGridEditorForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_num(new TKivNumEdit(this)),
      m_ed(new TEdPopup(this, m_edSelecteaza)), m_date(new QDateEdit(this)), m_ok(new QToolButton(this)),
      m_renunt(new QToolButton(this))
{
    setObjectName(QStringLiteral("KivVGridEditorForm"));
    setWindowTitle(QStringLiteral("KivVGridEditorForm"));
    QPalette paleta = palette();
    paleta.setColor(QPalette::Window, QColor(249, 251, 217));
    setPalette(paleta);
    setAutoFillBackground(true);

    m_num->setObjectName(QStringLiteral("Num"));
    m_num->SetKeepSelection(false);
    m_num->SetRightAlignNonEdit(true);
    m_num->SetNoDots(false);
    m_ed->setObjectName(QStringLiteral("Ed"));
    m_date->setObjectName(QStringLiteral("Date"));
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    m_ok->setObjectName(QStringLiteral("SpeedButton1"));
    m_ok->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    m_renunt->setObjectName(QStringLiteral("SpeedButton2"));
    m_renunt->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    connect(m_ok, &QToolButton::clicked, this, &QDialog::accept);
    connect(m_renunt, &QToolButton::clicked, this, &QDialog::reject);

    // Keyboard preview: the window sees Enter and Escape before the editor that has the focus.
    for (QWidget* w : {static_cast<QWidget*>(m_num), static_cast<QWidget*>(m_ed), static_cast<QWidget*>(m_date)}) {
        w->installEventFilter(this);
        w->setGeometry(0, 0, kLatimeEditor, 24);
        w->hide();
    }
    m_ok->setGeometry(kLatimeEditor + 1, 0, kButon, kButon);
    m_renunt->setGeometry(kLatimeEditor + 1 + kButon + 1, 0, kButon, kButon);
    resize(kLatimeEditor + 2 * (kButon + 1), 58);
}

void TKivVGridEditorForm::ArataEditor(QWidget* editor)
{
    m_num->hide();
    m_ed->hide();
    m_date->hide();
    editor->show();
    editor->setFocus();
}

void TKivVGridEditorForm::AsazaPeLatime(int latime)
{
    resize(latime, height());
}

void TKivVGridEditorForm::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    // The design window: editors 110 wide, the buttons at 111 and 136, the window 160.
    const int latimeEditoare = std::max(width() - 2 * (kButon + 1), 0);
    const int inaltime = std::max(height() - 1, 1);
    for (QWidget* w : {static_cast<QWidget*>(m_num), static_cast<QWidget*>(m_ed), static_cast<QWidget*>(m_date)})
        w->setGeometry(0, 0, latimeEditoare, inaltime);
    m_ok->setGeometry(latimeEditoare + 1, 0, kButon, kButon);
    m_renunt->setGeometry(latimeEditoare + 1 + kButon + 1, 0, kButon, kButon);
}

bool TKivVGridEditorForm::eventFilter(QObject* obiect, QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        const int tasta = static_cast<QKeyEvent*>(e)->key();
        if (tasta == Qt::Key_Return || tasta == Qt::Key_Enter) {
            accept();
            return true;
        }
        if (tasta == Qt::Key_Escape) {
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(obiect, e);
}

void TKivVGridEditorForm::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(e);
}
