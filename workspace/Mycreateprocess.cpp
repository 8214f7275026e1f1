#include "Mycreateprocess.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "NameOrder.h"
#include "PlatformPath.h"

extern char** environ;

namespace trend {

std::optional<int> childProcess;

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isExecutableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

bool foundOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string_view folders = path != nullptr ? path : "/usr/bin:/bin";
    while (true) {
        const size_t colon = folders.find(':');
        std::string folder(folders.substr(0, colon));
        if (folder.empty()) {
            folder = ".";
        }
        if (isExecutableFile(folder + "/" + program)) {
            return true;
        }
        if (colon == std::string_view::npos) {
            return false;
        }
        folders.remove_prefix(colon + 1);
    }
}

// The first word of a command line and what follows it (blanks after the word dropped).
std::pair<std::string, std::string_view> firstWord(std::string_view commandLine) {
    std::vector<std::string> words = SplitCommandLine(commandLine);
    if (words.empty()) {
        return {std::string(), std::string_view()};
    }
    size_t i = 0;
    while (i < commandLine.size() && isBlank(commandLine[i])) {
        ++i;
    }
    bool quoted = false;
    while (i < commandLine.size() && (quoted || !isBlank(commandLine[i]))) {
        quoted = commandLine[i] == '"' ? !quoted : quoted;
        ++i;
    }
    while (i < commandLine.size() && isBlank(commandLine[i])) {
        ++i;
    }
    return {words.front(), commandLine.substr(i)};
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (char c : commandLine) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (isBlank(c) && !quoted) {
            if (inWord) {
                words.push_back(std::move(word));
                word.clear();
                inWord = false;
            }
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words.push_back(std::move(word));
    }
    return words;
}

std::string TextEditorProgram() {
    for (const char* editor :
         {"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "xed", "pluma"}) {
        if (foundOnPath(editor)) {
            return editor;
        }
    }
    return "xdg-open";
}

std::vector<std::string> LaunchArguments(std::string_view commandLine) {
    auto [program, rest] = firstWord(commandLine);
    if (SameNameIgnoringCase(program, "NotePad.exe")) {
        std::vector<std::string> arguments{TextEditorProgram()};
        std::string_view file = rest;
        while (!file.empty() && isBlank(file.back())) {
            file.remove_suffix(1);
        }
        if (file.size() >= 2 && file.front() == '"' && file.back() == '"') {
            file = file.substr(1, file.size() - 2);
        }
        if (!file.empty()) {
            arguments.push_back(ToFileSystemPath(file));
        }
        return arguments;
    }
    std::vector<std::string> arguments = SplitCommandLine(commandLine);
    if (SameNameIgnoringCase(program, "explorer.exe")) {
        arguments.front() = "xdg-open";
        for (size_t i = 1; i < arguments.size(); ++i) {
            arguments[i] = ToFileSystemPath(arguments[i]);
        }
    }
    return arguments;
}

void ReportLastError(const char* label) {
    const int error = errno;
    std::fflush(stdout);
    std::fprintf(stderr, "%s: %s\n", label, std::strerror(error));
    std::fflush(stderr);
}

int RunAndWait(const std::string& commandLine) {
    std::vector<std::string> arguments = LaunchArguments(commandLine);
    if (arguments.empty()) {
        errno = ENOENT;
        ReportLastError("CreateProcess");
        return -1;
    }
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    // The child inherits the environment and the current folder.
    const int started = ::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ);
    if (started != 0) {
        errno = started;
        ReportLastError("CreateProcess");
        return -1;
    }
    childProcess = static_cast<int>(pid);
    std::printf("child processId=%d\n", static_cast<int>(pid));
    std::fflush(stdout);

    int status = 0;
    pid_t waited = 0;
    do {
        waited = ::waitpid(pid, &status, 0);
    } while (waited < 0 && errno == EINTR);
    if (waited < 0) {
        ReportLastError("wait result=WAIT_FAILED");
        return -1;
    }
    std::printf("wait result=WAIT_OBJECT_0\n");
    int exitCode = 0;
    if (WIFEXITED(status)) {
        exitCode = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        exitCode = 128 + WTERMSIG(status);
    } else {
        std::fflush(stdout);
        errno = ECHILD;
        ReportLastError("GetExitCodeProcess");
        return -1;
    }
    std::printf("exitCode=%d/%x\n", exitCode, static_cast<unsigned>(exitCode));
    std::fflush(stdout);
    return exitCode;
}

bool CloseChildProcess() {
    // The child has been reaped by the wait; there is nothing left to release.
    childProcess.reset();
    return true;
}

}  // namespace trend
