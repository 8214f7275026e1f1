#include "SetupFiles.h"

#include "IniFile.h"
#include "PlatformPath.h"
#include "StringListFile.h"
#include "TrendErrors.h"

namespace trend {

SetupFiles SetupFiles::ForProgram(std::string_view programFile) {
    const std::string folder = JoinPath(ParentPath(programFile), "SETUP");
    std::string base = LastPathComponent(programFile);
    const size_t dot = base.rfind('.');
    if (dot != std::string::npos && dot > 0) {
        base.erase(dot);
    }
    return SetupFiles(folder, JoinPath(folder, base + ".csv"), JoinPath(folder, base + ".ini"));
}

SetupFiles::SetupFiles(std::string setupFolder, std::string historyFile, std::string settingsFile)
    : setupFolder_(std::move(setupFolder)),
      historyFile_(std::move(historyFile)),
      settingsFile_(std::move(settingsFile)) {}

void SetupFiles::LoadFolderHistory(RootFolderBox& box) const {
    std::optional<StringListText> history = LoadStringList(historyFile_);
    if (!history) {
        return;
    }
    box.Items = std::move(history->lines);
    box.ItemIndex = -1;
    box.HistoryEncoding = history->encoding;
}

void SetupFiles::ReadSettings(RootFolderBox& box) const {
    box.Text = IniFile(settingsFile_).ReadString(kSection, kLastPositionKey, "");
}

FormCloseResult SetupFiles::FormClose(const RootFolderBox& box) const {
    FormCloseResult result;
    try {
        IniFile(settingsFile_).WriteString(kSection, kLastPositionKey, box.Text);
    } catch (const WriteError& error) {
        result.settingsError = error.what();
    }
    result.historyWritten = SaveStringList(historyFile_, box.Items, box.HistoryEncoding);
    return result;
}

}  // namespace trend
