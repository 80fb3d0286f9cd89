#pragma once

#include <QDialog>

class QDateEdit;
class QLineEdit;
class QToolButton;
class TKivNumEdit;

// The borderless pop-up window in which the virtual grid edits one cell value: a number edit, a text box
// and a date picker (one shown at a time) beside an OK and a cancel button. Enter anywhere closes it with
// OK, Escape with cancel; the grid places it, loads the value and stores it back.
class TKivVGridEditorForm : public QDialog
{
    Q_OBJECT
public:
    explicit TKivVGridEditorForm(QWidget* parent = nullptr);

    TKivNumEdit* Num() const { return m_num; }
    QLineEdit* Ed() const { return m_ed; }
    QDateEdit* Date() const { return m_date; }
    QToolButton* SpeedButton1() const { return m_ok; }
    QToolButton* SpeedButton2() const { return m_renunt; }

    // Whether the text box selects all its text when it gets the focus (else the caret stays where it is).
    void SetEdSelecteazaLaIntrare(bool selecteaza) { m_edSelecteaza = selecteaza; }

    // Hides the three editors and shows `editor` (one of them).
    void ArataEditor(QWidget* editor);
    // Window `latime` pixels wide: the two buttons at the right end, the editors filling the rest.
    void AsazaPeLatime(int latime);

protected:
    bool eventFilter(QObject* obiect, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    TKivNumEdit* m_num;
    QLineEdit* m_ed;
    QDateEdit* m_date;
    QToolButton* m_ok;
    QToolButton* m_renunt;
    bool m_edSelecteaza = true;
};
