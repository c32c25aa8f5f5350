#include "view/ImageFiles.h"

#include "output/OutputTarget.h"
#include "view/FileDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace ImageFiles {

QString Filter()
{
    return QCoreApplication::translate("ImageFiles", "PNG image (*.png);;SVG image (*.svg);;PDF document (*.pdf)");
}

QString Beside(const QString &resultPath, const QString &part)
{
    QString suffix = part.trimmed().replace(QLatin1Char('/'), QLatin1Char('_'));
    if (!suffix.isEmpty())
        suffix.prepend(QLatin1Char('-'));
    return QFileInfo(resultPath).dir().filePath(OutputTarget::ResultName(resultPath, suffix + QLatin1String(".png")));
}

QString PathFor(const QString &chosen, QString *format)
{
    *format = DistributionImage::FormatOfName(chosen);
    if (!format->isEmpty())
        return chosen;
    *format = QStringLiteral("png");
    return chosen + QLatin1String(".png");
}

bool Save(FileDialogs &dialogs, QWidget *parent, const DistributionImage::Drawing &draw, QSize size,
          qreal pixelRatio, const QString &title, const QString &suggested)
{
    const QString chosen = dialogs.GetSaveFileName(parent, Filter(), suggested);
    if (chosen.isEmpty())
        return false;
    QString format;
    const QString path = PathFor(chosen, &format);
    QString message;
    const bool written = DistributionImage::WriteDrawing(draw, path, format, size, title,
                                                         format == QLatin1String("png") ? pixelRatio : 1, &message);
    if (!message.isEmpty())
        dialogs.ShowMessage(parent, message);
    return written;
}

void OfferSave(const QPoint &globalPos, FileDialogs &dialogs, QWidget *parent, const DistributionImage::Drawing &draw,
               QSize size, qreal pixelRatio, const QString &title, const QString &suggested)
{
    QMenu menu(parent);
    const QAction *save = menu.addAction(QMenu::tr("Save Image..."));
    if (menu.exec(globalPos) == save)
        Save(dialogs, parent, draw, size, pixelRatio, title, suggested);
}

} // namespace ImageFiles
