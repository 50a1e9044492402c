#pragma once
// The modal box with the program's name, purpose, version and today's date.

#include <QDialog>

class QLabel;

namespace dorvek {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    QLabel* ProductName = nullptr;
    QLabel* Comments = nullptr;
    QLabel* Version = nullptr;
    QLabel* DateLabel = nullptr;
};

} // namespace dorvek
