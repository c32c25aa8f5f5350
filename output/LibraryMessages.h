#pragma once

// What a library prints on standard error through stdio is the library's
// own report of what went wrong, in its words: libxlsxwriter's "[ERROR]"
// lines name the temporary file it was given, never the file the user
// named. Such text is held back while the code that called the library
// tells the user of the failure itself (the target's name and the reason).
//
// Install puts stdio's standard error behind a filter once: what a thread
// prints there while it holds a LibraryMessages goes nowhere, everything
// else goes to the descriptor at once, unbuffered as before.
class LibraryMessages
{
public:
    // Once, before the process starts its threads.
    static void Install();

    // From now until it is destroyed, on this thread.
    LibraryMessages();
    ~LibraryMessages();
    LibraryMessages(const LibraryMessages &) = delete;
    LibraryMessages &operator=(const LibraryMessages &) = delete;

    // Whether this thread holds one now.
    static bool Held();

private:
    LibraryMessages *m_outer; // the one this thread held before, if any
};
