#include "ui/tools/backup_window.hpp"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "archive/base_backup.hpp"
#include "common/removable_volumes.hpp"
#include "drawing/display_settings.hpp"
#include "engine/astro_time.hpp"
#include "ui/common/styles.hpp"

namespace florimant {
namespace fs = std::filesystem;

namespace {

QString PathText(const fs::path& path) { return QString::fromStdString(path.string()); }

}  // namespace

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
    Guarded([&] { last = QString::fromStdString(LastBackupDate(state().Folder)); });
    lastBackupBox_->setText(last);
    return true;
}

void BackupWindow::ChooseVolume(const fs::path& volume) {
    destination_ = BackupFolderOn(volume);
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
    const BackupCheck ready = CheckBackupFolder(destination_);
    if (!ready.Ready()) {
        ShowMessage(MessageKind::Warning, QString::fromStdString(ready.Message));
        return;
    }
    const std::string today = TodayText();
    if (!Guarded([&] { BackupBaseArchive(state().Folder, destination_, today); })) return;
    lastBackupBox_->setText(QString::fromStdString(today));
    ShowDone();
}

void BackupWindow::Restore() {
    unitLabel_->setText(QStringLiteral("Sorgente:"));
    doneLabel_->clear();
    const BackupCheck ready = CheckRestoreFolder(destination_);
    if (!ready.Ready()) {
        ShowMessage(MessageKind::Warning, QString::fromStdString(ready.Message));
        if (ready.Readiness == BackupReadiness::NoFolderChosen) unitLabel_->setText(QStringLiteral("Unità:"));
        return;
    }
    if (Ask(QStringLiteral("SOSTITUIRE i dati attuali con una COPIA?"), Choices::YesNo, Answer::No,
            MessageKind::Warning) != Answer::Yes) {
        unitLabel_->setText(QStringLiteral("Origine:"));
        return;
    }
    if (!Guarded([this] { RestoreBaseArchive(state().Folder, destination_); })) return;
    ShowDone();
    unitLabel_->setText(QStringLiteral("Unità:"));
}

}  // namespace florimant
