#include "seams.h"

#include <QFileDialog>
#include <QMessageBox>

#include "constants.h"

namespace coredesign::gui {
namespace {

MessageSeam& CurrentMessageSeam() {
    static MessageSeam seam;
    return seam;
}

FileDialogSeam& CurrentFileDialogSeam() {
    static FileDialogSeam seam;
    return seam;
}

void DefaultMessageBox(const MessageBoxRequest& r) {
    // The texts break their lines with CR LF; the box breaks on line feeds.
    QString text = r.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(r.icon == BoxIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon,
                    r.title.isEmpty() ? QString::fromUtf8(kAppTitle) : r.title, text, QMessageBox::Ok, r.parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

std::optional<QString> DefaultFileDialog(const FileDialogRequest& r) {
    const QString filter = r.filter.isEmpty() ? QString() : QStringLiteral("HTML (%1)").arg(r.filter);
    QString chosen = r.mode == FileDialogRequest::Mode::Save
                         ? QFileDialog::getSaveFileName(r.parent, QString(), r.fileName, filter, nullptr,
                                                        QFileDialog::DontConfirmOverwrite)
                         : QFileDialog::getOpenFileName(r.parent, QString(), r.fileName, filter);
    if (chosen.isEmpty()) return std::nullopt;
    return chosen;
}

}  // namespace

void ShowMessage(const MessageBoxRequest& request) {
    if (CurrentMessageSeam())
        CurrentMessageSeam()(request);
    else
        DefaultMessageBox(request);
}

MessageSeam SetMessageSeam(MessageSeam seam) {
    MessageSeam previous = std::move(CurrentMessageSeam());
    CurrentMessageSeam() = std::move(seam);
    return previous;
}

std::optional<QString> RunFileDialog(const FileDialogRequest& request) {
    if (CurrentFileDialogSeam()) return CurrentFileDialogSeam()(request);
    return DefaultFileDialog(request);
}

FileDialogSeam SetFileDialogSeam(FileDialogSeam seam) {
    FileDialogSeam previous = std::move(CurrentFileDialogSeam());
    CurrentFileDialogSeam() = std::move(seam);
    return previous;
}

}  // namespace coredesign::gui
