#pragma once
#include <QWidget>

namespace florimant {

// The tab "Consultazione Rimedi": the consultation, search and editor windows of the knowledge
// base, and the two plant windows that an access code reveals.
class RemediesPage : public QWidget {
    Q_OBJECT
public:
    explicit RemediesPage(QWidget* parent = nullptr);

    void ShowPlantWindows();
};

}  // namespace florimant
