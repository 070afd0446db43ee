#pragma once
#include <QGroupBox>
#include <QString>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace florimant {

struct AppState;
class Feedback;

// "Inserire password": the password typed in `EdMainPass1` (shown as stars in `PanMainPass`),
// "OK Prosegui", and the change of password in `EdNewPass` with "Ok Registra ".
class LoginPanel : public QGroupBox {
    Q_OBJECT
public:
    LoginPanel(AppState& state, Feedback& feedback, QWidget* parent);

    // What every activation of the main window does here: the panel shown and focused, the stored
    // password read again, the factory-password hint shown while it is still in use.
    void Prepare(const QString& storedPassword, bool unlocked);
    void ResetStoredPassword(const QString& password) { storedPassword_ = password; }

signals:
    // The right password was confirmed with "OK Prosegui".
    void Accepted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool PasswordKey(QKeyEvent* event);
    bool NewPasswordKey();
    void ClearTypedPassword();
    void NewPasswordTyped();
    void OkProsegui();
    void OkRegistra();

    AppState& state_;
    Feedback& feedback_;
    QString storedPassword_;
    QString typedPassword_;
    QLineEdit* edMainPass1_ = nullptr;
    QLabel* panMainPass_ = nullptr;
    QLineEdit* edNewPass_ = nullptr;
    QPushButton* bbOk_ = nullptr;
    QPushButton* bbOkRegi_ = nullptr;
    QLabel* labInitialPassword_ = nullptr;
};

}  // namespace florimant
