#pragma once
#include <QMainWindow>
#include <QSize>
#include <QString>

#include <functional>
#include <string>

#include "ui/common/app_state.hpp"
#include "ui/common/child_windows.hpp"
#include "ui/common/feedback.hpp"
#include "ui/common/placement.hpp"

class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace florimant {

class AstroPage;
class ExtrasPage;
class LoginPanel;
class RemediesPage;
class SidePanel;

// The program's home: the login panel, the current subject, and the buttons that open every
// function from three tab pages and a side panel. Its child windows are made when first opened
// and placed by its anchor rule.
class MainWindow : public QMainWindow, public Anchor {
    Q_OBJECT
public:
    MainWindow(AppState& state, Messages& messages, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The activation steps; run at every real activation of the window and callable directly.
    void Activate();
    // Where a child window whose frame has the given size goes: its bottom-right corner `offset`
    // pixels beyond the main window's, inside the screen's available area.
    QPoint ChildAnchor(QSize childFrame, int offset = 10) const;
    void PlaceChild(QWidget& child, int offset) const override;

    // A child window, made on first use.
    template <class W>
    W& Child() {
        return children_.Get<W>();
    }
    template <class W>
    W* FindChildWindow() const {
        return children_.Find<W>();
    }

    AppState& state() { return state_; }
    Feedback& feedback() { return feedback_; }
    // How documents ("Dispensa.pdf", the manuals) are opened; the desktop's viewer unless replaced.
    using DocumentOpener = std::function<bool(const QString& path)>;
    void SetDocumentOpener(DocumentOpener opener);

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    QWidget* BuildTopBar(QWidget* parent);
    void ConnectButtons();
    void ConnectSheetWindows();  // main_window_sheets.cpp
    // Runs `action` through the guarded call when the button named `name` is clicked.
    void OnClick(const char* name, std::function<void()> action);
    void SetLockedControlsVisible(bool visible);
    void Unlock();
    void LoggedIn();
    void UpdateUsageLog();
    void FillUsageDates();
    void RefreshSubject();
    bool AccessCodeKey(QKeyEvent* event);
    void ApplyAccessCode();
    void OpenSubjectText();
    void OpenDocument(const char* fileName);

    AppState& state_;
    Feedback feedback_;
    ChildWindows children_;
    DocumentOpener documentOpener_;
    bool activating_ = false;
    int activations_ = 0;
    QSize anchorSize_;
    QString codeBuffer_;
    std::string usageJulianDay_;

    LoginPanel* loginPanel_ = nullptr;
    AstroPage* astroPage_ = nullptr;
    RemediesPage* remediesPage_ = nullptr;
    ExtrasPage* extrasPage_ = nullptr;
    SidePanel* sidePanel_ = nullptr;
    QToolButton* sbPass_ = nullptr;
    QLineEdit* edPass_ = nullptr;
    QTabWidget* pageControl1_ = nullptr;
    QPushButton* bitBtnNomeCognome_ = nullptr;
    QPushButton* bbIstruz_ = nullptr;
    QPushButton* bbDispensa_ = nullptr;
    QPushButton* edAggiorna_ = nullptr;
};

}  // namespace florimant
