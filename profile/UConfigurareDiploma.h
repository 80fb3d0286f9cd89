#pragma once

#include <QDialog>
#include <QString>

#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// One line of PROFIL_DIPLOMA as the profile list shows it (a NULL reads as empty).
struct TLinieProfil
{
    QString COD_FORMULAR;
    QString COD_PAGINA;
    QString COD_CAMP;
    QString ETICHETA_EDITOR;
    QString ONOREZ_SIMILAR;
    QString ASOCIAT_CU;
};

// Every profile line with the two settings the user may change; "Modifica" opens one line.
class TConfigurareDiploma : public QDialog
{
    Q_OBJECT

public:
    explicit TConfigurareDiploma(QWidget* parinte = nullptr);

    QTableWidget* Lista = nullptr;
    QPushButton* Modifica = nullptr;

    // Reads the lines again in the database's order.
    void Incarca();
    void ModificaLinia();

    const std::vector<std::unique_ptr<TLinieProfil>>& Linii() const { return m_linii; }

private:
    std::vector<std::unique_ptr<TLinieProfil>> m_linii;
};

// Changes ONOREZ_SIMILAR and ASOCIAT_CU of one profile line.
class TModificaLinieProfil : public QDialog
{
    Q_OBJECT

public:
    explicit TModificaLinieProfil(QWidget* parinte = nullptr);

    QLabel* Cheie = nullptr;
    QComboBox* OnorezSimilar = nullptr;
    QLineEdit* AsociatCu = nullptr;
    QPushButton* Ok = nullptr;
    QPushButton* Renunt = nullptr;

    void Incarca(const QString& codFormular, const QString& codPagina, const QString& codCamp);
    // Writes both settings in one transaction and closes with OK; an error leaves the window open.
    void Salveaza();

private:
    QString m_codFormular;
    QString m_codPagina;
    QString m_codCamp;
};
