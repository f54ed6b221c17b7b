#pragma once

#include <QDialog>

// The About box: the application icon, name and version, and an OK button.
class CAboutDlg final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CAboutDlg)

public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
