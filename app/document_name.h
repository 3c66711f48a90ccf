// How the editor names its document: the file name taken from the command line, the window caption
// made of the file's title, and the names that are devices rather than files.
#pragma once

#include <cstddef>
#include <string>

// What the main window's caption says after the title: " :  Velmora".
extern const char* const CaptionSuffix;

// The file-name part of `path`: what follows its last "\" or ":", where a byte of that value that
// is the second byte of a double-byte character does not count; the whole path when there is none.
std::string FileTitle(const std::string& path);

// The main window's caption for a document of this title (" :  Velmora" alone for an empty one).
std::string MainCaption(const std::string& title);

// The file named on a command line made of the quoted module path, one blank and the argument:
// the line less its first `modulePathLength` + 3 characters (empty when it is shorter), less one
// leading and then one trailing double quote. Nothing else of the line is examined, so a line of
// another form (an unquoted module path) loses what stands in those places.
std::string FileNameFromCommandLine(const std::string& commandLine, std::size_t modulePathLength);

// True when `fileName` names one of the system's devices (con, aux.txt, nul.txt, com1, ... in any
// folder, with any extension, in any case), which the system opens instead of a file.
bool IsDeviceName(const std::string& fileName);
