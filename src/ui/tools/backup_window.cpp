#include "ui/tools/backup_window.hpp"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdlib>
#include <system_error>

#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "engine/astro_time.hpp"
#include "ui/common/styles.hpp"

namespace florimant {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view LastBackupFile = "FileDum\\MMbakMod1.dum";

QString PathText(const fs::path& path) { return QString::fromStdString(path.string()); }

// Every file of a folder whose name matches a pattern, case-insensitively.
int CopyMatching(const fs::path& fromFolder, std::string_view pattern, const fs::path& toFolder) {
    std::error_code error;
    fs::create_directories(toFolder, error);
    if (error) throw DataFileError(toFolder.string(), "cartella non creata (" + error.message() + ")");
    int copied = 0;
    if (!fs::is_directory(fromFolder)) return 0;
    for (const auto& entry : fs::directory_iterator(fromFolder)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file() || !WildcardMatch(pattern, name)) continue;
        CopyFileThroughSibling(entry.path(), toFolder / name);
        ++copied;
    }
    return copied;
}

}  // namespace

// Written beside the destination and renamed over it, so an interrupted copy never leaves half a
// file in place of a good one; the modification time travels with the file because the
// knowledge base's edition is read from it.
void CopyFileThroughSibling(const fs::path& from, const fs::path& to) {
    const fs::path temporary = TemporarySibling(to);
    std::error_code error;
    fs::copy_file(from, temporary, fs::copy_options::overwrite_existing, error);
    if (!error) {
        const auto time = fs::last_write_time(from, error);
        if (!error) fs::last_write_time(temporary, time, error);
    }
    if (!error) fs::rename(temporary, to, error);
    if (error) {
        fs::remove(temporary, error);
        throw DataFileError(to.string(), "copia da " + from.string() + " non riuscita");
    }
}

std::vector<fs::path> RemovableVolumes() {
    std::vector<fs::path> volumes;
    std::error_code error;
    const auto children = [&](const fs::path& folder) {
        std::vector<fs::path> found;
        if (!fs::is_directory(folder, error)) return found;
        for (const auto& entry : fs::directory_iterator(folder, error))
            if (entry.is_directory(error)) found.push_back(entry.path());
        return found;
    };
    const char* user = std::getenv("USER");
    for (const auto& entry : children("/media")) {
        // /media/<user>/<volume> on most desktops, /media/<volume> on some.
        if (user != nullptr && entry.filename() == user) {
            for (const auto& volume : children(entry)) volumes.push_back(volume);
        } else {
            volumes.push_back(entry);
        }
    }
    for (const auto& userFolder : children("/run/media"))
        for (const auto& volume : children(userFolder)) volumes.push_back(volume);
    for (const auto& volume : children("/mnt")) volumes.push_back(volume);
    return volumes;
}

BackupWindow::BackupWindow(AppState& state, Messages& messages, QWidget* parent) : Window(state, messages, parent) {
    setObjectName(QStringLiteral("BackupWindow"));
    setWindowTitle(QStringLiteral("Backup/Ripristino Archivio BASE"));
    auto* grid = new QGridLayout(this);
    unitLabel_ = new QLabel(QStringLiteral("Unità:"), this);
    unitLabel_->setObjectName(QStringLiteral("LabUnita"));
    destinationBox_ = new QLineEdit(this);
    destinationBox_->setObjectName(QStringLiteral("EdUnita"));
    destinationBox_->setReadOnly(true);
    destinationBox_->setMinimumWidth(260);
    destinationBox_->setToolTip(QStringLiteral("Definire l'Unità su cui copiare o\ndalla quale attingere i dati."));
    grid->addWidget(unitLabel_, 0, 0);
    grid->addWidget(destinationBox_, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("ultimo\nbackup"), this), 1, 0);
    lastBackupBox_ = new QLineEdit(this);
    lastBackupBox_->setObjectName(QStringLiteral("EdUltimoBackup"));
    lastBackupBox_->setReadOnly(true);
    grid->addWidget(lastBackupBox_, 1, 1);
    auto* define = new QPushButton(QStringLiteral("Definisci Unità Backup"), this);
    define->setObjectName(QStringLiteral("BBdefinisci"));
    auto* backup = new QPushButton(QStringLiteral("Backup"), this);
    backup->setObjectName(QStringLiteral("BBbackup"));
    auto* restore = new QPushButton(QStringLiteral("Ripristino"), this);
    restore->setObjectName(QStringLiteral("BBripristino"));
    grid->addWidget(define, 2, 0, 1, 2);
    grid->addWidget(backup, 3, 0);
    grid->addWidget(restore, 3, 1);
    doneLabel_ = new QLabel(this);
    doneLabel_->setObjectName(QStringLiteral("LabEsito"));
    grid->addWidget(doneLabel_, 4, 0, 1, 3);

    drivePanel_ = new QWidget(this);
    drivePanel_->setObjectName(QStringLiteral("PanelUnita"));
    auto* driveLayout = new QVBoxLayout(drivePanel_);
    driveLayout->addWidget(new QLabel(QStringLiteral("Cliccare il dispositivo di memoria\nsul quale trascrivere\n"
                                                     "(o da cui richiamare)\nuna copia di sicurezza (Backup)\n"
                                                     "dei dati selezionati"),
                                      drivePanel_));
    driveList_ = new QListWidget(drivePanel_);
    driveList_->setObjectName(QStringLiteral("ListUnita"));
    driveLayout->addWidget(driveList_);
    auto* closeList = new QPushButton(QStringLiteral("X"), drivePanel_);
    closeList->setObjectName(QStringLiteral("BBchiudiUnita"));
    driveLayout->addWidget(closeList);
    drivePanel_->hide();
    grid->addWidget(drivePanel_, 0, 3, 5, 1);

    connect(define, &QPushButton::clicked, this, [this] {
        Guarded([this] {
            driveList_->clear();
            if (volumes_)
                for (const auto& volume : volumes_()) driveList_->addItem(PathText(volume));
            drivePanel_->show();
        });
    });
    connect(closeList, &QPushButton::clicked, drivePanel_, &QWidget::hide);
    connect(driveList_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        Guarded([this, item] {
            ChooseVolume(fs::path(item->text().toStdString()));
            drivePanel_->hide();
        });
    });
    connect(backup, &QPushButton::clicked, this, [this] { Guarded([this] { Backup(); }); });
    connect(restore, &QPushButton::clicked, this, [this] { Guarded([this] { Restore(); }); });
    volumes_ = RemovableVolumes;
}

