#pragma once
#include <QDialog>
#include <optional>

#include "common/real.hpp"

class QLineEdit;

namespace florimant {

struct AppState;

// "Spessore Linee": the factor every pen width is multiplied by, kept in "FileSet\MMVarLas.stt".
// Each step starts from the 4-character text shown, not from the full value in memory.
class LineThicknessWindow : public QDialog {
    Q_OBJECT
public:
    explicit LineThicknessWindow(AppState& state, QWidget* parent = nullptr);

    static constexpr Real MinimumFactor = 0.5L;
    static constexpr Real MaximumFactor = 4;
    // The first 4 characters of the shortest decimal text, decimal comma.
    static QString FactorText(Real factor);

    void ShowCurrentFactor();
    void StepUp();
    void StepDown();
    void ResetFactor();
    void done(int result) override;

signals:
    void MessageShown(const QString& text);

private:
    std::optional<Real> TypedFactor();
    void Store(Real factor);

    AppState& state_;
    QLineEdit* edit_ = nullptr;
};

}  // namespace florimant
