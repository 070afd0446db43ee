#pragma once
#include <QTimer>
#include <QWidget>

#include <string>

class QComboBox;
class QToolButton;

namespace florimant {

struct AppState;
class Feedback;

// `Panel9` beside the tab pages: the orb set "Orbite Aspetti" and the node mode "Nodo Lunare",
// locked between uses by `BBlk`, and the printer type button `SBtipoStamp`. A change of either box
// is applied at the next idle moment, once the box has finished its own event.
class SidePanel : public QWidget {
    Q_OBJECT
public:
    SidePanel(AppState& state, Feedback& feedback, QWidget* parent);

    void ShowNodeMode();
    void ShowOrbSet(char letter);
    void SetCombosLocked(bool locked);
    QToolButton* printerButton() const { return sbTipoStamp_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OrbSetChanged(const QString& text);
    void NodeModeChanged(const QString& text);
    void ToggleNodeMode();
    void RunIdle();

    AppState& state_;
    Feedback& feedback_;
    QComboBox* comboOrb_ = nullptr;
    QComboBox* comboNodo_ = nullptr;
    QToolButton* bbLk_ = nullptr;
    QToolButton* sbTipoStamp_ = nullptr;
    char pendingOrbLetter_ = 'A';
    std::string pendingNodeMode_;
    bool orbSetPending_ = false;
    bool nodeModePending_ = false;
    QTimer idleTimer_;
};

}  // namespace florimant
