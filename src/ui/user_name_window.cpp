#include "ui/user_name_window.hpp"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "common/cp1252.hpp"
#include "common/file_io.hpp"
#include "ui/main_window.hpp"

namespace florimant {

namespace {
constexpr int NameLimit = 80;
}

UserNameWindow::UserNameWindow(const ProgramFolder& folder, QWidget* parent) : QDialog(parent), folder_(folder) {
    setObjectName(QStringLiteral("UserNameWindow"));
    setWindowTitle(QStringLiteral("Cambio Nome Utente"));
    auto* grid = new QGridLayout(this);
    editNome_ = new QLineEdit(this);
    editNome_->setObjectName(QStringLiteral("EditNome"));
    editCognome_ = new QLineEdit(this);
    editCognome_->setObjectName(QStringLiteral("EditCognome"));
    grid->addWidget(new QLabel(QStringLiteral("Nome Utente"), this), 0, 0);
    grid->addWidget(editNome_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Cognome Utente"), this), 1, 0);
    grid->addWidget(editCognome_, 1, 1);
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BBok"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Annulla"), this);
    cancel->setObjectName(QStringLiteral("BBannulla"));
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 2, 0, 1, 2);
    editNome_->setMinimumWidth(260);
    connect(ok, &QPushButton::clicked, this, &UserNameWindow::Accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void UserNameWindow::LoadNames() {
    std::vector<std::string> lines;
    try {
        if (folder_.Exists(UserNameFile)) lines = ReadTextLines(folder_, UserNameFile);
    } catch (const std::exception& error) {
        QMessageBox::critical(this, windowTitle(), QString::fromUtf8(error.what()));
    }
    loadedNome_ = lines.size() > 0 ? QString::fromStdString(Cp1252ToUtf8(lines[0])) : QString();
    loadedCognome_ = lines.size() > 1 ? QString::fromStdString(Cp1252ToUtf8(lines[1])) : QString();
    editNome_->setText(loadedNome_);
    editCognome_->setText(loadedCognome_);
}

QString UserNameWindow::FullName() const { return editNome_->text() + QLatin1Char(' ') + editCognome_->text(); }

void UserNameWindow::Accept() {
    if (editNome_->text() != loadedNome_ || editCognome_->text() != loadedCognome_) {
        editNome_->setText(editNome_->text().left(NameLimit));
        editCognome_->setText(editCognome_->text().left(NameLimit));
        try {
            ReplaceTextFile(
                folder_, UserNameFile,
                {Utf8ToCp1252(editNome_->text().toStdString()), Utf8ToCp1252(editCognome_->text().toStdString())});
        } catch (const std::exception& error) {
            // The names stay in the boxes so the user can try again.
            QMessageBox::critical(this, windowTitle(), QString::fromUtf8(error.what()));
            return;
        }
    }
    accept();
}

}  // namespace florimant
