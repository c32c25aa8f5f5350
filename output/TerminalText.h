#pragma once

#include <QString>
#include <QStringView>

// Texts from files and file names on their way to a terminal: nothing in
// them may drive the terminal, and columns line up as the terminal draws
// them, where a Chinese character takes two cells.
namespace TerminalText {

// The text with every control character (C0, DEL, C1) and every bidi
// control written out as \xNN or \uNNNN, so that an escape sequence or a
// carriage return in a name shows as what it is instead of acting.
QString Escaped(QStringView text);

// The cells the text takes on a terminal: two for East Asian wide and
// full-width characters, none for combining marks, one for the others.
qsizetype Width(QStringView text);

// The text followed by blanks up to `width` cells.
QString Padded(const QString &text, qsizetype width);

} // namespace TerminalText
