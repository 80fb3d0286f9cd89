#include "platform/UMesaje.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QList>
#include <QPushButton>

namespace {
QList<QMessageBox::StandardButton> g_raspunsuri;
QStringList g_afisate;
TMesaje::TTip g_ultimulTip = TMesaje::Informatie;
bool g_faraFerestre = false;
QStringList g_fisiere;
QString g_ultimeleDetalii;
std::function<void(const QString&)> g_laFaraRaspuns;

void FaraRaspuns(const QString& text)
{
    if (g_laFaraRaspuns)
        g_laFaraRaspuns(text);
}
} // namespace

QMessageBox::StandardButton TMesaje::Arata(QWidget* parinte, TTip tip, const QString& text, const QString& detalii)
{
    g_afisate << text;
    g_ultimeleDetalii = detalii.trimmed();
    g_ultimulTip = tip;
    if (!g_raspunsuri.isEmpty())
        return g_raspunsuri.takeFirst();
    if (g_faraFerestre) {
        if (tip != Intrebare && tip != Reconectare)
            return QMessageBox::Ok;
        FaraRaspuns(text);
        return tip == Intrebare ? QMessageBox::No : QMessageBox::Cancel;
    }

    QMessageBox::Icon icon = QMessageBox::Information;
    QMessageBox::StandardButtons butoane = QMessageBox::Ok;
    switch (tip) {
    case Avertisment:
        icon = QMessageBox::Warning;
        break;
    case Intrebare:
        icon = QMessageBox::Question;
        butoane = QMessageBox::Yes | QMessageBox::No;
        break;
    case Eroare:
        icon = QMessageBox::Critical;
        break;
    case Reconectare:
        icon = QMessageBox::Critical;
        butoane = QMessageBox::Retry | QMessageBox::Cancel;
        break;
    case Informatie:
        break;
    }
    QMessageBox cutie(icon, QApplication::applicationName(), text, butoane, parinte);
    cutie.setObjectName(QStringLiteral("Mesaj"));
    if (!g_ultimeleDetalii.isEmpty()) {
        cutie.setDetailedText(g_ultimeleDetalii);
        // The toolkit's own button for the details is the only one with the action role.
        for (QAbstractButton* b : cutie.buttons()) {
            if (cutie.buttonRole(b) == QMessageBox::ActionRole)
                b->setText(QStringLiteral("Detalii"));
        }
    }
    TraduceButoane(cutie);
    if (tip == Intrebare)
        cutie.setDefaultButton(QMessageBox::No);
    if (tip == Reconectare) {
        cutie.button(QMessageBox::Retry)->setText(QStringLiteral("Reconecteaza"));
        cutie.button(QMessageBox::Cancel)->setText(QStringLiteral("Renunt"));
        cutie.setDefaultButton(QMessageBox::Retry);
    }
    return static_cast<QMessageBox::StandardButton>(cutie.exec());
}

void TMesaje::TraduceButoane(QMessageBox& cutie)
{
    // The toolkit has no Romanian texts of its own.
    static const QList<QPair<QMessageBox::StandardButton, const char*>> texte = {
        {QMessageBox::Ok, "OK"},         {QMessageBox::Yes, "Da"},        {QMessageBox::No, "Nu"},
        {QMessageBox::Cancel, "Renunt"}, {QMessageBox::Close, "Inchide"}, {QMessageBox::Save, "Salveaza"}};
    for (const auto& [buton, text] : texte) {
        if (QAbstractButton* b = cutie.button(buton))
            b->setText(QString::fromUtf8(text));
    }
}

void TMesaje::Avertizeaza(QWidget* parinte, const QString& text, const QString& detalii)
{
    Arata(parinte, Avertisment, text, detalii);
}

bool TMesaje::Intreaba(QWidget* parinte, const QString& text)
{
    return Arata(parinte, Intrebare, text) == QMessageBox::Yes;
}

void TMesaje::Informeaza(QWidget* parinte, const QString& text)
{
    Arata(parinte, Informatie, text);
}

