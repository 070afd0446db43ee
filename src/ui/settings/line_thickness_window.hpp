#pragma once
#include <optional>

#include "common/real.hpp"
#include "ui/common/window.hpp"

class QLineEdit;

namespace florimant {

// "Spessore Linee": the factor every pen width is multiplied by, kept in "FileSet\MMVarLas.stt".
// Each step starts from the 4-character text shown, not from the full value in memory.
class LineThicknessWindow : public Window {
    Q_OBJECT
public:
    LineThicknessWindow(AppState& state, Messages& messages, QWidget* parent = nullptr);

    static constexpr Real MinimumFactor = 0.5L;
    static constexpr Real MaximumFactor = 4;
    // The first 4 characters of the shortest decimal text, decimal comma.
    static QString FactorText(Real factor);

    bool Prepare() override;  // shows the current factor
    void StepUp();
    void StepDown();
    void ResetFactor();
    void done(int result) override;

private:
    std::optional<Real> TypedFactor();
    void Store(Real factor);

    QLineEdit* edit_ = nullptr;
};

}  // namespace florimant
