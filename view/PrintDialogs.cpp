#include "view/PrintDialogs.h"

#include "view/CPreviewView.h"

#include <QPrintDialog>

PrintDialogs::~PrintDialogs() = default;

bool PrintDialogs::ExecPrintDialog(QPrintDialog &dialog)
{
    return dialog.exec() == QDialog::Accepted;
}

void PrintDialogs::ExecPreview(CPreviewView &preview)
{
    preview.exec();
}

PrintDialogs &PrintDialogs::Default()
{
    static PrintDialogs dialogs;
    return dialogs;
}