void BackupWindow::SetVolumes(std::vector<fs::path> volumes) {
    volumes_ = [volumes = std::move(volumes)] { return volumes; };
}

bool BackupWindow::Prepare() {
    destination_.clear();
    destinationBox_->setText(QStringLiteral("?:\\TamorilBck"));
    destinationBox_->setStyleSheet(QStringLiteral("color: red;"));
    unitLabel_->setText(QStringLiteral("Unità:"));
    doneLabel_->clear();
    drivePanel_->hide();
    QString last = QStringLiteral("Mai");
    Guarded([&] {
        if (state().Folder.Exists(LastBackupFile)) {
            const auto lines = ReadTextLines(state().Folder, LastBackupFile);
            if (!lines.empty()) last = QString::fromStdString(lines.front());
        }
    });
    lastBackupBox_->setText(last);
    return true;
}

void BackupWindow::ChooseVolume(const fs::path& volume) {
    destination_ = volume / "TamorilBck";
    destinationBox_->setText(PathText(destination_));
    destinationBox_->setStyleSheet(AquaStyle);
    Guarded([this] {
        // Only line 6 changes; the other seven lines are written back as read.
        DisplaySettings settings = LoadDisplaySettings(state().Folder);
        settings.BackupFolder = destination_.string();
        SaveDisplaySettings(state().Folder, settings);
        state().Display.BackupFolder = settings.BackupFolder;
    });
}

void BackupWindow::ShowDone() { doneLabel_->setText(QStringLiteral("OK   Copia Archivio Dati Nascita (BASE)")); }

void BackupWindow::Backup() {
    unitLabel_->setText(QStringLiteral("Destinaz.:"));
    doneLabel_->clear();
    if (destination_.empty()) {
        ShowMessage(MessageKind::Warning, QStringLiteral("Necessario definire l'Unità di backup"));
        return;
    }
    const fs::path volume = destination_.parent_path();
    if (!fs::is_directory(volume)) {
        ShowMessage(MessageKind::Warning, QStringLiteral("L'Unità ") + PathText(volume) + QStringLiteral(" non è disponibile"));
        return;
    }
    const fs::path root = state().Folder.root();
    const bool copied = Guarded([&] {
        fs::create_directories(destination_ / "DatiBase");
        fs::create_directories(destination_ / "BASEtxt");
        if (state().Folder.Exists(LastBackupFile)) {
            const fs::path last = state().Folder.Resolve(LastBackupFile);
            CopyFileThroughSibling(last, destination_ / last.filename());
        }
        CopyMatching(root, "BASE.ST*", destination_ / "DatiBase");
        CopyMatching(state().Folder.Resolve("BASEtxt"), "*", destination_ / "BASEtxt");
        ReplaceTextFile(state().Folder, LastBackupFile, {TodayText()});
    });
    if (!copied) return;
    lastBackupBox_->setText(QString::fromStdString(TodayText()));
    ShowDone();
}

void BackupWindow::Restore() {
    unitLabel_->setText(QStringLiteral("Sorgente:"));
    doneLabel_->clear();
    if (destination_.empty()) {
        ShowMessage(MessageKind::Warning, QStringLiteral("Necessario definire l'Unità di backup"));
        unitLabel_->setText(QStringLiteral("Unità:"));
        return;
    }
    if (!fs::is_directory(destination_)) {
        ShowMessage(MessageKind::Warning, QStringLiteral("La sorgente ") + PathText(destination_) + QStringLiteral(" non è disponibile"));
        return;
    }
    if (Ask(QStringLiteral("SOSTITUIRE i dati attuali con una COPIA?"), Choices::YesNo, Answer::No,
            MessageKind::Warning) != Answer::Yes) {
        unitLabel_->setText(QStringLiteral("Origine:"));
        return;
    }
    if (!Guarded([this] {
            CopyMatching(destination_ / "DatiBase", "BASE.ST*", state().Folder.root());
            CopyMatching(destination_ / "BASEtxt", "*", state().Folder.Resolve("BASEtxt"));
        }))
        return;
    ShowDone();
    unitLabel_->setText(QStringLiteral("Unità:"));
}

}  // namespace florimant
