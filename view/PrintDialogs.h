#pragma once

class CPreviewView;
class QPrintDialog;

// The print dialog and the print preview window, as the view shows them.
// The view asks through this interface so that tests can answer in place
// of the user (for instance by printing to a PDF file).
class PrintDialogs
{
public:
    virtual ~PrintDialogs();

    // Shows the print dialog modally; true when the user chose to print.
    virtual bool ExecPrintDialog(QPrintDialog &dialog);
    // Shows the preview window modally until the user closes it.
    virtual void ExecPreview(CPreviewView &preview);

    // The real dialogs.
    static PrintDialogs &Default();
};
