#pragma once
#include <filesystem>
#include <functional>
#include <vector>

#include "ui/common/window.hpp"

class QLabel;
class QLineEdit;
class QListWidget;
class QWidget;

namespace florimant {

// "Backup/Ripristino Archivio BASE": copies the BASE archive and its texts to "TamorilBck" on a
// chosen volume and back. The program copies the files itself and says "OK" only when every
// file has arrived.
class BackupWindow : public Window {
    Q_OBJECT
public:
    BackupWindow(AppState& state, Messages& messages, QWidget* parent = nullptr);

    // Where the mounted volumes come from; read again each time the list is shown, so a stick
    // plugged in after the program started is seen. Tests give a fixed list.
    using VolumeSource = std::function<std::vector<std::filesystem::path>()>;
    void SetVolumeSource(VolumeSource source) { volumes_ = std::move(source); }
    void SetVolumes(std::vector<std::filesystem::path> volumes);

    bool Prepare() override;  // what every opening shows
    void ChooseVolume(const std::filesystem::path& volume);
    void Backup();
    void Restore();

private:
    void ShowDone();

    VolumeSource volumes_;
    std::filesystem::path destination_;
    QLineEdit* destinationBox_ = nullptr;
    QLineEdit* lastBackupBox_ = nullptr;
    QLabel* unitLabel_ = nullptr;
    QLabel* doneLabel_ = nullptr;
    QWidget* drivePanel_ = nullptr;
    QListWidget* driveList_ = nullptr;
};

}  // namespace florimant
