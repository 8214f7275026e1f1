#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trend {

// The process launcher: starts a child process from a command line, waits for it on the
// calling thread and traces what happened on standard output and standard error:
//   child processId=<pid>          (stdout, once started)
//   wait result=WAIT_OBJECT_0      (stdout, once it ended)
//   exitCode=<decimal>/<hex>       (stdout)
//   <label>: <system error text>   (stderr, for a step that failed)

// The process id of the child started last, from a successful start until the command that
// started it closes it.
extern std::optional<int> childProcess;

// Starts the command line, waits until the child has ended and returns its exit code, or -1
// when a step failed. A child ended by signal s counts as exit code 128 + s.
int RunAndWait(const std::string& commandLine);

// Writes "<label>: <text of errno>\n" to standard error.
void ReportLastError(const char* label);

// Lets go of childProcess; false when that fails. Afterwards no child is held.
bool CloseChildProcess();

// The words of a command line: blanks separate words, double quotes group words (and are
// dropped); no other character is special.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// The program and arguments a command line starts here. The Windows programs NotePad.exe and
// explorer.exe stand for the desktop's text editor and xdg-open, and their path argument is
// handed over as a file-system path. NotePad.exe takes the rest of its command line as one file
// name, as the Windows editor does, so a path with blanks stays one argument.
std::vector<std::string> LaunchArguments(std::string_view commandLine);

// The desktop's text editor: the first of gnome-text-editor, gedit, kate, kwrite, mousepad, xed
// and pluma found on PATH, else xdg-open.
std::string TextEditorProgram();

}  // namespace trend
