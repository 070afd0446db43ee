#pragma once
#include <QStringList>
#include <QWidget>

class QListWidget;
class QPushButton;

namespace florimant {

// The tab "Funzioni Accessorie": the settings windows, the search utility that an access code
// reveals, the backup window and the hidden list of usage dates `Cbox1`.
class ExtrasPage : public QWidget {
    Q_OBJECT
public:
    explicit ExtrasPage(QWidget* parent = nullptr);

    void ShowUsageDates(const QStringList& dates);
    // The maintenance code shows the usage dates and "Utility Ricerca".
    void ShowMaintenanceControls();

private:
    QListWidget* cbox1_ = nullptr;
    QPushButton* bbUtility_ = nullptr;
};

}  // namespace florimant
