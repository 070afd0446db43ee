#include "ui/tools/update_window.hpp"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "archive/program_files.hpp"
#include "common/removable_volumes.hpp"
#include "ui/common/styles.hpp"

namespace florimant {
namespace fs = std::filesystem;

UpdateWindow::UpdateWindow(AppState& state, Messages& messages, QWidget* parent) : Window(state, messages, parent) {
    setObjectName(QStringLiteral("UpdateWindow"));
    setWindowTitle(QStringLiteral("SITUAZIONE AGGIORNAMENTI"));
    auto* grid = new QGridLayout(this);
    explanation_ = new QPlainTextEdit(this);
    explanation_->setObjectName(QStringLiteral("MemoSpiega"));
    explanation_->setReadOnly(true);
    explanation_->setMinimumSize(420, 160);
    grid->addWidget(explanation_, 0, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Ultimo Aggiornamento al Programma effettuato  in data:"), this), 1, 0, 1,
                    2);
    installed_ = new QLineEdit(this);
    installed_->setObjectName(QStringLiteral("EdUltAgg"));
    installed_->setReadOnly(true);
    grid->addWidget(installed_, 1, 2);
    for (int row = 0; row < 3; ++row) {
        auto* device = new QLineEdit(this);
        device->setObjectName(QStringLiteral("EdDisp%1").arg(row + 1));
        device->setReadOnly(true);
        auto* edition = new QLineEdit(this);
        edition->setObjectName(QStringLiteral("EdNuoAgg%1").arg(row + 1));
        edition->setReadOnly(true);
        auto* ok = new QPushButton(QStringLiteral("Ok"), this);
        ok->setObjectName(QStringLiteral("Ok%1").arg(row + 1));
        connect(ok, &QPushButton::clicked, this, [this, row] { Guarded([this, row] { Install(row); }); });
        grid->addWidget(device, row + 2, 0);
        grid->addWidget(edition, row + 2, 1);
        grid->addWidget(ok, row + 2, 2);
        deviceBoxes_[size_t(row)] = device;
        editionBoxes_[size_t(row)] = edition;
        okButtons_[size_t(row)] = ok;
    }
    back_ = new QPushButton(QStringLiteral("Ritorna al Menu"), this);
    back_->setObjectName(QStringLiteral("BBritorna"));
    connect(back_, &QPushButton::clicked, this, &QDialog::accept);
    grid->addWidget(back_, 5, 0, 1, 3);
    volumes_ = RemovableVolumes;
}

void UpdateWindow::ShowInstalledEdition() {
    installed_->setText(QString::fromStdString(ReadKnowledgeEdition(state().Folder.Resolve("OpzioneH")).Text));
}

bool UpdateWindow::Prepare() {
    const ProgramFolder& folder = state().Folder;
    back_->setText(QStringLiteral("Ritorna al Menu"));
    for (int row = 0; row < 3; ++row) {
        deviceBoxes_[size_t(row)]->clear();
        editionBoxes_[size_t(row)]->clear();
        editionBoxes_[size_t(row)]->setStyleSheet(QString());
        okButtons_[size_t(row)]->setEnabled(false);
        devices_[size_t(row)].clear();
    }
    // The title counts the earlier starts and names the first one, from the usage log.
    QString title = QStringLiteral("SITUAZIONE AGGIORNAMENTI - ");
    Guarded([&] {
        title += QString::fromStdString(UsageSummaryText(ReadUsageSummary(folder)));
        QStringList lines;
        for (const auto& line : UpdateExplanationLines(folder)) lines << QString::fromStdString(line);
        explanation_->setPlainText(lines.join(QLatin1Char('\n')));
    });
    setWindowTitle(title);
    const KnowledgeEdition installed = ReadKnowledgeEdition(folder.Resolve("OpzioneH"));
    installed_->setText(QString::fromStdString(installed.Text));
    const auto devices = FindUpdateDevices(volumes_ ? volumes_() : std::vector<fs::path>{}, installed);
    size_t row = 0;
    for (const UpdateDevice& device : devices) {
        if (row == devices_.size()) break;
        devices_[row] = device.Source;
        deviceBoxes_[row]->setText(QString::fromStdString(device.Volume.string()));
        editionBoxes_[row]->setText(QString::fromStdString(device.Edition.Text));
        editionBoxes_[row]->setStyleSheet(device.Older ? RedStyle : AquaStyle);
        okButtons_[row]->setEnabled(true);
        ++row;
    }
    if (row == 0)
        ShowMessage(MessageKind::Warning, QStringLiteral("Non è stato rilevato alcun disco di aggiornamento"));
    return true;
}

void UpdateWindow::Install(int row) {
    const fs::path source = devices_.at(size_t(row));
    if (source.empty()) return;
    back_->setText(QStringLiteral("Attendere..."));
    back_->repaint();
    const bool installed = Guarded([&] { InstallKnowledgeUpdate(state().Folder, source); });
    if (!installed) {
        back_->setText(QStringLiteral("Ritorna al Menu"));
        ShowInstalledEdition();
        return;
    }
    ShowInstalledEdition();
    back_->setText(QStringLiteral("Fatto. Ritorna al Menu"));
}

}  // namespace florimant
