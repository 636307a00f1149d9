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

std::optional<QString> AskForFile(const FileDialogRequest& r) {
    // A bare pattern is the report's HTML; a filter with its own names is taken as written.
    const QString filter = r.filter.isEmpty() || r.filter.contains(QLatin1Char('('))
                               ? r.filter
                               : QStringLiteral("HTML (%1)").arg(r.filter);
    QString selected;
    QString chosen = r.mode == FileDialogRequest::Mode::Save
                         ? QFileDialog::getSaveFileName(r.parent, QString(), r.fileName, filter, &selected,
                                                        QFileDialog::DontConfirmOverwrite)
                         : QFileDialog::getOpenFileName(r.parent, QString(), r.fileName, filter);
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
