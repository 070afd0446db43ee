#pragma once
// What the window tests share: a copy of the installation with the program's state on it, the
// recorded messages in place of message boxes, and controls looked up by their documented names.
#include <QAbstractButton>
#include <QTest>
#include <QWidget>

#include <string>
#include <vector>

#include "common/file_io.hpp"
#include "installation_copy.hpp"
#include "ui/common/app_state.hpp"
#include "ui/common/messages.hpp"

namespace florimant {

struct ProgramCopy {
    explicit ProgramCopy(InstallationCopy::Copy copy = InstallationCopy::Copy::LinkReadOnlyFolders)
        : installation(copy), state(ProgramFolder(installation.path())) {}

    std::vector<std::string> Lines(std::string_view programPath) const {
        return ReadTextLines(state.Folder, programPath);
    }

    InstallationCopy installation;
    AppState state;
    RecordedMessages messages;
};

// The control named `name` inside `window`; the test stops when there is none.
template <typename T>
T* Control(const QWidget& window, const char* name) {
    auto* control = window.findChild<T*>(QString::fromLatin1(name));
    if (control == nullptr) qFatal("control %s missing", name);
    return control;
}

inline void Click(const QWidget& window, const char* name) {
    QTest::mouseClick(Control<QAbstractButton>(window, name), Qt::LeftButton);
}

}  // namespace florimant
