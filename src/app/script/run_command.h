#pragma once

#include <QString>

// A command line as TMScript.Run takes it apart: the file part up to the
// first blank outside double quotes (quotes kept, trimmed) and the rest,
// trimmed, as the parameters.
struct RunCommand {
    QString file;
    QString parameters;
    bool hasParameters = false;

    // A mail or web address ("mailto:", "http:", exact case) rather than a
    // file or program.
    bool isUrl() const;
    // The file part without its surrounding quotes.
    QString unquotedFile() const;
};

RunCommand splitRunCommand(const QString& command);

// The bounds Run puts on the file part, in the note's bytes: an address
// may be this long, a file or program name must be shorter than the other.
inline constexpr qsizetype kRunUrlBytes = 2083;
inline constexpr qsizetype kRunNameBytes = 260;
