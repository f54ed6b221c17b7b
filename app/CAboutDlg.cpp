#include "app/CAboutDlg.h"

#include "controls/ControlIds.h"
#include "controls/DialogUnits.h"
#include "res/AppIcon.h"

#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About orvex"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    const DialogUnits du(font());

    auto* icon = new QLabel(this);
    icon->setGeometry(du.Rect(11, 17, 20, 20));
    icon->setPixmap(AppIcon().pixmap(32, 32));

    auto* name = new QLabel(QStringLiteral("orvex Version 1.0"), this);
    name->setTextFormat(Qt::PlainText);
    name->setGeometry(du.Rect(40, 10, 119, 8));

    auto* purpose = new QLabel(QStringLiteral("Satellite-finder meter data editor"), this);
    purpose->setTextFormat(Qt::PlainText);
    purpose->setGeometry(du.Rect(40, 25, 119, 8));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    SetControlId(ok, 1);
    ok->setGeometry(du.Rect(178, 7, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(du.X(235), du.Y(55));
}
