#include "document/TabRecord.h"

#include <QTextBoundaryFinder>

QString TabRecord::Label(const QString &fileName)
{
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, fileName);
    int count = 0;
    while (count < MaxNameLength && characters.toNextBoundary() >= 0)
        ++count;
    if (count < MaxNameLength)
        return fileName;
    return fileName.left(characters.position());
}
