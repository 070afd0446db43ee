#pragma once
#include <array>
#include <filesystem>
#include <functional>
#include <vector>

#include "knowledge/knowledge_update.hpp"
#include "ui/common/window.hpp"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace florimant {

// "SITUAZIONE AGGIORNAMENTI": installs a new edition of OpzioneH from a removable volume that
// carries an OpzioneH folder at its root.
class UpdateWindow : public Window {
    Q_OBJECT
public:
    UpdateWindow(AppState& state, Messages& messages, QWidget* parent = nullptr);

    // Where the mounted volumes come from; read again at every opening, so a stick plugged in
    // after the program started is seen. Tests give a fixed list.
    using VolumeSource = std::function<std::vector<std::filesystem::path>()>;
    void SetVolumeSource(VolumeSource source) { volumes_ = std::move(source); }
    void SetVolumes(std::vector<std::filesystem::path> volumes) {
        volumes_ = [volumes = std::move(volumes)] { return volumes; };
    }
    bool Prepare() override;
    void Install(int row);  // 0..2

private:
    void ShowInstalledEdition();

    VolumeSource volumes_;
    std::array<std::filesystem::path, 3> devices_;
    std::array<QLineEdit*, 3> deviceBoxes_{};
    std::array<QLineEdit*, 3> editionBoxes_{};
    std::array<QPushButton*, 3> okButtons_{};
    QLineEdit* installed_ = nullptr;
    QPlainTextEdit* explanation_ = nullptr;
    QPushButton* back_ = nullptr;
};

}  // namespace florimant
