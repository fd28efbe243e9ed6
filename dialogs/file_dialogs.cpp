#include "file_dialogs.h"

#include "file_chooser.h"

namespace cellwright {

// The five start-up steps, the same for both dialogs and in this order.
void SetUpFileDialog(FileChooser &dialog, bool readsDocuments)
{
    dialog.Combo1.setList(0, QString::fromUtf16(TextFilesPattern));
    dialog.Combo1.setList(1, QString::fromUtf16(AllFilesPattern));
    if (readsDocuments)
        dialog.Combo1.setList(2, QString::fromUtf16(DocumentsPattern));
    dialog.File1.setPattern(QString::fromUtf16(TextFilesPattern));
    dialog.Combo1.setListIndex(0); // runs the dialog's Combo1_Click at once
    dialog.Label4.setCaption(dialog.Dir1.Path());
}

void ReportFolderError(const QString &folder, const QString &reason)
{
    MsgBox(QStringLiteral("Cannot open folder %1: %2").arg(folder, reason));
}

} // namespace cellwright
