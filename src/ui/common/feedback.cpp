#include "ui/common/feedback.hpp"

#include <QWidget>

#include <cerrno>
#include <filesystem>
#include <new>
#include <system_error>

#include "common/data_file_error.hpp"

namespace florimant {
namespace {

// A re-activation that comes later than this after a box closed is the user's own doing.
constexpr qint64 BoxReturnWindowMs = 1500;

QString SystemErrorText(const std::error_code& code) {
    if (code.category() == std::generic_category() || code.category() == std::system_category()) {
        switch (code.value()) {
        case ENOENT: return QStringLiteral("file o cartella inesistente");
        case EACCES:
        case EPERM: return QStringLiteral("accesso negato");
        case ENOSPC: return QStringLiteral("disco pieno");
        case EROFS: return QStringLiteral("disco protetto in scrittura");
        case EEXIST: return QStringLiteral("esiste già");
        case ENOTDIR: return QStringLiteral("non è una cartella");
        case EISDIR: return QStringLiteral("è una cartella");
        case EIO: return QStringLiteral("errore di lettura o scrittura del disco");
        default: break;
        }
    }
    return QStringLiteral("errore di sistema %1").arg(code.value());
}

}  // namespace

void ActivationFilter::BoxClosed(const QWidget* window) {
    if (openBoxes_ > 0) --openBoxes_;
    // When the window is already active again, the return has been seen while the box was open.
    returnFromBoxPending_ = window != nullptr && !window->isActiveWindow();
    sinceBoxClosed_.start();
}

bool ActivationFilter::IsRealActivation() {
    if (openBoxes_ > 0) return false;
    if (returnFromBoxPending_) {
        returnFromBoxPending_ = false;
        if (sinceBoxClosed_.isValid() && sinceBoxClosed_.elapsed() < BoxReturnWindowMs) return false;
    }
    return true;
}

QString ErrorText(const std::exception& error) {
    if (dynamic_cast<const DataFileError*>(&error) != nullptr) return QString::fromUtf8(error.what());
    if (const auto* fileSystem = dynamic_cast<const std::filesystem::filesystem_error*>(&error)) {
        QString text = QStringLiteral("Operazione sui file non riuscita: ") + SystemErrorText(fileSystem->code());
        if (!fileSystem->path1().empty())
            text += QStringLiteral(" (") + QString::fromStdString(fileSystem->path1().string()) + QLatin1Char(')');
        return text;
    }
    if (const auto* system = dynamic_cast<const std::system_error*>(&error))
        return QStringLiteral("Operazione non riuscita: ") + SystemErrorText(system->code());
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr)
        return QStringLiteral("Memoria insufficiente: l'operazione è stata interrotta.");
    return QStringLiteral("Errore imprevisto: ") + QString::fromUtf8(error.what());
}

QString UnknownErrorText() { return QStringLiteral("Errore imprevisto: l'operazione è stata interrotta."); }

void Feedback::Show(MessageKind kind, const QString& text) {
    const ActivationFilter::BoxScope box(activation_, over_.window());
    messages_.Show(&over_, kind, text);
}

Answer Feedback::Ask(const QString& text, Choices choices, Answer preferred, MessageKind kind) {
    const ActivationFilter::BoxScope box(activation_, over_.window());
    return messages_.Ask(&over_, text, choices, preferred, kind);
}

void Feedback::ShowErrorSafely(const QString& text) noexcept {
    // An error while showing an error has nowhere left to go; the window stays as it is.
    try {
        Show(MessageKind::Error, text);
    } catch (...) {}
}

}  // namespace florimant
