#include "seams.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "constants.h"
#include "messages.h"

namespace coredesign::gui {

void ShowMessageBox(const MessageBoxRequest& r) {
    // The texts break their lines with CR LF; the box breaks on line feeds.
    QString text = r.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(r.icon == BoxIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon,
                    r.title.isEmpty() ? QString::fromUtf8(kAppTitle) : r.title, text, QMessageBox::Ok, r.parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

std::optional<QString> AskForFile(const FileDialogRequest& r) {
    const QString filter = r.filter.isEmpty() ? QString() : QStringLiteral("%1 (%2)").arg(r.filterName, r.filter);
    QString chosen = r.mode == FileDialogRequest::Mode::Save
                         ? QFileDialog::getSaveFileName(
                               r.parent, QString(), r.fileName, filter, nullptr,
                               r.confirmOverwrite ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite)
                         : QFileDialog::getOpenFileName(r.parent, QString(), r.fileName, filter);
    if (chosen.isEmpty()) return std::nullopt;
    return chosen;
}

std::unique_ptr<QPrinter> AskForPrinter(QWidget* parent) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), parent);
    if (dialog.exec() != QDialog::Accepted) return nullptr;
    return printer;
}

QString SorryMessage(const QString& description) {
    return QString::fromUtf8(kSorryMessage) + QStringLiteral("\r\n\r\n") + description;
}

}  // namespace coredesign::gui
