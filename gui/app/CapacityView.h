#pragma once
// TfrmCapacities, "Load Test Capacities": the capacity of the computed load-settlement curve
// and of each measured curve by Davisson's offset limit, at a settlement of 10 % of D and by
// Chin-Kondner, as text that follows the project while the window is open.

#include <QWidget>

#include <functional>
#include <string>

class QPlainTextEdit;
class QPushButton;

namespace dorvek {

class TfrmCapacities : public QWidget {
    Q_OBJECT
public:
    // `text` gives the summary of the project as it stands now.
    explicit TfrmCapacities(std::function<std::string()> text, QWidget* parent = nullptr);

    // Shows the summary afresh.
    void Refresh();

    QPlainTextEdit* TextView() const { return fView; }

signals:
    // The window has closed (the main window's presence flag is cleared).
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::function<std::string()> fText;
    QPlainTextEdit* fView;
    QPushButton* fClose;
};

} // namespace dorvek
