#pragma once
#include <QTimer>

#include "common/real.hpp"
#include "ui/common/window.hpp"

class QLabel;
class QPushButton;
class QScrollBar;
class QWidget;

namespace florimant {

// "Rotondità Cerchi e Ridimensionamento Schermo": two sliders correct the screen's axes until the
// test circle is round and the page frame fits; every move is stored in "FileSet\MMVarLas.stt".
class CalibrationWindow : public Window {
    Q_OBJECT
public:
    CalibrationWindow(AppState& state, Messages& messages, QWidget* parent = nullptr);

    // Slider position and axis factor: factor = 1 - position / 1000.
    static Real FactorOfPosition(int position);
    static int PositionOfFactor(Real factor);

    // What every opening does: zoom 1, settings read again, sliders set, controls laid out.
    bool Prepare() override;
    void ResetAxes();
    void done(int result) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void SliderMoved();
    void Save();
    void LayOutControls();

    QWidget* panel_ = nullptr;
    QScrollBar* horizontal_ = nullptr;
    QScrollBar* vertical_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* reset_ = nullptr;
    QLabel* lines_[3] = {};
    QTimer timer_;
    int ticks_ = 0;
    bool figureReady_ = false;
};

}  // namespace florimant
