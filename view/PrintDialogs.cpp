#include "view/PrintDialogs.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>

PrintDialogs::~PrintDialogs() = default;

bool PrintDialogs::ExecPrintDialog(QPrintDialog &dialog)
{
    return dialog.exec() == QDialog::Accepted;
}

void PrintDialogs::ExecPreview(QPrintPreviewDialog &dialog)
{
    dialog.exec();
}

PrintDialogs &PrintDialogs::Default()
{
    static PrintDialogs dialogs;
    return dialogs;
}
