#pragma once
#include <QDialog>

class QLabel;
class QWidget;

namespace florimant {

struct AppState;

// "Stampante": switches the printer compatibility mode (a blank job before every chart sheet, for
// printers that need one) on and off.
class PrinterWindow : public QDialog {
    Q_OBJECT
public:
    explicit PrinterWindow(AppState& state, QWidget* parent = nullptr);

    void Open();  // the panel of the current mode, the notice hidden
    void SwitchMode();

signals:
    void MessageShown(const QString& text);

private:
    void ShowPanelOfMode();

    AppState& state_;
    QWidget* standardPanel_ = nullptr;
    QWidget* compatiblePanel_ = nullptr;
    QLabel* done_ = nullptr;
    QLabel* wait_ = nullptr;
};

}  // namespace florimant
