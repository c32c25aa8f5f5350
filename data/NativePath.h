#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// File names are bytes on Linux, and result files from Chinese-language
// stations often carry names in code page 936, which are not UTF-8. Qt's
// own conversion turns such bytes into U+FFFD and the file can no longer be
// opened. Here every byte that is not part of valid UTF-8 becomes a lone
// surrogate U+DC80..U+DCFF in the QString and is turned back into the very
// same byte when the name goes to the system, so any name survives the trip
// through a QString. Valid UTF-8 names read exactly as QFile reads them.
class NativePath
{
public:
    // The QString of a name's bytes (from argv or a folder listing).
    static QString Decode(const QByteArray &bytes);
    // The bytes of a name to hand to the system.
    static QByteArray Encode(const QString &path);
    // The program's arguments, each decoded as above.
    static QStringList Arguments(int argc, char **argv);
    // The name as a message or the window shows it: as it is when it is
    // UTF-8, otherwise read as code page 936 when the bytes are that,
    // otherwise with each stray byte written \xNN; either way every byte of
    // a control character (C0, DEL, C1) is written \xNN too, so that no name
    // drives the terminal a message goes to.
    static QString Display(const QString &path);
    // The name as it is when it is UTF-8, otherwise with each stray byte
    // written \xNN: the form where two different names must never show
    // alike, as in the summaries that scripts read.
    static QString Escaped(const QString &path);
    // The name's bytes in lower-case hex when they are not UTF-8, so that a
    // script can open the file; empty when they are.
    static QByteArray HexBytes(const QString &path);

    // open(2) of the name's bytes, close-on-exec, retried when a signal
    // interrupts it; -1 with errno on failure.
    static int Open(const QString &path, int flags, unsigned mode = 0);
};
