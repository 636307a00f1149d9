// The save dialog the real file-dialog seam shows: a typed name comes back as
// typed (the viewer appends ".html" itself) and an existing file is taken
// without a question. Qt's own dialog is driven; the native Windows dialog,
// which the seam avoids there, cannot run here.
#include "seams.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileDialog>
#include <QLineEdit>

#include "temp_folder.h"

namespace coredesign::gui {
namespace {

TEST(FileDialogSeam, SaveGivesTheNameBackAsTyped) {
    const coredesign::testing::TempFolder dir;
    const QString folder = QString::fromStdString(dir.Path());
    QFile(folder + QStringLiteral("/old.html")).open(QIODevice::WriteOnly);
    for (const QString& typed : {QStringLiteral("design"), QStringLiteral("old.html")}) {
        const auto dialog = MakeFileDialog(
            {FileDialogRequest::Mode::Save, folder + QStringLiteral("/previous.html"), QStringLiteral("*.html")});
        EXPECT_EQ(dialog->defaultSuffix().toStdString(), "");
#ifdef Q_OS_WIN
        EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
#endif
        // Asked to overwrite, Qt's dialog would wait in a message box of its own.
        ASSERT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->open();
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(typed);
        static_cast<QDialog&>(*dialog).accept();  // as its Save button does
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(dialog->selectedFiles().join(QLatin1Char('|')).toStdString(),
                  (folder + QLatin1Char('/') + typed).toStdString());
    }
}

}  // namespace
}  // namespace coredesign::gui
