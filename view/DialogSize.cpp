#include "view/DialogSize.h"

#include <QScreen>
#include <QWidget>

namespace DialogSize {

void Fit(QWidget &dialog, const QSize &wanted)
{
    const QScreen *screen = dialog.screen();
    dialog.resize(screen ? wanted.boundedTo(screen->availableGeometry().size() * 0.92) : wanted);
}

} // namespace DialogSize
