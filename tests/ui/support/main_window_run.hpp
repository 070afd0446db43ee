#pragma once
// One run of the program on a fresh copy of the installation: the main window made, shown and
// activated as at start, with the messages recorded.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <string>

#include "support/window_test.hpp"
#include "ui/main/main_window.hpp"
#include "ui/main/program_start.hpp"

namespace florimant {

struct MainWindowRun : ProgramCopy {
    explicit MainWindowRun(const std::string& password = std::string(FactoryPassword),
                           InstallationCopy::Copy copy = InstallationCopy::Copy::LinkReadOnlyFolders)
        : ProgramCopy(copy) {
        ReplaceTextFile(state.Folder, PasswordFile, {password});
    }

    void Start() {
        InitialiseProgramState(state, nullptr);
        window = std::make_unique<MainWindow>(state, messages);
        window->show();
        QVERIFY2(QTest::qWaitForWindowExposed(window.get()), "window not shown");
        QCoreApplication::processEvents();
        window->Activate();
    }
    // Types the password into the login panel as a user would (after clearing it).
    void TypePassword(const char* text) {
        auto* field = Control<QLineEdit>(*window, "EdMainPass1");
        QTest::mouseDClick(field, Qt::LeftButton);
        QTest::keyClicks(field, QString::fromUtf8(text));
    }
    void LogIn(const char* password = FactoryPassword.data()) {
        TypePassword(password);
        Click(*window, "BBok");
    }
    template <typename T>
    T* Find(const char* name) const {
        return Control<T>(*window, name);
    }
    // Shown as far as the window is concerned: not hidden itself (its tab page may be in the back).
    bool Shown(const char* name) const { return !Find<QWidget>(name)->isHidden(); }

    std::unique_ptr<MainWindow> window;
};

}  // namespace florimant
