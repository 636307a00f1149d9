#include "seams.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>

#include "constants.h"
#include "messages.h"
#include "save_file.h"

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

std::unique_ptr<QFileDialog> MakeFileDialog(const FileDialogRequest& r) {
    // A bare pattern gets the request's name for its files; a filter with its
    // own names is taken as written.
    const QString filter = r.filter.isEmpty() || r.filter.contains(QLatin1Char('('))
                               ? r.filter
                               : QStringLiteral("%1 (%2)").arg(r.filterName, r.filter);
    // Started from the previous name as the static getSaveFileName and
    // getOpenFileName start: in its folder, with the name selected.
    auto dialog = std::make_unique<QFileDialog>(r.parent, QString(), r.fileName, filter);
    const bool save = r.mode == FileDialogRequest::Mode::Save;
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, save && !r.confirmOverwrite);
    // The viewer appends ".html" to the name itself, and AskForFile the
    // chosen filter's suffix where the request lists filters, so the dialog
    // adds no suffix. An empty default suffix is not enough on Windows: there Qt's
    // native save dialog takes the first filter's suffix ("html") as the
    // dialog's default extension whenever no default suffix is set, and a
    // typed "design" would come back as "design.html". Qt's own dialog adds
    // nothing without a default suffix, so the save dialog is Qt's own there.
    dialog->setDefaultSuffix(QString());
#ifdef Q_OS_WIN
    dialog->setOption(QFileDialog::DontUseNativeDialog, save);
#endif
    return dialog;
}

std::optional<QString> AskForFile(const FileDialogRequest& r) {
    const std::unique_ptr<QFileDialog> dialog = MakeFileDialog(r);
    if (dialog->exec() != QDialog::Accepted) return std::nullopt;
    QString chosen = dialog->selectedFiles().value(0);
    const QString selected = dialog->selectedNameFilter();
    if (chosen.isEmpty()) return std::nullopt;
    // A name typed without a suffix takes the suffix of the filter chosen ("PNG image (*.png)").
    static const QRegularExpression pattern(QStringLiteral("\\(\\*(\\.[A-Za-z0-9]+)"));
    const QRegularExpressionMatch match = pattern.match(selected);
    if (r.mode == FileDialogRequest::Mode::Save && r.filter.contains(QLatin1Char('(')) && match.hasMatch())
        chosen = WithSuffix(chosen, match.captured(1));
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
