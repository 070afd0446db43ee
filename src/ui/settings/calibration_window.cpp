#include "ui/settings/calibration_window.hpp"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>

#include <cmath>

#include "drawing/primitives.hpp"
#include "export/qt_device.hpp"
#include "ui/common/controls.hpp"

namespace florimant {
namespace {

constexpr Real CentreX = 140;
constexpr Real CentreY = 101.6L;

}  // namespace

Real CalibrationWindow::FactorOfPosition(int position) { return 1 - Real(position) / 1000; }

int CalibrationWindow::PositionOfFactor(Real factor) {
    return static_cast<int>(std::lround(double((1 - factor) * 1000)));
}

CalibrationWindow::CalibrationWindow(AppState& state, Messages& messages, QWidget* parent)
    : Window(state, messages, parent) {
    setObjectName(QStringLiteral("CalibrationWindow"));
    setWindowTitle(QStringLiteral("Rotondità Cerchi e Ridimensionamento Schermo"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    FillBackground(*this, Qt::black);

    panel_ = new QWidget(this);
    panel_->setObjectName(QStringLiteral("Panel1"));
    FillBackground(*panel_, Qt::gray);
    horizontal_ = new QScrollBar(Qt::Horizontal, panel_);
    horizontal_->setObjectName(QStringLiteral("ScBO"));
    vertical_ = new QScrollBar(Qt::Vertical, panel_);
    vertical_->setObjectName(QStringLiteral("ScBV"));
    for (auto* bar : {horizontal_, vertical_}) {
        bar->setRange(-200, 200);
        bar->setPageStep(10);
        connect(bar, &QScrollBar::valueChanged, this, [this] { Guarded([this] { SliderMoved(); }); });
    }
    ok_ = new QPushButton(QStringLiteral("OK"), panel_);
    ok_->setObjectName(QStringLiteral("BBok"));
    ok_->setToolTip(QStringLiteral("Ritorna ad Tamoril"));
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    reset_ = new QPushButton(QStringLiteral("Reset"), panel_);
    reset_->setObjectName(QStringLiteral("BBres"));
    connect(reset_, &QPushButton::clicked, this, [this] { Guarded([this] { ResetAxes(); }); });
    const char* texts[3] = {"Agire sui cursori quanto basta per ", "comprendere la cornice gialla",
                            "ed ottenere un cerchio tondo"};
    for (int i = 0; i < 3; ++i) {
        lines_[i] = new QLabel(QString::fromUtf8(texts[i]), panel_);
        lines_[i]->setObjectName(QStringLiteral("Lab%1").arg(i + 1));
        lines_[i]->setStyleSheet(QStringLiteral("color: white;"));
    }
    // The figure waits for a tick of the timer, so that the window is on the screen first.
    timer_.setInterval(10);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (ticks_ == 1) {
            timer_.stop();
            figureReady_ = true;
            update();
        } else {
            ++ticks_;
        }
    });
}

bool CalibrationWindow::Prepare() {
    state().Draw.Zoom = 1;
    figureReady_ = false;
    // Unreadable settings leave the window without a figure; OK and Reset write them anew.
    if (!Guarded([this] { state().Display = LoadDisplaySettings(state().Folder); })) return true;
    state().Draw.AxisCorrectionX = state().Display.AxisCorrectionX;
    state().Draw.AxisCorrectionY = state().Display.AxisCorrectionY;
    {
        const QSignalBlocker blockH(horizontal_);
        const QSignalBlocker blockV(vertical_);
        horizontal_->setValue(PositionOfFactor(state().Display.AxisCorrectionX));
        vertical_->setValue(PositionOfFactor(state().Display.AxisCorrectionY));
    }
    LayOutControls();
    timer_.start();
    return true;
}

void CalibrationWindow::Save() {
    state().Draw.AxisCorrectionX = state().Display.AxisCorrectionX;
    state().Draw.AxisCorrectionY = state().Display.AxisCorrectionY;
    Guarded([this] { SaveDisplaySettings(state().Folder, state().Display); });
}

void CalibrationWindow::SliderMoved() {
    state().Display.AxisCorrectionX = FactorOfPosition(horizontal_->value());
    state().Display.AxisCorrectionY = FactorOfPosition(vertical_->value());
    Save();
    update();
    LayOutControls();
}

void CalibrationWindow::ResetAxes() {
    state().Display.AxisCorrectionX = state().Display.AxisCorrectionY = 1;
    Save();
    {
        const QSignalBlocker blockH(horizontal_);
        const QSignalBlocker blockV(vertical_);
        horizontal_->setValue(0);
        vertical_->setValue(0);
    }
    update();
    LayOutControls();
}

void CalibrationWindow::done(int result) {
    if (result == QDialog::Accepted) Save();
    timer_.stop();
    Guarded([this] { state().Orbs = LoadActiveOrbs(state().Folder); });
    QDialog::done(result);
}

void CalibrationWindow::LayOutControls() {
    const Real s = state().Draw.Scale;
    const Real sx = state().Display.AxisCorrectionX;
    const Real sy = state().Display.AxisCorrectionY;
    const auto w = [&](Real units) { return int(std::lround(double(units * s / sx))); };
    const auto h = [&](Real units) { return int(std::lround(double(units * s / sy))); };
    const int width = w(70), height = h(70);
    panel_->setGeometry(int(std::lround(double(CentreX * s / sx - width / 2.0L))),
                        int(std::lround(double(CentreY * s / sy - height / 2.0L))), width, height);
    horizontal_->setGeometry(w(1), h(65), w(64), h(4));
    vertical_->setGeometry(w(65), h(1), w(4), h(64));
    ok_->setGeometry(w(20), h(20), w(26), h(6));
    reset_->setGeometry(w(20), h(27), w(26), h(6));
    for (int i = 0; i < 3; ++i) lines_[i]->setGeometry(w(2), h(42 + 3 * i), w(66), h(3));
}

void CalibrationWindow::resizeEvent(QResizeEvent* event) {
    Window::resizeEvent(event);
    LayOutControls();
}

void CalibrationWindow::paintEvent(QPaintEvent* event) {
    Window::paintEvent(event);
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!figureReady_ || state().Switches.SheetLayout != 0) return;
    QtDevice device(painter);
    DrawState draw = state().Draw;
    draw.Target = DrawTarget::Window;
    draw.Zoom = 1;
    draw.AxisCorrectionX = state().Display.AxisCorrectionX;
    draw.AxisCorrectionY = state().Display.AxisCorrectionY;
    Canvas canvas{draw, device};
    const Real sx = draw.AxisCorrectionX, sy = draw.AxisCorrectionY;
    SetPen(canvas, 64);
    Circle(canvas, 95, {CentreX, CentreY});
    SetPen(canvas, 1);
    Line(canvas, {CentreX - 100 / sx, CentreY}, {CentreX + 100 / sx, CentreY});
    Line(canvas, {CentreX, CentreY - 100 / sy}, {CentreX, CentreY + 100 / sy});
    for (int k = 0; k <= 10; ++k) {
        for (const int sign : {1, -1}) {
            const Real x = CentreX + sign * 10 * k / sx;
            const Real y = CentreY + sign * 10 * k / sy;
            Line(canvas, {x, 98.6L}, {x, 104.6L});
            Line(canvas, {137, y}, {143, y});
        }
    }
    ReleasePen(canvas);
    DrawPageFrame(canvas);
}

}  // namespace florimant
