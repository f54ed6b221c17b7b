#include "app/QtUserPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

const QString kTitle = QStringLiteral("orvex");

} // namespace

void QtUserPrompts::Message(QWidget* owner, const QString& text) {
    QMessageBox::warning(owner, kTitle, text, QMessageBox::Ok);
}

bool QtUserPrompts::Question(QWidget* owner, const QString& text) {
    return QMessageBox::question(owner, kTitle, text, QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Ok) == QMessageBox::Ok;
}

UserPrompts::SaveChoice QtUserPrompts::AskSaveChanges(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::Warning, kTitle, text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner);
    box.setDefaultButton(QMessageBox::Save);
    // Named, not left to the box's guess: the close box answers as Escape does.
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

QString QtUserPrompts::OpenFileName(QWidget* owner, const QString& filter) {
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A name that does not exist is handed on; opening it then reports the failure.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QtFilter(filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

QString QtUserPrompts::SaveFileName(QWidget* owner, const QString& filter,
                                    const QString& proposedName, const QString& defaultSuffix) {
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite); // saving never asks before replacing
    dialog.setNameFilter(QtFilter(filter));
    dialog.setDefaultSuffix(defaultSuffix);
    if (!proposedName.isEmpty()) {
        dialog.selectFile(proposedName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

void QtUserPrompts::Beep() {
    QApplication::beep();
}

QString QtUserPrompts::QtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        if (description.isEmpty() && patterns.isEmpty()) {
            continue;
        }
        // Qt takes the patterns from the last parentheses of an entry.
        if (description.endsWith(QLatin1Char(')')) &&
            description.contains(QLatin1Char('(') + patterns + QLatin1Char(')'))) {
            filters << description;
        } else {
            filters << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
        }
    }
    return filters.join(QStringLiteral(";;"));
}
