#include "ui/tools/update_window.hpp"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "common/cp1252.hpp"
#include "common/file_io.hpp"
#include "engine/astro_time.hpp"
#include "ui/tools/backup_window.hpp"
#include "ui/common/styles.hpp"

namespace florimant {
namespace fs = std::filesystem;

KnowledgeEdition ReadKnowledgeEdition(const fs::path& opzioneH) {
    KnowledgeEdition edition;
    const ProgramFolder folder(opzioneH);
    for (const char* name : {"DBmain.rnd", "Repertorio.rnd"}) {
        std::error_code error;
        const fs::path path = folder.Resolve(name);
        const auto time = fs::last_write_time(path, error);
        if (error || (edition.Valid && time <= edition.Time)) continue;
        edition.Time = time;
        edition.Valid = true;
        edition.Text = FileDateText(path);
    }
    return edition;
}

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
        const auto summary =
            folder.Exists(UsageSummaryFile) ? ReadTextLines(folder, UsageSummaryFile) : std::vector<std::string>{};
        const auto dates =
            folder.Exists(UsageDatesFile) ? ReadTextLines(folder, UsageDatesFile) : std::vector<std::string>{};
        const long count = summary.size() > 2 ? std::strtol(summary[2].c_str(), nullptr, 10) : 0;
        QString first;
        if (!dates.empty()) {
            char* end = nullptr;
            const long double jd = std::strtold(dates.front().c_str(), &end);
            if (end != dates.front().c_str() && jd > 0 && jd < 1e8)
                first = QString::fromStdString(JulianDayToText(jd).substr(0, 10));
        }
        title += QString::number(std::max(0L, count - 1)) + QLatin1Char('/') + first;
        const bool autoSet = folder.Exists("OpzioneH\\AutoSet");
        const std::string_view text = autoSet ? "Appoggio\\Aggiorna2.txt" : "Appoggio\\Aggiorna1.txt";
        QStringList lines;
        if (folder.Exists(text))
            for (const auto& line : ReadTextLines(folder, text)) lines << QString::fromStdString(Cp1252ToUtf8(line));
        explanation_->setPlainText(lines.join(QLatin1Char('\n')));
    });
    setWindowTitle(title);
    const KnowledgeEdition installed = ReadKnowledgeEdition(folder.Resolve("OpzioneH"));
    installed_->setText(QString::fromStdString(installed.Text));
    size_t row = 0;
    for (const auto& volume : volumes_ ? volumes_() : std::vector<fs::path>{}) {
        if (row == devices_.size()) break;
        const fs::path source = ProgramFolder(volume).Resolve("OpzioneH");
        if (!fs::is_directory(source)) continue;
        const KnowledgeEdition edition = ReadKnowledgeEdition(source);
        devices_[row] = source;
        deviceBoxes_[row]->setText(QString::fromStdString(volume.string()));
        editionBoxes_[row]->setText(QString::fromStdString(edition.Text));
        const bool older = !edition.Valid || (installed.Valid && edition.Time < installed.Time);
        editionBoxes_[row]->setStyleSheet(older ? RedStyle : AquaStyle);
        okButtons_[row]->setEnabled(true);
        ++row;
    }
    if (row == 0) ShowMessage(MessageKind::Warning, QStringLiteral("Non è stato rilevato alcun disco di aggiornamento"));
    return true;
}

void UpdateWindow::Install(int row) {
    const fs::path source = devices_.at(size_t(row));
    if (source.empty()) return;
    back_->setText(QStringLiteral("Attendere..."));
    back_->repaint();
    const fs::path target = state().Folder.Resolve("OpzioneH");
    const bool installed = Guarded([&] {
        std::error_code error;
        fs::create_directories(target, error);
        for (const auto& entry : fs::directory_iterator(source)) {
            if (!entry.is_regular_file()) continue;
            // An existing file keeps its spelling, whatever case the device uses.
            const fs::path existing = ProgramFolder(target).Resolve(entry.path().filename().string());
            CopyFileThroughSibling(entry.path(), existing);
        }
    });
    if (!installed) {
        back_->setText(QStringLiteral("Ritorna al Menu"));
        ShowInstalledEdition();
        return;
    }
    ShowInstalledEdition();
    back_->setText(QStringLiteral("Fatto. Ritorna al Menu"));
}

}  // namespace florimant
