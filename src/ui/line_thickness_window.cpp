#include "ui/line_thickness_window.hpp"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <charconv>

#include "common/settings_number.hpp"
#include "ui/main_window.hpp"

namespace florimant {

LineThicknessWindow::LineThicknessWindow(AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("FoSpeLin"));
    setWindowTitle(QStringLiteral("Spessore Linee"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Fattore spessore lineee"), this), 0, 0, 1, 2);
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("EditSpeLin"));
    edit_->setMaxLength(4);
    edit_->setFixedWidth(60);
    edit_->setStyleSheet(QStringLiteral("background-color: aqua;"));
    grid->addWidget(edit_, 1, 0, 2, 1);
    // The spin button's two halves.
    auto* spin = new QWidget(this);
    spin->setObjectName(QStringLiteral("SpinButton1"));
    auto* spinGrid = new QGridLayout(spin);
    spinGrid->setContentsMargins(0, 0, 0, 0);
    auto* up = new QToolButton(spin);
    up->setObjectName(QStringLiteral("SpinButton1Up"));
    up->setArrowType(Qt::UpArrow);
    auto* down = new QToolButton(spin);
    down->setObjectName(QStringLiteral("SpinButton1Down"));
    down->setArrowType(Qt::DownArrow);
    spinGrid->addWidget(up, 0, 0);
    spinGrid->addWidget(new QLabel(QStringLiteral("aumenta  +"), spin), 0, 1);
    spinGrid->addWidget(down, 1, 0);
    spinGrid->addWidget(new QLabel(QStringLiteral("riduci  -"), spin), 1, 1);
    grid->addWidget(spin, 1, 1, 2, 1);
    connect(up, &QToolButton::clicked, this, &LineThicknessWindow::StepUp);
    connect(down, &QToolButton::clicked, this, &LineThicknessWindow::StepDown);

    auto* notes = new QVBoxLayout;
    for (const char* text :
         {"Questa possibilità è destinata a", "chi non ottiene dei grafici zodiacali",
          "con lineee sufficientemente spesse.", "in fase di stampa.", "Aumentando il fattore, aumenta lo",
          "spessore delle linee.", "Il valore ottimale deve essere", "ottenuto sperimentalmente."})
        notes->addWidget(new QLabel(QString::fromUtf8(text), this));
    grid->addLayout(notes, 3, 0, 1, 2);

    auto* reset = new QPushButton(QStringLiteral("Reset"), this);
    reset->setObjectName(QStringLiteral("BitBtn1"));
    connect(reset, &QPushButton::clicked, this, &LineThicknessWindow::ResetFactor);
    auto* back = new QPushButton(QStringLiteral("&Ritorna "), this);
    back->setObjectName(QStringLiteral("BitBtnRitorna"));
    connect(back, &QPushButton::clicked, this, &QDialog::accept);
    grid->addWidget(reset, 4, 0);
    grid->addWidget(back, 4, 1);
}

QString LineThicknessWindow::FactorText(Real factor) {
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(factor)).ptr;
    QString text = QString::fromLatin1(buffer, int(end - buffer)).left(4);
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

void LineThicknessWindow::ShowCurrentFactor() { edit_->setText(FactorText(state_.Display.LineThicknessFactor)); }

std::optional<Real> LineThicknessWindow::TypedFactor() {
    const auto value = ParseWholeReal(edit_->text().toStdString());
    if (!value) {
        const QString message = QStringLiteral("'%1' non è un numero valido").arg(edit_->text());
        emit MessageShown(message);
        if (receivers(SIGNAL(MessageShown(QString))) == 0) QMessageBox::critical(this, windowTitle(), message);
    }
    return value;
}

void LineThicknessWindow::Store(Real factor) {
    state_.Display.LineThicknessFactor = factor;
    state_.Draw.LineThickness = factor;
    edit_->setText(FactorText(factor));
    try {
        SaveDisplaySettings(state_.Folder, state_.Display);
    } catch (const std::exception& error) {
        emit MessageShown(QString::fromUtf8(error.what()));
        if (receivers(SIGNAL(MessageShown(QString))) == 0)
            QMessageBox::critical(this, windowTitle(), QString::fromUtf8(error.what()));
    }
}

void LineThicknessWindow::StepUp() {
    if (const auto typed = TypedFactor()) Store(std::min(*typed / Real(0.95L), MaximumFactor));
}

void LineThicknessWindow::StepDown() {
    if (const auto typed = TypedFactor()) Store(std::max(*typed * Real(0.95L), MinimumFactor));
}

void LineThicknessWindow::ResetFactor() { Store(1); }

void LineThicknessWindow::done(int result) {
    // A text that is not a number keeps the window open, with the factor and the file unchanged.
    const auto typed = TypedFactor();
    if (!typed) return;
    Store(std::clamp(*typed, MinimumFactor, MaximumFactor));
    QDialog::done(result);
}

}  // namespace florimant
