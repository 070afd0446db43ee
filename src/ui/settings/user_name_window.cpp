#include "ui/settings/user_name_window.hpp"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/cp1252.hpp"
#include "common/file_io.hpp"

namespace florimant {

namespace {
constexpr int NameLimit = 80;
}

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
    std::vector<std::string> lines;
    // A damaged file opens the window with empty boxes, so the names can be written again.
    Guarded([&] {
        if (state().Folder.Exists(UserNameFile)) lines = ReadTextLines(state().Folder, UserNameFile);
    });
    loadedNome_ = lines.size() > 0 ? QString::fromStdString(Cp1252ToUtf8(lines[0])) : QString();
    loadedCognome_ = lines.size() > 1 ? QString::fromStdString(Cp1252ToUtf8(lines[1])) : QString();
    editNome_->setText(loadedNome_);
    editCognome_->setText(loadedCognome_);
    return true;
}

QString UserNameWindow::FullName() const { return editNome_->text() + QLatin1Char(' ') + editCognome_->text(); }

void UserNameWindow::Accept() {
    if (editNome_->text() != loadedNome_ || editCognome_->text() != loadedCognome_) {
        editNome_->setText(editNome_->text().left(NameLimit));
        editCognome_->setText(editCognome_->text().left(NameLimit));
        // A failed write leaves the names in the boxes, so the user can try again.
        ReplaceTextFile(
            state().Folder, UserNameFile,
            {Utf8ToCp1252(editNome_->text().toStdString()), Utf8ToCp1252(editCognome_->text().toStdString())});
    }
    accept();
}

}  // namespace florimant
