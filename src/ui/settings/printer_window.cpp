#include "ui/settings/printer_window.hpp"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace florimant {
namespace {

QWidget* MakePanel(QWidget* parent, const char* name, const QStringList& lines, const char* buttonName,
                   const QString& caption, QPushButton** button) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(QString::fromLatin1(name));
    auto* layout = new QVBoxLayout(panel);
    auto* title = new QLabel(QStringLiteral("Il Programma..."), panel);
    title->setStyleSheet(QStringLiteral("color: blue; font-weight: bold;"));
    layout->addWidget(title);
    for (const QString& line : lines) layout->addWidget(new QLabel(line, panel));
    *button = new QPushButton(caption, panel);
    (*button)->setObjectName(QString::fromLatin1(buttonName));
    layout->addWidget(*button, 0, Qt::AlignCenter);
    return panel;
}

}  // namespace

PrinterWindow::PrinterWindow(AppState& state, Messages& messages, QWidget* parent) : Window(state, messages, parent) {
    setObjectName(QStringLiteral("FoStampa"));
    setWindowTitle(QStringLiteral("Stampante"));
    auto* layout = new QGridLayout(this);
    const QString epson = QStringLiteral("Modifica per Epson");
    const QString standard = QStringLiteral("Ripristina Standard");
    QPushButton* toCompatible = nullptr;
    QPushButton* toStandard = nullptr;
    standardPanel_ = MakePanel(this, "Panel1",
                               {QStringLiteral("al momento della fornitura, è compatibile con "),
                                QStringLiteral("la maggior parte delle stampanti reperibili"),
                                QStringLiteral("in commercio. Fanno eccezione diversi "),
                                QStringLiteral("tipi Epson, a partire dal Modello 460"),
                                QStringLiteral("Se avete una stampante Epson e non riuscite "),
                                QStringLiteral("a stampare, cliccate \"%1\"").arg(epson)},
                               "BitBtn1", epson, &toCompatible);
    compatiblePanel_ = MakePanel(
        this, "Panel2",
        {QStringLiteral("è ora configurato per l'uso con stampanti"), QStringLiteral("Epson modello 460 e successivi"),
         QStringLiteral("Se durante la stampa riscontrate  l'uscita di un"),
         QStringLiteral("foglio bianco prima di quello stampato, questa"),
         QStringLiteral("correzione è superflua. Cliccate quindi sul"),
         QStringLiteral("pulsante \"%1\"").arg(standard)},
        "BitBtn2", standard, &toStandard);
    layout->addWidget(standardPanel_, 0, 0, 1, 2);
    layout->addWidget(compatiblePanel_, 0, 0, 1, 2);
    done_ = new QLabel(QStringLiteral("MODIFICA  ATTUATA !"), this);
    done_->setObjectName(QStringLiteral("LabModi"));
    wait_ = new QLabel(QStringLiteral("attendere..."), this);
    wait_->setObjectName(QStringLiteral("LabModi1"));
    layout->addWidget(done_, 1, 0);
    layout->addWidget(wait_, 2, 0);
    auto* back = new QPushButton(QStringLiteral("Ritorna a menu"), this);
    back->setObjectName(QStringLiteral("BitBtnRitorna"));
    back->setDefault(true);  // Escape closes the dialog as well
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(back, 2, 1, Qt::AlignRight);
    switchButtons_ = {toCompatible, toStandard};
    for (QPushButton* button : switchButtons_)
        connect(button, &QPushButton::clicked, this, [this] { Guarded([this] { SwitchMode(); }); });
    closing_.setSingleShot(true);
    closing_.setInterval(600);
    connect(&closing_, &QTimer::timeout, this, &QDialog::accept);
    Prepare();
}

void PrinterWindow::ShowPanelOfMode() {
    const bool compatible = state().Display.PrinterCompatibilityMode == 1;
    compatiblePanel_->setVisible(compatible);
    standardPanel_->setVisible(!compatible);
}

bool PrinterWindow::Prepare() {
    closing_.stop();
    done_->hide();
    wait_->hide();
    for (QPushButton* button : switchButtons_) button->setEnabled(true);
    ShowPanelOfMode();
    return true;
}

void PrinterWindow::SwitchMode() {
    // One switch per opening: while the notice is up, the other panel's button does nothing.
    if (closing_.isActive()) return;
    done_->show();
    wait_->show();
    repaint();
    DisplaySettings settings = state().Display;
    settings.PrinterCompatibilityMode = settings.PrinterCompatibilityMode == 0 ? 1 : 0;
    settings.Reserved1 = 1;
    // A failed write leaves the mode as it was: the file decides it at the next activation.
    if (!Guarded([&] { SaveDisplaySettings(state().Folder, settings); })) {
        Prepare();
        return;
    }
    state().Display = settings;
    ShowPanelOfMode();
    for (QPushButton* button : switchButtons_) button->setEnabled(false);
    // The notice stays on the screen a moment before the window closes by itself.
    closing_.start();
}

}  // namespace florimant
