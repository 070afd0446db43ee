#include "ui/settings/user_name_window.hpp"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "archive/program_files.hpp"

namespace florimant {

UserNameWindow::UserNameWindow(AppState& state, Messages& messages, QWidget* parent) : Window(state, messages, parent) {
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
    connect(ok, &QPushButton::clicked, this, [this] { Guarded([this] { Accept(); }); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool UserNameWindow::Prepare() {
    UserName name;
    // A damaged file opens the window with empty boxes, so the names can be written again.
    Guarded([&] { name = ReadUserName(state().Folder); });
    loadedNome_ = QString::fromStdString(name.First);
    loadedCognome_ = QString::fromStdString(name.Last);
    editNome_->setText(loadedNome_);
    editCognome_->setText(loadedCognome_);
    return true;
}

QString UserNameWindow::FullName() const { return editNome_->text() + QLatin1Char(' ') + editCognome_->text(); }

void UserNameWindow::Accept() {
    if (editNome_->text() != loadedNome_ || editCognome_->text() != loadedCognome_) {
        // A failed write leaves the names in the boxes, so the user can try again.
        const UserName written =
            WriteUserName(state().Folder, {editNome_->text().toStdString(), editCognome_->text().toStdString()});
        editNome_->setText(QString::fromStdString(written.First));
        editCognome_->setText(QString::fromStdString(written.Last));
    }
    accept();
}

}  // namespace florimant
