#include "ui/main/login_panel.hpp"

#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "archive/program_files.hpp"
#include "ui/common/app_state.hpp"
#include "ui/common/feedback.hpp"
#include "ui/common/styles.hpp"

namespace florimant {

LoginPanel::LoginPanel(AppState& state, Feedback& feedback, QWidget* parent)
    : QGroupBox(QStringLiteral("Inserire password"), parent), state_(state), feedback_(feedback) {
    setObjectName(QStringLiteral("PanelPass"));
    auto* grid = new QGridLayout(this);
    edMainPass1_ = new QLineEdit(this);
    edMainPass1_->setObjectName(QStringLiteral("EdMainPass1"));
    edMainPass1_->setEchoMode(QLineEdit::Password);
    edMainPass1_->setMaximumWidth(180);
    edMainPass1_->installEventFilter(this);
    panMainPass_ = new QLabel(this);
    panMainPass_->setObjectName(QStringLiteral("PanMainPass"));
    panMainPass_->setMinimumWidth(90);
    panMainPass_->setFrameShape(QFrame::StyledPanel);
    edNewPass_ = new QLineEdit(this);
    edNewPass_->setObjectName(QStringLiteral("EdNewPass"));
    edNewPass_->setMaximumWidth(180);
    edNewPass_->installEventFilter(this);
    connect(edNewPass_, &QLineEdit::textEdited, this, &LoginPanel::NewPasswordTyped);
    bbOk_ = new QPushButton(QStringLiteral("OK Prosegui"), this);
    bbOk_->setObjectName(QStringLiteral("BBok"));
    bbOk_->setEnabled(false);
    bbOkRegi_ = new QPushButton(QStringLiteral("Ok Registra "), this);
    bbOkRegi_->setObjectName(QStringLiteral("BBokRegi"));
    bbOkRegi_->setEnabled(false);
    connect(bbOk_, &QPushButton::clicked, this, [this] { feedback_.Guarded([this] { OkProsegui(); }); });
    connect(bbOkRegi_, &QPushButton::clicked, this, [this] { feedback_.Guarded([this] { OkRegistra(); }); });
    labInitialPassword_ =
        new QLabel(QStringLiteral("La password iniziale è riportata sul disco di installazione."), this);
    labInitialPassword_->setObjectName(QStringLiteral("LabInitialPassword"));
    labInitialPassword_->setWordWrap(true);
    grid->addWidget(new QLabel(QStringLiteral("Password"), this), 0, 0);
    grid->addWidget(edMainPass1_, 0, 1);
    grid->addWidget(panMainPass_, 0, 2);
    grid->addWidget(bbOk_, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("Nuova password"), this), 1, 0);
    grid->addWidget(edNewPass_, 1, 1);
    grid->addWidget(bbOkRegi_, 1, 3);
    grid->addWidget(labInitialPassword_, 2, 0, 1, 4);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(4, 1);
}

void LoginPanel::Prepare(const QString& storedPassword, bool unlocked) {
    setVisible(true);
    edMainPass1_->setFocus();
    bbOkRegi_->setEnabled(false);
    storedPassword_ = storedPassword;
    if (!unlocked) labInitialPassword_->setVisible(storedPassword_ == QLatin1String(FactoryPassword.data()));
    bbOk_->setEnabled(typedPassword_.size() == storedPassword_.size());
}

bool LoginPanel::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (watched == edMainPass1_) {
        if (type == QEvent::KeyPress) return PasswordKey(static_cast<QKeyEvent*>(event));
        if (type == QEvent::MouseButtonDblClick) {
            ClearTypedPassword();
            bbOk_->setEnabled(storedPassword_.isEmpty());
            return true;
        }
    } else if (watched == edNewPass_ && type == QEvent::KeyPress) {
        return NewPasswordKey();
    }
    return QGroupBox::eventFilter(watched, event);
}

void LoginPanel::ClearTypedPassword() {
    typedPassword_.clear();
    edMainPass1_->clear();
    panMainPass_->clear();
}

bool LoginPanel::PasswordKey(QKeyEvent* event) {
    edNewPass_->clear();
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;
    if (key == Qt::Key_Backspace) {
        typedPassword_.chop(1);
    } else if (!event->text().isEmpty() && event->text().at(0).isPrint()) {
        typedPassword_ += event->text();
    } else {
        return false;  // navigation keys keep their usual meaning
    }
    edMainPass1_->setText(typedPassword_);
    panMainPass_->setText(QString(typedPassword_.size(), QLatin1Char('*')));
    bbOk_->setEnabled(typedPassword_.size() == storedPassword_.size());
    return true;
}

void LoginPanel::OkProsegui() {
    if (typedPassword_ != storedPassword_) {
        bbOk_->setEnabled(false);
        ClearTypedPassword();
        edNewPass_->clear();
        edMainPass1_->setFocus();
        return;
    }
    emit Accepted();
}

bool LoginPanel::NewPasswordKey() {
    if (typedPassword_.size() == 6) return false;  // the edit takes the key; textEdited checks it
    edNewPass_->clear();
    edNewPass_->setStyleSheet(RedStyle);
    feedback_.Show(MessageKind::Warning, QStringLiteral("Inserire PRIMA la Password Attuale!"));
    return true;
}

void LoginPanel::NewPasswordTyped() {
    const bool matches = typedPassword_ == storedPassword_;
    edNewPass_->setStyleSheet(matches ? AquaStyle : WhiteStyle);
    bbOkRegi_->setEnabled(matches);
}

void LoginPanel::OkRegistra() {
    const auto password = NewPasswordOf(edNewPass_->text().toStdString());
    if (!password) {
        feedback_.Show(MessageKind::Warning, QStringLiteral("Occorrono 6 caratteri"));
        return;
    }
    WritePassword(state_.Folder, *password);
    bbOkRegi_->setText(QStringLiteral("Ok Fatto!"));
    bbOkRegi_->setEnabled(false);
}

}  // namespace florimant
