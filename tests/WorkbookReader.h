#pragma once

// Reads back what a workbook holds, for tests: its parts through unzip,
// and the cells of a sheet's XML by their references ("A2").

#include <QByteArray>
#include <QHash>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

namespace WorkbookReader {

inline QByteArray unzip(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("unzip"), arguments);
    process.waitForFinished(120000);
    return process.exitCode() == 0 ? process.readAllStandardOutput() : QByteArray();
}

// The part's bytes; empty when the workbook has none of that name.
inline QByteArray Part(const QString &workbook, const QString &part)
{
    return unzip({QStringLiteral("-p"), workbook, part});
}

inline QStringList Parts(const QString &workbook)
{
    return QString::fromUtf8(unzip({QStringLiteral("-Z1"), workbook})).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The names of the sheets, in their order.
inline QStringList SheetNames(const QString &workbook)
{
    QXmlStreamReader xml(Part(workbook, QStringLiteral("xl/workbook.xml")));
    QStringList names;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("sheet"))
            names.append(xml.attributes().value(QLatin1String("name")).toString());
    }
    return names;
}

struct Cell
{
    QString type; // "n" for a number, "inlineStr" or "str" for a text, "b" for a boolean
    QString text;
};

// The cells of a sheet's XML up to row `lastRow`.
inline QHash<QString, Cell> Cells(const QByteArray &sheet, int lastRow)
{
    QHash<QString, Cell> cells;
    QXmlStreamReader xml(sheet);
    QString ref;
    Cell cell;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("row")
            && xml.attributes().value(QLatin1String("r")).toInt() > lastRow)
            break;
        if (xml.isStartElement() && xml.name() == QLatin1String("c")) {
            ref = xml.attributes().value(QLatin1String("r")).toString();
            const QStringView type = xml.attributes().value(QLatin1String("t"));
            cell = {type.isEmpty() ? QStringLiteral("n") : type.toString(), QString()};
        } else if (xml.isStartElement() && (xml.name() == QLatin1String("v") || xml.name() == QLatin1String("t"))) {
            cell.text += xml.readElementText();
        } else if (xml.isEndElement() && xml.name() == QLatin1String("c")) {
            cells.insert(ref, cell);
        }
    }
    return cells;
}

} // namespace WorkbookReader
