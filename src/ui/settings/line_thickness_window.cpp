#include "ui/settings/line_thickness_window.hpp"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <charconv>

#include "common/number_text.hpp"
#include "common/settings_number.hpp"

namespace florimant {

LineThicknessWindow::LineThicknessWindow(AppState& state, Messages& messages, QWidget* parent)
    : Window(state, messages, parent) {
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
    connect(up, &QToolButton::clicked, this, [this] { Guarded([this] { StepUp(); }); });
    connect(down, &QToolButton::clicked, this, [this] { Guarded([this] { StepDown(); }); });

    auto* notes = new QVBoxLayout;
    for (const char* text :
         {"Questa possibilità è destinata a", "chi non ottiene dei grafici zodiacali",
          "con lineee sufficientemente spesse.", "in fase di stampa.", "Aumentando il fattore, aumenta lo",
          "spessore delle linee.", "Il valore ottimale deve essere", "ottenuto sperimentalmente."})
        notes->addWidget(new QLabel(QString::fromUtf8(text), this));
    grid->addLayout(notes, 3, 0, 1, 2);

    auto* reset = new QPushButton(QStringLiteral("Reset"), this);
    reset->setObjectName(QStringLiteral("BitBtn1"));
    connect(reset, &QPushButton::clicked, this, [this] { Guarded([this] { ResetFactor(); }); });
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

bool LineThicknessWindow::Prepare() {
    edit_->setText(FactorText(state().Display.LineThicknessFactor));
    return true;
}

std::optional<Real> LineThicknessWindow::TypedFactor() {
    const auto value = ParseWholeReal(edit_->text().toStdString());
    if (!value) {
        ShowMessage(MessageKind::Error, QStringLiteral("'%1' non è un numero valido").arg(edit_->text()));
    }
    return value;
}

void LineThicknessWindow::Store(Real factor) {
    state().Display.LineThicknessFactor = factor;
    state().Draw.LineThickness = factor;
    edit_->setText(FactorText(factor));
    Guarded([this] { SaveDisplaySettings(state().Folder, state().Display); });
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
