#pragma once
#include <QTimer>

#include <array>

#include "ui/common/window.hpp"

class QLabel;
class QPushButton;
class QWidget;

namespace florimant {

// "Stampante": switches the printer compatibility mode (a blank job before every chart sheet, for
// printers that need one) on and off.
class PrinterWindow : public Window {
    Q_OBJECT
public:
    PrinterWindow(AppState& state, Messages& messages, QWidget* parent = nullptr);

    bool Prepare() override;  // the panel of the current mode, the notice hidden
    void SwitchMode();

private:
    void ShowPanelOfMode();

    QWidget* standardPanel_ = nullptr;
    QWidget* compatiblePanel_ = nullptr;
    QLabel* done_ = nullptr;
    QLabel* wait_ = nullptr;
    std::array<QPushButton*, 2> switchButtons_{};
    QTimer closing_;  // closes the window once the notice has been seen
};

}  // namespace florimant