void TMesaje::ArataEroare(QWidget* parinte, const QString& text, const QString& detalii)
{
    Arata(parinte, Eroare, text, detalii);
}

bool TMesaje::IntreabaReconectarea(QWidget* parinte, const QString& text)
{
    return Arata(parinte, Reconectare, text) == QMessageBox::Retry;
}

QMessageBox::StandardButton TMesaje::Alege(QWidget* parinte, const QString& text,
                                           const QList<QPair<QMessageBox::StandardButton, QString>>& butoane)
{
    g_afisate << text;
    g_ultimeleDetalii.clear();
    g_ultimulTip = Intrebare;
    if (!g_raspunsuri.isEmpty())
        return g_raspunsuri.takeFirst();
    if (g_faraFerestre || butoane.isEmpty())
        return butoane.isEmpty() ? QMessageBox::NoButton : butoane.last().first;
    QMessageBox cutie(QMessageBox::Warning, QApplication::applicationName(), text, QMessageBox::NoButton, parinte);
    cutie.setObjectName(QStringLiteral("Mesaj"));
    for (const auto& [buton, eticheta] : butoane)
        cutie.addButton(buton)->setText(eticheta);
    cutie.setDefaultButton(butoane.last().first);
    cutie.setEscapeButton(butoane.last().first);
    return static_cast<QMessageBox::StandardButton>(cutie.exec());
}

namespace {
// A file question: the test seam's answer when one is queued, else the toolkit's own file dialog, whose texts
// the program can give in Romanian.
QString CereFisier(QWidget* parinte, const QString& titlu, const QString& cale, const QString& filtru, bool deScris)
{
    g_afisate << titlu;
    g_ultimulTip = TMesaje::Intrebare;
    if (!g_fisiere.isEmpty())
        return g_fisiere.takeFirst();
    // Under test a file question nobody answered is a cancel, never a window that waits for a user.
    if (g_faraFerestre) {
        FaraRaspuns(titlu);
        return {};
    }
    QFileDialog dialog(parinte, titlu, cale, filtru);
    dialog.setObjectName(QStringLiteral("DialogFisier"));
    dialog.setAcceptMode(deScris ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(deScris ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Cauta in:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Nume fisier:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Tip fisier:"));
    dialog.setLabelText(QFileDialog::Accept, deScris ? QStringLiteral("Salveaza") : QStringLiteral("Deschide"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Renunt"));
    if (deScris)
        dialog.selectFile(cale);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}
} // namespace

QString TMesaje::CereFisierDeScris(QWidget* parinte, const QString& titlu, const QString& implicit,
                                   const QString& filtru)
{
    return CereFisier(parinte, titlu, implicit, filtru, true);
}

QString TMesaje::CereFisierDeCitit(QWidget* parinte, const QString& titlu, const QString& dosar, const QString& filtru)
{
    return CereFisier(parinte, titlu, dosar, filtru, false);
}

void TMesaje::SetFisierUrmator(const QString& cale)
{
    g_fisiere << cale;
}

void TMesaje::SetRaspunsUrmator(QMessageBox::StandardButton raspuns)
{
    g_raspunsuri << raspuns;
}

void TMesaje::SetFaraFerestre(bool faraFerestre)
{
    g_faraFerestre = faraFerestre;
}

void TMesaje::SetLaIntrebareFaraRaspuns(std::function<void(const QString&)> handler)
{
    g_laFaraRaspuns = std::move(handler);
}

QStringList TMesaje::MesajeAfisate()
{
    return g_afisate;
}

QString TMesaje::UltimulMesaj()
{
    return g_afisate.isEmpty() ? QString() : g_afisate.last();
}

QString TMesaje::UltimeleDetalii()
{
    return g_ultimeleDetalii;
}

TMesaje::TTip TMesaje::UltimulTip()
{
    return g_ultimulTip;
}

void TMesaje::Goleste()
{
    g_afisate.clear();
    g_ultimeleDetalii.clear();
    g_raspunsuri.clear();
    g_fisiere.clear();
}
